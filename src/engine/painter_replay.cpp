#include "engine/painter_replay.h"

#include "engine/units.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>

namespace {

Qt::PenStyle pen_style(FrameStyle style)
{
    switch (style) {
    case FrameStyle::Dash:
        return Qt::DashLine;
    case FrameStyle::Dot:
        return Qt::DotLine;
    case FrameStyle::Solid:
    case FrameStyle::Double:
        return Qt::SolidLine;
    }
    return Qt::SolidLine;
}

class PageReplay {
public:
    PageReplay(QPainter &painter, const PreparedReport &report)
        : m_painter(painter), m_report(report)
    {
        // The painter scales report units to the device, so a font of p points must be
        // p * 90 / dpi points on the device to come out p points tall.
        const double dpi = painter.device()->logicalDpiY();
        for (const PreparedFont &font : report.fonts) {
            QFont qfont = to_qfont(font.style);
            qfont.setPointSizeF(font.style.size * report_units::per_inch / dpi);
            m_fonts.push_back(qfont);
        }
    }

    void paint(const PreparedPage &page)
    {
        for (const DisplayItem &item : page.items) {
            if (qAlpha(item.fill) > 0)
                m_painter.fillRect(item.rect, QColor::fromRgba(item.fill));
            std::visit([&](const auto &content) { paint(item, content); }, item.content);
            if (item.frame.sides != 0)
                paint_frame(item);
        }
    }

private:
    void paint(const DisplayItem &, const DisplayText &text)
    {
        m_painter.setFont(m_fonts[size_t(text.font)]);
        m_painter.setPen(QColor::fromRgba(text.color));
        const double ascent = m_report.fonts[size_t(text.font)].ascent;
        for (const TextLine &line : text.lines)
            m_painter.drawText(QPointF(line.position.x(), line.position.y() + ascent), line.text);
    }

    void paint(const DisplayItem &item, const DisplayPicture &picture)
    {
        if (!picture.image)
            return;
        m_painter.save();
        m_painter.setClipRect(item.rect, Qt::IntersectClip);
        m_painter.drawImage(picture.target, *picture.image);
        m_painter.restore();
    }

    void paint(const DisplayItem &item, const DisplayRichText &rich)
    {
        if (!rich.layout)
            return;
        m_painter.save();
        m_painter.setClipRect(item.rect, Qt::IntersectClip);
        for (const RichLine &line : rich.layout->lines)
            for (const TextRun &run : line.runs) {
                m_painter.setFont(m_fonts[size_t(run.font)]);
                m_painter.setPen(QColor::fromRgba(run.color));
                m_painter.drawText(
                    QPointF(item.rect.left() + run.x, item.rect.top() + line.top + line.ascent),
                    run.text);
            }
        m_painter.restore();
    }

    void paint(const DisplayItem &, const DisplayLine &line)
    {
        m_painter.setPen(QPen(QColor::fromRgba(line.color), line.width));
        m_painter.drawLine(line.line);
    }

    void paint(const DisplayItem &item, const DisplayBarcode &barcode)
    {
        if (!barcode.modules)
            return;
        // One path, so that antialiasing leaves no light seams between adjacent modules.
        QPainterPath path;
        path.setFillRule(Qt::WindingFill);
        for (const QRectF &module : *barcode.modules)
            path.addRect(module.translated(item.rect.topLeft()));
        m_painter.fillPath(path, Qt::black);
    }

    void paint_frame(const DisplayItem &item)
    {
        const Frame &frame = item.frame;
        m_painter.setPen(QPen(QColor::fromRgba(frame.color), frame.width, pen_style(frame.style)));
        const QRectF &r = item.rect;
        if (frame.has(frame_side::right))
            m_painter.drawLine(r.topRight(), r.bottomRight());
        if (frame.has(frame_side::left))
            m_painter.drawLine(r.topLeft(), r.bottomLeft());
        if (frame.has(frame_side::bottom))
            m_painter.drawLine(r.bottomLeft(), r.bottomRight());
        if (frame.has(frame_side::top))
            m_painter.drawLine(r.topLeft(), r.topRight());
    }

    QPainter &m_painter;
    const PreparedReport &m_report;
    std::vector<QFont> m_fonts;
};

} // namespace

void paint_page(QPainter &painter, const PreparedReport &report, const PreparedPage &page)
{
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    PageReplay(painter, report).paint(page);
    painter.restore();
}

QImage render_page(const PreparedReport &report, int page, double dpi)
{
    const PreparedPage &prepared = report.pages.at(size_t(page));
    const double scale = dpi / report_units::per_inch;
    QImage image(qCeil(prepared.size.width() * scale), qCeil(prepared.size.height() * scale),
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    paint_page(painter, report, prepared);
    return image;
}

bool paint_report(const PreparedReport &report, QPagedPaintDevice &device, int first, int last,
                  const std::function<void(int page)> &painted)
{
    QPainter painter;
    for (int page = first; page <= last && page < int(report.pages.size()); ++page) {
        const PreparedPage &prepared = report.pages[size_t(page)];
        // Millimetres, because sizes in points are whole points.
        const QPageSize size(prepared.size * report_units::millimetres_per_unit,
                             QPageSize::Millimeter, {}, QPageSize::ExactMatch);
        device.setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF()));
        if (page == first) {
            if (!painter.begin(&device))
                return false;
        } else {
            device.newPage();
        }
        painter.resetTransform();
        painter.scale(device.logicalDpiX() / report_units::per_inch,
                      device.logicalDpiY() / report_units::per_inch);
        paint_page(painter, report, prepared);
        if (painted)
            painted(page);
    }
    if (painter.isActive())
        painter.end();
    return true;
}
