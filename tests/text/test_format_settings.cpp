#include "text/format_settings.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

class FormatSettingsTest : public testing::Test {
protected:
    void SetUp() override
    {
        set_decimal_separator(u',');
        set_short_date_format("d.M.yyyy");
    }
    void TearDown() override
    {
        set_decimal_separator(m_separator);
        set_short_date_format(m_date_format);
    }

    QChar m_separator = decimal_separator();
    QString m_date_format = short_date_format();
};

TEST_F(FormatSettingsTest, GuardSwitchesToPointAndRestores)
{
    {
        DecimalPointGuard preview;
        EXPECT_EQ(decimal_separator(), u'.');
        {
            DecimalPointGuard graph;
            EXPECT_EQ(decimal_separator(), u'.');
        }
        EXPECT_EQ(decimal_separator(), u'.');
    }
    EXPECT_EQ(decimal_separator(), u',');
}

TEST_F(FormatSettingsTest, ShortDatesBothWays)
{
    EXPECT_EQ(format_short_date(QDate(2024, 1, 5)), "5.1.2024");
    EXPECT_EQ(format_short_date(QDate()), "");
    EXPECT_EQ(parse_short_date(" 05.01.2024 "), QDate(2024, 1, 5));
    EXPECT_EQ(parse_short_date("31.12.1999"), QDate(1999, 12, 31));
    for (const char *text : {"", "31.2.2024", "5.1.24", "2024-01-05", "abc"})
        EXPECT_FALSE(parse_short_date(text).isValid()) << text;

    set_short_date_format("dd/MM/yyyy");
    EXPECT_EQ(format_short_date(QDate(2024, 1, 5)), "05/01/2024");
    EXPECT_EQ(parse_short_date("05/01/2024"), QDate(2024, 1, 5));
}

TEST_F(FormatSettingsTest, SqlTextIgnoresTheDisplaySeparator)
{
    EXPECT_EQ(sql_date(QDate(2024, 1, 5)), "2024-01-05");
    EXPECT_EQ(sql_date(QDate(1, 1, 1)), "0001-01-01");
    EXPECT_EQ(sql_date(QDate()), "");

    for (const double value : {1.5, -1234.5, 0.1, 0.1 + 0.2, 1e20, 123456789.01, 1e-7}) {
        const QString text = sql_number(value);
        EXPECT_FALSE(text.contains(u',')) << text.toStdString();
        EXPECT_EQ(text.toDouble(), value) << text.toStdString();
    }
    EXPECT_EQ(sql_number(1.5), "1.5");
    EXPECT_EQ(sql_number(42), "42");
    EXPECT_EQ(sql_number(-0.0), "0");
    EXPECT_EQ(sql_number(std::numeric_limits<double>::quiet_NaN()), "NULL");
    EXPECT_EQ(sql_number(std::numeric_limits<double>::infinity()), "NULL");
}

TEST_F(FormatSettingsTest, QuotedTextCannotLeaveItsLiteral)
{
    EXPECT_EQ(sql_quote(""), "''");
    EXPECT_EQ(sql_quote("Novák"), "'Novák'");
    EXPECT_EQ(sql_quote("O'Brien"), "'O''Brien'");
    EXPECT_EQ(sql_quote("x'; DROP TABLE PAR; --"), "'x''; DROP TABLE PAR; --'");
    EXPECT_EQ(sql_quote("''"), "''''''");
}

} // namespace
