#include "engine/font_book.h"

#include "engine/units.h"

#include <QFont>

FontBook::FontBook() : m_device(1, 1, QImage::Format_Mono)
{
    const double dots_per_metre = report_units::per_inch * device_pixels_per_unit / 0.0254;
    m_device.setDotsPerMeterX(qRound(dots_per_metre));
    m_device.setDotsPerMeterY(qRound(dots_per_metre));
}

int FontBook::font(const FontStyle &style)
{
    for (size_t i = 0; i < m_fonts.size(); ++i)
        if (m_fonts[i].style == style)
            return int(i);
    const QFontMetricsF metrics(to_qfont(style), &m_device);
    PreparedFont prepared;
    prepared.style = style;
    prepared.ascent = metrics.ascent() / device_pixels_per_unit;
    prepared.height = metrics.height() / device_pixels_per_unit;
    m_fonts.push_back(prepared);
    m_advances.push_back({metrics, std::vector<double>(common_limit, -1.0), {}});
    return int(m_fonts.size() - 1);
}

double FontBook::advance(Advances &advances, char32_t code) const
{
    if (code < common_limit) {
        double &known = advances.common[code];
        if (known < 0)
            known = advances.metrics.horizontalAdvance(QChar(char16_t(code)));
        return known;
    }
    const auto found = advances.others.constFind(code);
    if (found != advances.others.cend())
        return *found;
    const double measured = advances.metrics.horizontalAdvance(QString::fromUcs4(&code, 1));
    advances.others.insert(code, measured);
    return measured;
}

double FontBook::width(int font, QStringView text) const
{
    Advances &advances = m_advances[size_t(font)];
    const double *common = advances.common.data();
    double width = 0.0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        // The letters of a list, measured long ago: no call for them.  Surrogates lie above
        // the common ones.
        if (c.unicode() < common_limit && common[c.unicode()] >= 0)
            width += common[c.unicode()];
        else if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            width += advance(advances, QChar::surrogateToUcs4(c, text.at(++i)));
        else
            width += advance(advances, c.unicode());
    }
    return width / device_pixels_per_unit;
}
