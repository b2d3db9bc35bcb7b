#include "platform/mail/header_encoding.h"

#include "platform/mail/single_line.h"

#include <QList>

#include <cstring>

namespace mail {
namespace {

const QByteArray fold = QByteArrayLiteral("\r\n ");

// 45 bytes give 60 base64 characters: with "=?UTF-8?B?" and "?=" 72 in all.
constexpr qsizetype encoded_word_bytes = 45;
constexpr qsizetype parameter_section_chars = 60;

// The text's UTF-8 bytes in pieces of at most `limit` bytes, never splitting a character.
// `escape` turns a character's bytes into what the piece holds of it.
template <typename Escape>
QList<QByteArray> pieces(const QString &text, qsizetype limit, Escape escape)
{
    QList<QByteArray> result;
    QByteArray piece;
    for (const char32_t code : text.toUcs4()) {
        const QByteArray character = escape(QString::fromUcs4(&code, 1).toUtf8());
        if (!piece.isEmpty() && piece.size() + character.size() > limit) {
            result.append(piece);
            piece.clear();
        }
        piece += character;
    }
    if (!piece.isEmpty())
        result.append(piece);
    return result;
}

bool is_plain_word_char(QChar c)
{
    if (c.unicode() > 0x7e || c.unicode() < 0x20)
        return false;
    return c.isLetterOrNumber() || c == QLatin1Char(' ') ||
           std::strchr("!#$%&'*+-/=?^_`{|}~", c.toLatin1()) != nullptr;
}

bool is_attribute_char(char c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return true;
    return c != '\0' && std::strchr("!#$&+-.^_`|~", c) != nullptr;
}

QByteArray percent_escaped(const QByteArray &bytes)
{
    QByteArray result;
    for (const char c : bytes) {
        if (is_attribute_char(c))
            result += c;
        else
            result += '%' + QByteArray::number(static_cast<unsigned char>(c), 16)
                                .rightJustified(2, '0')
                                .toUpper();
    }
    return result;
}

bool is_plain_parameter(const QString &value)
{
    if (value.size() > parameter_section_chars)
        return false;
    for (const QChar c : value) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7e || c == QLatin1Char('"') ||
            c == QLatin1Char('\\'))
            return false;
    }
    return true;
}

} // namespace

QByteArray encoded_words(const QString &text)
{
    QList<QByteArray> words;
    for (const QByteArray &piece :
         pieces(text, encoded_word_bytes, [](const QByteArray &bytes) { return bytes; }))
        words.append("=?UTF-8?B?" + piece.toBase64() + "?=");
    return words.join(fold);
}

QByteArray display_phrase(const QString &name)
{
    const QString trimmed = single_line(name).trimmed();
    for (const QChar c : trimmed) {
        if (!is_plain_word_char(c))
            return encoded_words(trimmed);
    }
    return trimmed.toLatin1();
}

QByteArray mime_parameter(const QByteArray &name, const QString &value)
{
    if (is_plain_parameter(value))
        return name + "=\"" + value.toLatin1() + '"';
    const QList<QByteArray> sections = pieces(value, parameter_section_chars, percent_escaped);
    QList<QByteArray> lines;
    for (qsizetype i = 0; i < sections.size(); ++i) {
        lines.append(name + '*' + QByteArray::number(i) +
                     "*=" + (i == 0 ? QByteArrayLiteral("UTF-8''") : QByteArray()) + sections[i]);
    }
    return lines.join(";" + fold);
}

} // namespace mail
