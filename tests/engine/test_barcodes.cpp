#include "engine/code128.h"
#include "engine/qr_code.h"
#include "engine/report_error.h"

#include "report_fixture.h"

#include <gtest/gtest.h>

namespace {

TEST(Code128, ChoosesCodeSetsAndCheckValue)
{
    struct Case {
        const char *text;
        std::vector<int> values;
    };
    const Case cases[] = {
        // Start B, the letters and digits in set B, the check value 55.
        {"PJJ123C", {104, 48, 42, 42, 17, 18, 19, 35, 55}},
        // Digits alone: start C, pairs.
        {"1234", {105, 12, 34, 82}},
        // Four digits at the end go into set C; an odd digit left over back in set B.
        {"A12345", {104, 33, 99, 12, 34, 100, 21, 0}},
        {"", {104, 1}},
        // Outside printable ASCII: "?".
        {"č", {104, 31, 32}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(code128_values(QString::fromUtf8(c.text)), c.values) << c.text;
}

TEST(Code128, BarsFillTheWidthBetweenTheQuietZones)
{
    const std::vector<QRectF> bars = code128_bars(QStringLiteral("1234"), 10, QSizeF(200, 40));
    // 4 symbols of 11 modules, the stop of 13 and 2 x 10 quiet modules: 77 modules.
    const double module = 200.0 / 77;
    ASSERT_FALSE(bars.empty());
    EXPECT_NEAR(bars.front().left(), 10 * module, 1e-9);
    EXPECT_NEAR(bars.back().right(), 200 - 10 * module, 1e-9);
    for (const QRectF &bar : bars)
        EXPECT_EQ(bar.height(), 40);
}

TEST(QrCode, ModulesFillACentredSquareAndTooLongTextsRaise)
{
    const std::vector<QRectF> modules =
        qr_modules(QStringLiteral("SPD*1.0*AM:100.00"), QrErrorLevel::M, 4, QSizeF(300, 100));
    ASSERT_FALSE(modules.empty());
    QRectF bounds;
    for (const QRectF &module : modules)
        bounds |= module;
    EXPECT_NEAR(bounds.width(), bounds.height(), 1e-9);
    EXPECT_NEAR(bounds.center().x(), 150, 1e-9);
    EXPECT_GT(bounds.left(), 100);
    EXPECT_THROW(qr_modules(QString(8000, u'x'), QrErrorLevel::H, 4, QSizeF(100, 100)),
                 ReportError);
}

} // namespace
