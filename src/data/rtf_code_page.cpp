#include "data/rtf_code_page.h"

#include "text/cp1250.h"

#include <QByteArray>
#include <QStringDecoder>

namespace {

// Where Windows-1252 differs from Latin-1; the five undefined bytes stay C1 controls.
constexpr std::array<char16_t, 32> cp1252_80_to_9f = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::array<char16_t, 256> cp1252_table()
{
    std::array<char16_t, 256> table{};
    for (int byte = 0; byte < 256; ++byte)
        table[byte] = static_cast<char16_t>(byte);
    for (int i = 0; i < 32; ++i)
        table[0x80 + i] = cp1252_80_to_9f[i];
    return table;
}

std::array<char16_t, 256> cp1250_table()
{
    QByteArray bytes(256, Qt::Uninitialized);
    for (int byte = 0; byte < 256; ++byte)
        bytes[byte] = static_cast<char>(byte);
    const QString text = from_cp1250(bytes);
    std::array<char16_t, 256> table{};
    for (int byte = 0; byte < 256; ++byte)
        table[byte] = text.at(byte).unicode();
    return table;
}

QStringDecoder system_decoder(int code_page)
{
    if (code_page == 10000)
        return QStringDecoder("macintosh");
    for (const char *prefix : {"windows-", "cp"}) {
        QStringDecoder decoder((prefix + QByteArray::number(code_page)).constData());
        if (decoder.isValid())
            return decoder;
    }
    return {};
}

// A byte that is only the first half of a double-byte character reads as U+FFFD.
std::array<char16_t, 256> system_table(int code_page)
{
    QStringDecoder probe = system_decoder(code_page);
    if (!probe.isValid())
        return cp1252_table();
    std::array<char16_t, 256> table{};
    for (int byte = 0; byte < 256; ++byte) {
        QStringDecoder decoder = system_decoder(code_page);
        const char c = static_cast<char>(byte);
        const QString text = decoder(QByteArrayView(&c, 1));
        table[byte] = text.size() == 1 ? text.at(0).unicode() : char16_t(0xFFFD);
    }
    return table;
}

} // namespace

int code_page_of_charset(int charset)
{
    switch (charset) {
    case 0:
        return 1252;
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
        return 437;
    case 255:
        return 437;
    default:
        return 0;
    }
}

char16_t RtfCodePages::decode(int code_page, unsigned char byte)
{
    if (code_page != m_last_code_page) {
        m_last_table = &table(code_page);
        m_last_code_page = code_page;
    }
    return (*m_last_table)[byte];
}

const RtfCodePages::Table &RtfCodePages::table(int code_page)
{
    const auto found = m_tables.find(code_page);
    if (found != m_tables.end())
        return found->second;
    Table table;
    if (code_page == 1250)
        table = cp1250_table();
    else if (code_page == 1252)
        table = cp1252_table();
    else
        table = system_table(code_page);
    return m_tables.emplace(code_page, table).first->second;
}
