#pragma once
// The report unit is 1/90 inch.  With 0.8 point per unit a PDF page of 744 x 1052 units is
// true A4 (595 x 842 points), and every position of a template maps to whole points often
// enough that frames line up on paper.

namespace report_units {

constexpr double per_inch = 90.0;
constexpr double points_per_inch = 72.0;
constexpr double pdf_points_per_unit = points_per_inch / per_inch;
constexpr double millimetres_per_unit = 25.4 / per_inch;
constexpr double twips_per_unit = 1440.0 / per_inch;

constexpr double a4_width = 744.0;
constexpr double a4_height = 1052.0;

constexpr double from_millimetres(double mm)
{
    return mm / millimetres_per_unit;
}

} // namespace report_units
