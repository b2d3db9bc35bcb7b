#pragma once
// The fonts of one preparation and their metrics on a fixed-resolution device: text is
// measured here once, never again on a printer or in an export filter.

#include "engine/display_list.h"

#include <QFontMetricsF>
#include <QImage>
#include <vector>

class FontBook {
public:
    FontBook();

    // The index of the font in fonts(), added when new.
    int font(const FontSpec &spec);
    // The advance of the text in report units.
    double width(int font, const QString &text) const;
    const PreparedFont &prepared(int font) const { return m_fonts[font]; }
    std::vector<PreparedFont> take_fonts() { return std::move(m_fonts); }

    // The measuring device itself, for layouts Qt does on its own (rich text).
    QPaintDevice *device() { return &m_device; }
    static constexpr double device_pixels_per_unit = 8.0;

private:
    QImage m_device;
    std::vector<PreparedFont> m_fonts;
    std::vector<QFontMetricsF> m_metrics;
};
