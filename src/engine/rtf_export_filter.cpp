#include "engine/rtf_export_filter.h"

#include "engine/units.h"

#include <QBuffer>
#include <QIODevice>
#include <cmath>

namespace {

long twips(double units)
{
    return std::lround(units * report_units::twips_per_unit);
}

// Plain ASCII passes; braces and backslashes are escaped, everything else is a \u escape
// with "?" for readers without Unicode.
QByteArray escaped(const QString &text)
{
    QByteArray out;
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if (code == u'\\' || code == u'{' || code == u'}') {
            out += '\\';
            out += char(code);
        } else if (code >= 0x20 && code < 0x80) {
            out += char(code);
        } else if (code == u'\t') {
            out += "\\tab ";
        } else if (code >= 0x80) {
            out += "\\u" + QByteArray::number(qint16(code)) + '?';
        }
    }
    return out;
}

} // namespace

const QString RtfExportFilter::description = QStringLiteral("Dokument RTF pro Word  (*.rtf)");
const QString RtfExportFilter::mask = QStringLiteral("*.rtf");

void RtfExportFilter::begin(const PreparedReport &report)
{
    m_report = &report;
    m_families.clear();
    m_font_family.clear();
    for (const PreparedFont &font : report.fonts) {
        const QString family = font_family_without_ce(font.style.family);
        qsizetype index = m_families.indexOf(family);
        if (index < 0) {
            index = m_families.size();
            m_families << family;
        }
        m_font_family.push_back(int(index));
    }
    m_colors = {0xff000000};
    m_body.clear();
    m_pages = 0;
}

void RtfExportFilter::begin_page(const PreparedPage &page)
{
    if (m_pages++ > 0)
        m_body += "\\sect\n";
    m_page_size = page.size;
    m_body += "\\sectd\\sbkpage\\pgwsxn" + QByteArray::number(twips(page.size.width())) +
              "\\pghsxn" + QByteArray::number(twips(page.size.height())) +
              "\\marglsxn0\\margrsxn0\\margtsxn0\\margbsxn0\n";
}

void RtfExportFilter::object(const DisplayItem &item)
{
    const QRectF &r = item.rect;
    if (item.frame.sides != 0) {
        if (item.frame.has(frame_side::right))
            shape_line({r.topRight(), r.bottomRight()}, item.frame.width, item.frame.color);
        if (item.frame.has(frame_side::left))
            shape_line({r.topLeft(), r.bottomLeft()}, item.frame.width, item.frame.color);
        if (item.frame.has(frame_side::bottom))
            shape_line({r.bottomLeft(), r.bottomRight()}, item.frame.width, item.frame.color);
        if (item.frame.has(frame_side::top))
            shape_line({r.topLeft(), r.topRight()}, item.frame.width, item.frame.color);
    }
    if (const auto *line = std::get_if<DisplayLine>(&item.content)) {
        shape_line(line->line, line->width, line->color);
    } else if (const auto *shown = std::get_if<DisplayPicture>(&item.content)) {
        if (shown->image)
            picture(shown->target, *shown->image);
    } else if (const auto *rich = std::get_if<DisplayRichText>(&item.content)) {
        if (rich->layout)
            for (const RichLine &line : rich->layout->lines)
                for (const TextRun &run : line.runs)
                    text(r.topLeft() + QPointF(run.x, line.top), r.width() - run.x, run.text,
                         run.font, run.color);
    } else if (const auto *barcode = std::get_if<DisplayBarcode>(&item.content)) {
        if (barcode->modules) {
            const double side = std::min(r.width(), r.height());
            QImage image(qCeil(r.width() / side * 600), qCeil(r.height() / side * 600),
                         QImage::Format_Mono);
            image.fill(1);
            const double scale = image.width() / r.width();
            for (const QRectF &module : *barcode->modules)
                for (int y = int(module.top() * scale); y < int(module.bottom() * scale); ++y)
                    for (int x = int(module.left() * scale); x < int(module.right() * scale); ++x)
                        image.setPixel(x, y, 0);
            picture(r, image);
        }
    }
}

void RtfExportFilter::text_line(const DisplayItem &item, const TextLine &line)
{
    const auto &content = std::get<DisplayText>(item.content);
    text(line.position, item.rect.right() - line.position.x(), line.text, content.font,
         content.color);
}

