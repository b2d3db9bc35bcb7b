#include "engine/units.h"

#include <gtest/gtest.h>

TEST(ReportUnits, MillimetresRoundTrip)
{
    EXPECT_NEAR(report_units::from_millimetres(210.0), 744.09, 0.01);
    EXPECT_NEAR(report_units::from_millimetres(297.0), 1052.36, 0.01);
}
