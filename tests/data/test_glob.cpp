#include "text/format_settings.h"
#include "data/glob.h"
#include "text/number_format.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(AmountInWords, WritesTheWholeAmountInCzech)
{
    const struct {
        double amount;
        const char *words;
    } cases[] = {
        {0, ""},
        {0.99, ""},
        {1, "Jedna"},
        {1.99, "Jedna"},
        {2, "Dvě"},
        {3, "Tři"},
        {9, "Devět"},
        {10, "Deset"},
        {11, "Jedenáct"},
        {12, "Dvanáct"},
        {15, "Patnáct"},
        // koruna is feminine in the last group, thousands and millions stay masculine
        {21, "DvacetJedna"},
        {21.9, "DvacetJedna"},
        {22, "DvacetDvě"},
        {90, "Devadesát"},
        {91, "DevadesátJedna"},
        {92, "DevadesátDvě"},
        {99, "DevadesátDevět"},
        {100, "JednoSto"},
        {101, "JednoStoJedna"},
        {102, "JednoStoDvě"},
        {111, "JednoStoJedenáct"},
        {112, "JednoStoDvanáct"},
        {121, "JednoStoDvacetJedna"},
        {200, "DvěStě"},
        {342, "TřiStaČtyřicetDvě"},
        {500, "PětSet"},
        {1000, "JedenTisíc"},
        {1001, "JedenTisícJedna"},
        {1021, "JedenTisícDvacetJedna"},
        {2000, "DvaTisíce"},
        {2002, "DvaTisíceDvě"},
        {4001, "ČtyřiTisíceJedna"},
        {5000, "PětTisíc"},
        {10000, "DesetTisíc"},
        {10002, "DesetTisícDvě"},
        {10500, "DesetTisícPětSet"},
        {21000, "DvacetJedenTisíc"},
        {22022, "DvacetDvaTisícDvacetDvě"},
        {90000, "DevadesátTisíc"},
        {100000, "JednoStoTisíc"},
        {101000, "JednoStoJedenTisíc"},
        {1000000, "JedenMilion"},
        {1000002, "JedenMilionDvě"},
        {1234567, "JedenMilionDvěStěTřicetČtyřiTisícPětSetŠedesátSedm"},
        {2000000, "DvaMiliony"},
        {3000000, "TřiMiliony"},
        {7000000, "SedmMilionů"},
        {21000000, "DvacetJedenMilionů"},
        {100000000, "JednoStoMilionů"},
        {250000003, "DvěStěPadesátMilionůTři"},
        {999999999, "DevětSetDevadesátDevětMilionůDevětSetDevadesátDevětTisíc"
                    "DevětSetDevadesátDevět"},
        // beyond the limit before the fraction is cut off
        {999999999.5, ""},
        {999999999.99, ""},
        {1000000000, ""},
        {-5, ""},
        {-0.5, ""},
        {std::numeric_limits<double>::quiet_NaN(), ""},
        {std::numeric_limits<double>::infinity(), ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(amount_in_words(c.amount), QString::fromUtf8(c.words)) << c.amount;
}

class NumberTextTest : public testing::Test {
protected:
    void TearDown() override { set_decimal_separator(m_saved); }

    QChar m_saved = decimal_separator();
};

TEST_F(NumberTextTest, ParseAmountTakesEitherDecimalMark)
{
    const struct {
        const char *text;
        double with_point;
        double with_comma;
    } cases[] = {
        {"1,5", 1.5, 1.5},
        {"1.5", 1.5, 1.5},
        {"-3,25", -3.25, -3.25},
        {"+7", 7, 7},
        {"42", 42, 42},
        {" 12,5 ", 12.5, 12.5},
        {"1 234,50", 1234.5, 1234.5},
        {"1\u00a0234\u00a0567.5", 1234567.5, 1234567.5},
        {"1.234,5", 0, 0},
        {"1,234.5", 0, 0},
        {"1,2,3", 0, 0},
        {"abc", 0, 0},
        {"12abc", 0, 0},
        {"", 0, 0},
        {"-", 0, 0},
        {"inf", 0, 0},
        {"nan", 0, 0},
        {"1,5 Kč", 0, 0},
    };
    for (const auto &c : cases) {
        set_decimal_separator(u'.');
        EXPECT_EQ(parse_amount(QString::fromUtf8(c.text)), c.with_point) << c.text << " with .";
        set_decimal_separator(u',');
        EXPECT_EQ(parse_amount(QString::fromUtf8(c.text)), c.with_comma) << c.text << " with ,";
    }
}

TEST_F(NumberTextTest, ParseAmountReadsWhatTheFormatterWrites)
{
    for (const char16_t separator : {u'.', u','}) {
        set_decimal_separator(separator);
        for (const double value : {0.0, 5.0, -1234.5, 1234567.89, 999999999.99}) {
            EXPECT_EQ(parse_amount(format_number(value, "### ### ##0.00")), value);
            EXPECT_EQ(parse_amount(format_number(value, ",0.00")), value);
        }
    }
}

TEST_F(NumberTextTest, PaddingPutsSpacesInFront)
{
    set_decimal_separator(u',');
    EXPECT_EQ(format_padded(28, "### ##0.00", 1234.5), QString(20, u' ') + "1 234,50");
    EXPECT_EQ(format_padded(0, "### ##0.00", 1234.5), "1 234,50");
    EXPECT_EQ(format_padded(3, "### ##0.00", 1234.5), "1 234,50");
    EXPECT_EQ(format_padded(28, "### ##0.00", 1234567), QString(16, u' ') + "1 234 567,00");
    EXPECT_EQ(pad_left("abc", 5), "  abc");
    EXPECT_EQ(pad_left("abc", 2), "abc");
    EXPECT_EQ(pad_left("", 0), "");
}

} // namespace
