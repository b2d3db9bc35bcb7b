#include "data/rtf_writer.h"

#include "text/cp1250.h"

#include <QColor>
#include <QFont>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <algorithm>
#include <vector>

namespace {

constexpr double fallback_point_size = 12.0;
constexpr int max_half_points = 3276;
constexpr int bullet_number_format = 23;

struct RunFormat {
    QString family;
    int half_points = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    QColor colour; // invalid: automatic
};

// The \levelnfcN number format of a list style.
int number_format_of(QTextListFormat::Style style)
{
    switch (style) {
    case QTextListFormat::ListUpperRoman:
        return 1;
    case QTextListFormat::ListLowerRoman:
        return 2;
    case QTextListFormat::ListUpperAlpha:
        return 3;
    case QTextListFormat::ListLowerAlpha:
        return 4;
    case QTextListFormat::ListDecimal:
        return 0;
    default:
        return bullet_number_format;
    }
}

void append_text(QByteArray &out, QStringView text)
{
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        switch (unit) {
        case u'\\':
        case u'{':
        case u'}':
            out += '\\';
            out += static_cast<char>(unit);
            continue;
        case u'\t':
            out += "\\tab ";
            continue;
        case QChar::LineSeparator:
            out += "\\line ";
            continue;
        case QChar::Nbsp:
            out += "\\~";
            continue;
        case QChar::SoftHyphen:
            out += "\\-";
            continue;
        case 0x2011:
            out += "\\_";
            continue;
        case QChar::ObjectReplacementCharacter:
        case QChar::ParagraphSeparator:
            continue;
        default:
            break;
        }
        if (unit < 0x20)
            continue;
        if (unit < 0x80) {
            out += static_cast<char>(unit);
        } else if (!c.isSurrogate() && fits_cp1250(QString(c))) {
            out += "\\'" + to_cp1250(QString(c)).toHex();
        } else {
            // RTF's \u takes a signed 16-bit number.
            out += "\\u" + QByteArray::number(static_cast<qint16>(unit)) + '?';
        }
    }
}

class RtfWriter {
public:
    explicit RtfWriter(const QTextDocument &document) : m_document(document)
    {
        m_default_font = document.defaultFont();
        font_index(run_format(QTextCharFormat()).family);
    }

    QByteArray write();

private:
    RunFormat run_format(const QTextCharFormat &format) const;
    int font_index(const QString &family);
    int colour_index(const QColor &colour);
    int list_number(const QTextList *list);
    QByteArray char_properties(const QTextCharFormat &format);
    void write_block(QByteArray &out, const QTextBlock &block);
    QByteArray header() const;

    const QTextDocument &m_document;
    QFont m_default_font;
    std::vector<QString> m_fonts;
    std::vector<QColor> m_colours;
    // Each list its own definition, so numbering restarts where a new list begins.
    std::vector<const QTextList *> m_lists;
};

RunFormat RtfWriter::run_format(const QTextCharFormat &format) const
{
    const QFont font = format.font().resolve(m_default_font);
    RunFormat run;
    run.family = font.families().value(0, font.family());
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : fallback_point_size;
    run.half_points = qBound(1, qRound(points * 2), max_half_points);
    run.bold = font.bold();
    run.italic = font.italic();
    run.underline = font.underline();
    if (format.foreground().style() != Qt::NoBrush)
        run.colour = format.foreground().color();
    return run;
}

int RtfWriter::font_index(const QString &family)
{
    for (size_t i = 0; i < m_fonts.size(); ++i) {
        if (m_fonts[i] == family)
            return static_cast<int>(i);
    }
    m_fonts.push_back(family);
    return static_cast<int>(m_fonts.size() - 1);
}

// 0 is the automatic colour; the table's own entries start at 1.
int RtfWriter::colour_index(const QColor &colour)
{
    if (!colour.isValid())
        return 0;
    const QRgb rgb = colour.rgb();
    for (size_t i = 0; i < m_colours.size(); ++i) {
        if (m_colours[i].rgb() == rgb)
            return static_cast<int>(i + 1);
    }
    m_colours.push_back(colour);
    return static_cast<int>(m_colours.size());
}

