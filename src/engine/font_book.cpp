#include "engine/font_book.h"

#include "engine/units.h"

#include <QFont>

FontBook::FontBook() : m_device(1, 1, QImage::Format_Mono)
{
    const double dots_per_metre = report_units::per_inch * device_pixels_per_unit / 0.0254;
    m_device.setDotsPerMeterX(qRound(dots_per_metre));
    m_device.setDotsPerMeterY(qRound(dots_per_metre));
}

int FontBook::font(const FontSpec &spec)
{
    for (size_t i = 0; i < m_fonts.size(); ++i)
        if (m_fonts[i].spec == spec)
            return int(i);
    const QFontMetricsF metrics(to_qfont(spec), &m_device);
    PreparedFont prepared;
    prepared.spec = spec;
    prepared.ascent = metrics.ascent() / device_pixels_per_unit;
    prepared.height = metrics.height() / device_pixels_per_unit;
    m_fonts.push_back(prepared);
    m_metrics.push_back(metrics);
    return int(m_fonts.size() - 1);
}

double FontBook::width(int font, const QString &text) const
{
    return m_metrics[font].horizontalAdvance(text) / device_pixels_per_unit;
}
