#include "engine/units.h"

static_assert(report_units::pdf_points_per_unit == 0.8);
static_assert(report_units::a4_width * report_units::pdf_points_per_unit > 595.0 &&
              report_units::a4_width * report_units::pdf_points_per_unit < 596.0);
static_assert(report_units::a4_height * report_units::pdf_points_per_unit > 841.0 &&
              report_units::a4_height * report_units::pdf_points_per_unit < 842.0);