int RtfWriter::list_number(const QTextList *list)
{
    const auto found = std::find(m_lists.begin(), m_lists.end(), list);
    if (found != m_lists.end())
        return static_cast<int>(found - m_lists.begin() + 1);
    m_lists.push_back(list);
    return static_cast<int>(m_lists.size());
}

QByteArray RtfWriter::char_properties(const QTextCharFormat &format)
{
    const RunFormat run = run_format(format);
    QByteArray out = "\\f" + QByteArray::number(font_index(run.family)) + "\\fs" +
                     QByteArray::number(run.half_points);
    if (run.bold)
        out += "\\b";
    if (run.italic)
        out += "\\i";
    if (run.underline)
        out += "\\ul";
    const int colour = colour_index(run.colour);
    if (colour > 0)
        out += "\\cf" + QByteArray::number(colour);
    return out;
}

void RtfWriter::write_block(QByteArray &out, const QTextBlock &block)
{
    const QByteArray mark = char_properties(block.charFormat());
    const QTextList *list = block.textList();
    QByteArray list_properties;
    if (list) {
        const bool bullet = number_format_of(list->format().style()) == bullet_number_format;
        // Readers that know no list tables show this text in place of the bullet.
        out += "{\\listtext\\pard\\plain" + mark + ' ';
        append_text(out, bullet ? QStringLiteral("\u2022") : list->itemText(block));
        out += "\\tab}";
        list_properties = "\\ls" + QByteArray::number(list_number(list)) + "\\ilvl0\\fi-360\\li720";
    }

    out += "\\pard\\plain";
    const Qt::Alignment alignment = block.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
    if (alignment & Qt::AlignHCenter)
        out += "\\qc";
    else if (alignment & Qt::AlignRight)
        out += "\\qr";
    else if (alignment & Qt::AlignJustify)
        out += "\\qj";
    else
        out += "\\ql";
    out += list_properties + mark + ' ';

    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.isValid() || fragment.text().isEmpty())
            continue;
        out += "{\\plain" + char_properties(fragment.charFormat()) + ' ';
        append_text(out, fragment.text());
        out += '}';
    }
    out += "\\par\n";
}

QByteArray RtfWriter::header() const
{
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1250\\deff0\\uc1\n{\\fonttbl";
    for (size_t i = 0; i < m_fonts.size(); ++i) {
        out += "{\\f" + QByteArray::number(static_cast<int>(i)) + "\\fnil\\fcharset238 ";
        append_text(out, QString(m_fonts[i]).remove(u';'));
        out += ";}";
    }
    out += "}\n{\\colortbl;";
    for (const QColor &colour : m_colours) {
        out += "\\red" + QByteArray::number(colour.red()) + "\\green" +
               QByteArray::number(colour.green()) + "\\blue" + QByteArray::number(colour.blue()) +
               ';';
    }
    out += "}\n";
    if (m_lists.empty())
        return out;

    out += "{\\*\\listtable";
    for (size_t i = 0; i < m_lists.size(); ++i) {
        const int number_format = number_format_of(m_lists[i]->format().style());
        const QByteArray format = QByteArray::number(number_format);
        const QByteArray id = QByteArray::number(static_cast<int>(i + 1));
        out += "{\\list\\listtemplateid" + id + "\\listsimple{\\listlevel\\levelnfc" + format +
               "\\levelnfcn" + format + "\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat1";
        out += number_format == bullet_number_format
                   ? "{\\leveltext\\'01\\u8226 ?;}{\\levelnumbers;}"
                   : "{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}";
        out += "\\fi-360\\li720}{\\listname ;}\\listid" + id + '}';
    }
    out += "}\n{\\*\\listoverridetable";
    for (size_t i = 0; i < m_lists.size(); ++i) {
        const QByteArray id = QByteArray::number(static_cast<int>(i + 1));
        out += "{\\listoverride\\listid" + id + "\\listoverridecount0\\ls" + id + '}';
    }
    out += "}\n";
    return out;
}

QByteArray RtfWriter::write()
{
    QByteArray body;
    for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next())
        write_block(body, block);
    return header() + body + "}\n";
}

} // namespace

QByteArray rtf_from_document(const QTextDocument &document)
{
    return RtfWriter(document).write();
}
