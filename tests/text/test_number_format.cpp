#include "text/format_settings.h"
#include "text/number_format.h"

#include <cfloat>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

class NumberFormatTest : public testing::Test {
protected:
    void TearDown() override { set_decimal_separator(m_saved); }

    QChar m_saved = decimal_separator();
};

struct FormatCase {
    const char *format;
    double value;
    char16_t separator;
    const char *expected;
};

TEST_F(NumberFormatTest, FormatsByTheDisplayFormat)
{
    const FormatCase cases[] = {
        // literal spaces between digit positions appear only inside the number
        {"### ##0.00", 5, u',', "5,00"},
        {"### ##0.00", 0, u',', "0,00"},
        {"### ##0.00", 1234.5, u',', "1 234,50"},
        {"### ##0.00", 1234.5, u'.', "1 234.50"},
        // digits beyond a space-grouped format keep being grouped by three
        {"### ##0.00", 123456, u',', "123 456,00"},
        {"### ##0.00", 1234567.891, u',', "1 234 567,89"},
        {"### ##0.00", -1234567890, u',', "-1 234 567 890,00"},
        {"# ##0.00", 1234567, u',', "1 234 567,00"},
        {"### ##0 Kč", 12345678, u',', "12 345 678 Kč"},
        {"### ##0.00", -5, u',', "-5,00"},
        {"### ##0.00", -1234.5, u',', "-1 234,50"},
        {"### ##0.00", 999.995, u',', "1 000,00"},
        {"### ### ##0.00", 12345678.9, u',', "12 345 678,90"},
        {"### ### ##0.00 Kč", 5, u',', "5,00 Kč"},
        {"### ### ##0.00 Kč", -0.5, u',', "-0,50 Kč"},
        {"### ### ##0.00 EUR", 1234567.5, u'.', "1 234 567.50 EUR"},
        // rounding half away from zero on the decimal the user sees
        {"### ##0.00", 2.675, u',', "2,68"},
        {"### ##0.00", -2.675, u',', "-2,68"},
        {"### ##0.00", 1.005, u',', "1,01"},
        {"### ##0.00", 0.125, u',', "0,13"},
        {"### ##0.00", 0.004999, u',', "0,00"},
        {"### ##0.00", -0.004, u',', "0,00"},
        {"0.0#", 1.255, u',', "1,26"},
        {"0", 2.5, u',', "3"},
        {"0", -2.5, u',', "-3"},
        // grouping
        {",0.00", 1234567.5, u',', "1 234 567,50"},
        {",0.00", 12, u',', "12,00"},
        {",0.00", -1234, u'.', "-1 234.00"},
        {"#,##0.00 Kč", 1000, u',', "1 000,00 Kč"},
        {"#,##0.00 Kč", 999, u',', "999,00 Kč"},
        {"#,##0.00 Kč", 0.5, u',', "0,50 Kč"},
        {"#,##0.00 Kč", -1234567.005, u',', "-1 234 567,01 Kč"},
        {"### ### ### ##0.00##", 1234.5, u',', "1 234,50"},
        {"### ### ### ##0.00##", 0.123456, u',', "0,1235"},
        {"### ### ### ##0.00##", 1234567890123.25, u',', "1 234 567 890 123,25"},
        // optional digits
        {"########.##", 5, u',', "5"},
        {"########.##", 0, u',', "0"},
        {"########.##", 0.5, u',', "0,5"},
        {"########.##", 0.001, u',', "0"},
        {"########.##", 1234.567, u',', "1234,57"},
        {"########.##", -12.3, u'.', "-12.3"},
        {"########.##", 123456789012.5, u',', "123456789012,5"},
        {"0.0#", 1, u',', "1,0"},
        {"0.0#", 1.25, u',', "1,25"},
        {"0.0#", 0.04, u',', "0,04"},
        {"0.0#", 9.999, u',', "10,0"},
        {"000", 7, u',', "007"},
        // literals before the first digit position are always written, the sign after them
        {"Kč #0", -5, u',', "Kč -5"},
        {"(0.00)", 3, u',', "(3,00)"},
        // no format: the shortest text of the double
        {"", 0.1, u',', "0,1"},
        {"", -1234.5, u'.', "-1234.5"},
        {"", 1e20, u',', "100000000000000000000"},
        {"", 0.1 + 0.2, u',', "0,30000000000000004"},
        {"", 0, u',', "0"},
        {"", -0.0, u',', "0"},
    };
    for (const FormatCase &c : cases) {
        set_decimal_separator(c.separator);
        EXPECT_EQ(format_number(c.value, QString::fromUtf8(c.format)),
                  QString::fromUtf8(c.expected))
            << "format \"" << c.format << "\" value " << c.value;
    }
}

TEST_F(NumberFormatTest, ExtremeValuesDoNotBreakIt)
{
    set_decimal_separator(u',');
    const QString nan = format_number(std::numeric_limits<double>::quiet_NaN(), "### ##0.00");
    EXPECT_FALSE(nan.contains(u'0'));
    EXPECT_EQ(format_number(std::numeric_limits<double>::infinity(), ",0.00"), "INF");
    EXPECT_EQ(format_number(-std::numeric_limits<double>::infinity(), ""), "-INF");

    const QString huge = format_number(DBL_MAX, "### ##0.00");
    EXPECT_TRUE(huge.startsWith("179 769 313 486 231"));
    EXPECT_TRUE(huge.endsWith(" 000,00"));
    EXPECT_EQ(huge.size(), 309 + 102 + 3);
    EXPECT_EQ(format_number(-DBL_MAX, ",0").count(u' '), 102);

    EXPECT_EQ(format_number(5e-324, "0.00"), "0,00");
    const QString tiny = format_number(5e-324, "");
    EXPECT_TRUE(tiny.startsWith("0,000"));
    EXPECT_TRUE(tiny.endsWith("5"));
    EXPECT_EQ(format_number(1e-5, "0.0000000000"), "0,0000100000");
}

// A report reads an object's format once and writes every row's amount with it, while the
// preview may have switched the decimal separator after the format was read.
TEST_F(NumberFormatTest, OneFormatWritesEveryNumberAsTheFormatterDoes)
{
    set_decimal_separator(u',');
    const NumberFormat amounts(QStringLiteral("### ##0.00 Kč"));
    set_decimal_separator(u'.');
    for (const double value : {1234.5, DBL_MAX, -0.004, 5.0, -1234567.891, 0.0})
        EXPECT_EQ(amounts.format(value), format_number(value, QStringLiteral("### ##0.00 Kč")))
            << value;
    EXPECT_EQ(amounts.format(1234.5), QStringLiteral("1 234.50 Kč"));
    // The same amount again, once the separator is back: a list repeats its amounts.
    set_decimal_separator(u',');
    EXPECT_EQ(amounts.format(1234.5), QStringLiteral("1 234,50 Kč"));
    EXPECT_EQ(amounts.format(-0.0), QStringLiteral("0,00 Kč"));
    EXPECT_EQ(amounts.format(0.0), QStringLiteral("0,00 Kč"));
    EXPECT_TRUE(NumberFormat().is_empty());
    EXPECT_EQ(NumberFormat().format(-1234.5), QStringLiteral("-1234,5"));
}

} // namespace