int RtfExportFilter::color_index(QRgb color)
{
    const auto found = std::find(m_colors.begin(), m_colors.end(), color | 0xff000000);
    if (found != m_colors.end())
        return int(found - m_colors.begin()) + 1;
    m_colors.push_back(color | 0xff000000);
    return int(m_colors.size());
}

// The line is already broken: its frame reaches to the right page edge, so that a word
// processor with slightly different metrics never breaks it again.
void RtfExportFilter::text(const QPointF &position, double width, const QString &text, int font,
                           QRgb color)
{
    const PreparedFont &prepared = m_report->fonts[size_t(font)];
    const double frame_width = std::max(width, m_page_size.width() - position.x());
    m_body += "{\\pard\\plain\\pvpg\\phpg\\posx" + QByteArray::number(twips(position.x())) +
              "\\posy" + QByteArray::number(twips(position.y())) + "\\absw" +
              QByteArray::number(twips(frame_width)) + "\\absh-" +
              QByteArray::number(twips(prepared.height)) + "\\nowrap\\sl0\\sa0\\sb0\\f" +
              QByteArray::number(m_font_family[size_t(font)]) + "\\fs" +
              QByteArray::number(std::lround(prepared.style.size * 2)) + "\\cf" +
              QByteArray::number(color_index(color));
    if (prepared.style.bold)
        m_body += "\\b";
    if (prepared.style.italic)
        m_body += "\\i";
    if (prepared.style.underline)
        m_body += "\\ul";
    m_body += ' ' + escaped(text) + "\\par}\n";
}

void RtfExportFilter::shape_line(const QLineF &line, double width, QRgb color)
{
    const QRectF bounds = QRectF(line.p1(), line.p2()).normalized();
    const QRgb rgb = color & 0xffffff;
    // Shapes name colours as 0x00BBGGRR.
    const long bgr = long(qRed(rgb)) | long(qGreen(rgb)) << 8 | long(qBlue(rgb)) << 16;
    m_body += "{\\shp{\\*\\shpinst\\shpleft" + QByteArray::number(twips(bounds.left())) +
              "\\shptop" + QByteArray::number(twips(bounds.top())) + "\\shpright" +
              QByteArray::number(twips(bounds.right())) + "\\shpbottom" +
              QByteArray::number(twips(bounds.bottom())) +
              "\\shpbxpage\\shpbypage\\shpwr3\\shpfblwtxt0\\shpz0"
              "{\\sp{\\sn shapeType}{\\sv 20}}"
              "{\\sp{\\sn lineColor}{\\sv " +
              QByteArray::number(qint64(bgr)) +
              "}}"
              "{\\sp{\\sn lineWidth}{\\sv " +
              QByteArray::number(std::lround(width * report_units::pdf_points_per_unit * 12700)) +
              "}}}}\n";
}

void RtfExportFilter::picture(const QRectF &target, const QImage &image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    m_body += "{\\pard\\plain\\pvpg\\phpg\\posx" + QByteArray::number(twips(target.x())) +
              "\\posy" + QByteArray::number(twips(target.y())) + "\\absw" +
              QByteArray::number(twips(target.width())) + "\\absh-" +
              QByteArray::number(twips(target.height())) + "\\sl0\\sa0\\sb0{\\pict\\pngblip\\picw" +
              QByteArray::number(image.width()) + "\\pich" + QByteArray::number(image.height()) +
              "\\picwgoal" + QByteArray::number(twips(target.width())) + "\\pichgoal" +
              QByteArray::number(twips(target.height())) + "\n" + png.toHex() + "}\\par}\n";
}

void RtfExportFilter::end(QIODevice &output)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1250\\uc1\\deff0\n{\\fonttbl";
    for (qsizetype i = 0; i < m_families.size(); ++i)
        rtf += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset238 " + escaped(m_families.at(i)) +
               ";}";
    rtf += "}\n{\\colortbl;";
    for (const QRgb color : m_colors)
        rtf += "\\red" + QByteArray::number(qRed(color)) + "\\green" +
               QByteArray::number(qGreen(color)) + "\\blue" + QByteArray::number(qBlue(color)) +
               ';';
    rtf += "}\n";
    if (!m_pages)
        rtf += "\\paperw11906\\paperh16838";
    else
        rtf += "\\paperw" + QByteArray::number(twips(m_report->pages.front().size.width())) +
               "\\paperh" + QByteArray::number(twips(m_report->pages.front().size.height()));
    rtf += "\\margl0\\margr0\\margt0\\margb0\n" + m_body + "}\n";
    output.write(rtf);
}
