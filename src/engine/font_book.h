#pragma once
// The fonts of one preparation and their metrics on a fixed-resolution device: text is
// measured here once, never again on a printer or in an export filter.

#include "engine/display_list.h"

#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <vector>

class FontBook {
public:
    FontBook();

    // The index of the font in fonts(), added when new.
    int font(const FontStyle &style);
    // The advance of the text in report units: its characters' advances added up.
    double width(int font, QStringView text) const;
    const PreparedFont &prepared(int font) const { return m_fonts[font]; }
    std::vector<PreparedFont> take_fonts() { return std::move(m_fonts); }

    // The measuring device itself, for layouts Qt does on its own (rich text).
    QPaintDevice *device() { return &m_device; }
    static constexpr double device_pixels_per_unit = 8.0;

private:
    // Advances in device pixels, measured once per character: a list of thousands of rows
    // repeats the same few dozen letters.
    struct Advances {
        QFontMetricsF metrics;
        std::vector<double> common; // characters below common_limit, negative until measured
        QHash<char32_t, double> others;
    };
    static constexpr char16_t common_limit = 0x2200;

    double advance(Advances &advances, char32_t code) const;

    QImage m_device;
    std::vector<PreparedFont> m_fonts;
    mutable std::vector<Advances> m_advances;
};
