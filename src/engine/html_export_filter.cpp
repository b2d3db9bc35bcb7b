#include "engine/html_export_filter.h"

#include "engine/units.h"

#include <QBuffer>
#include <QColor>
#include <QIODevice>

namespace {

QString pt(double units)
{
    return QString::number(units * report_units::pdf_points_per_unit, 'f', 2) +
           QStringLiteral("pt");
}

QString css_color(QRgb color)
{
    return QColor::fromRgba(color).name(QColor::HexRgb);
}

QString box(const QRectF &rect)
{
    return QStringLiteral("left:%1;top:%2;width:%3;height:%4")
        .arg(pt(rect.x()), pt(rect.y()), pt(rect.width()), pt(rect.height()));
}

QString border_style(FrameStyle style)
{
    switch (style) {
    case FrameStyle::Dash:
        return QStringLiteral("dashed");
    case FrameStyle::Dot:
        return QStringLiteral("dotted");
    case FrameStyle::Double:
        return QStringLiteral("double");
    case FrameStyle::Solid:
        break;
    }
    return QStringLiteral("solid");
}

QString png_data(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(bytes.toBase64());
}

} // namespace

const QString HtmlExportFilter::description = QStringLiteral("Stránka HTML  (*.html)");
const QString HtmlExportFilter::mask = QStringLiteral("*.html");

void HtmlExportFilter::begin(const PreparedReport &report)
{
    m_report = &report;
    m_page_open = false;
    m_html =
        QStringLiteral("<!DOCTYPE html>\n<html lang=\"cs\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<title>Tisková sestava</title>\n<style>\n"
                       "body { background: #808080; margin: 0; padding: 8pt; }\n"
                       ".page { position: relative; overflow: hidden; background: #ffffff; "
                       "margin: 0 auto 8pt auto; }\n"
                       ".page div, .page img { position: absolute; box-sizing: border-box; }\n"
                       ".page .t { white-space: pre; line-height: 1; }\n"
                       "</style>\n</head>\n<body>\n");
}

void HtmlExportFilter::begin_page(const PreparedPage &page)
{
    close_page();
    m_html += QStringLiteral("<div class=\"page\" style=\"width:%1;height:%2\">\n")
                  .arg(pt(page.size.width()), pt(page.size.height()));
    m_page_open = true;
}

void HtmlExportFilter::object(const DisplayItem &item)
{
    if (qAlpha(item.fill) > 0 || item.frame.sides != 0) {
        QString style = box(item.rect);
        if (qAlpha(item.fill) > 0)
            style += QStringLiteral(";background:") + css_color(item.fill);
        static const std::pair<int, const char *> sides[] = {{frame_side::left, "left"},
                                                             {frame_side::top, "top"},
                                                             {frame_side::right, "right"},
                                                             {frame_side::bottom, "bottom"}};
        for (const auto &[side, name] : sides)
            if (item.frame.has(side))
                style += QStringLiteral(";border-%1:%2 %3 %4")
                             .arg(QLatin1String(name), pt(item.frame.width),
                                  border_style(item.frame.style), css_color(item.frame.color));
        m_html += QStringLiteral("<div style=\"%1\"></div>\n").arg(style);
    }
    if (const auto *picture = std::get_if<DisplayPicture>(&item.content)) {
        if (picture->image)
            m_html += QStringLiteral("<img alt=\"\" style=\"%1\" src=\"%2\">\n")
                          .arg(box(picture->target), png_data(*picture->image));
    } else if (const auto *rich = std::get_if<DisplayRichText>(&item.content)) {
        if (rich->layout)
            for (const RichLine &line : rich->layout->lines)
                for (const TextRun &run : line.runs)
                    text(item.rect.topLeft() + QPointF(run.x, line.top), run.text, run.font,
                         run.color);
    } else if (const auto *line = std::get_if<DisplayLine>(&item.content)) {
        const QLineF &l = line->line;
        const QRectF rect(l.p1(), QSizeF(l.dx(), l.dy()));
        m_html += QStringLiteral("<div style=\"%1;border-%2:%3 solid %4\"></div>\n")
                      .arg(box(rect), l.dx() == 0 ? QStringLiteral("left") : QStringLiteral("top"),
                           pt(line->width), css_color(line->color));
    } else if (const auto *barcode = std::get_if<DisplayBarcode>(&item.content)) {
        if (barcode->modules)
            for (const QRectF &module : *barcode->modules)
                m_html += QStringLiteral("<div style=\"%1;background:#000000\"></div>\n")
                              .arg(box(module.translated(item.rect.topLeft())));
    }
}

void HtmlExportFilter::text_line(const DisplayItem &item, const TextLine &line)
{
    const auto &content = std::get<DisplayText>(item.content);
    text(line.position, line.text, content.font, content.color);
}

void HtmlExportFilter::text(const QPointF &position, const QString &text, int font, QRgb color)
{
    const FontStyle &face = m_report->fonts[size_t(font)].style;
    QString family = font_family_without_ce(face.family);
    family.remove(u'"').remove(u'\'');
    QString style = QStringLiteral("left:%1;top:%2;font-family:'%3',sans-serif;font-size:%4pt")
                        .arg(pt(position.x()), pt(position.y()), family.toHtmlEscaped(),
                             QString::number(face.size));
    if (face.bold)
        style += QStringLiteral(";font-weight:bold");
    if (face.italic)
        style += QStringLiteral(";font-style:italic");
    if (face.underline)
        style += QStringLiteral(";text-decoration:underline");
    if (color != 0xff000000)
        style += QStringLiteral(";color:") + css_color(color);
    m_html +=
        QStringLiteral("<div class=\"t\" style=\"%1\">%2</div>\n").arg(style, text.toHtmlEscaped());
}

void HtmlExportFilter::close_page()
{
    if (m_page_open)
        m_html += QStringLiteral("</div>\n");
    m_page_open = false;
}

void HtmlExportFilter::end(QIODevice &output)
{
    close_page();
    m_html += QStringLiteral("</body>\n</html>\n");
    output.write(m_html.toUtf8());
}
