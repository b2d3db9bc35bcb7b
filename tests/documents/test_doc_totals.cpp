#include "documents/doc_totals.h"
#include "documents/doc_types.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

TEST(RoundByMode, EveryModeAtEveryBoundaryOfTheHundredths)
{
    // Amounts 12.hh for the boundaries h; 12.996 stands for h = 100.
    const double amounts[] = {12.004, 12.05, 12.10, 12.15, 12.25, 12.49, 12.50,
                              12.51,  12.75, 12.90, 12.95, 12.99, 12.996};
    const int hundredths[] = {0, 5, 10, 15, 25, 49, 50, 51, 75, 90, 95, 99, 100};
    // The fraction added to the whole part, per mode, for the amounts above.
    const double added[10][13] = {
        {}, // mode 0 returns the amount itself
        {0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1},
        {0, 0, 0, 0, .5, .5, .5, .5, 1, 1, 1, 1, 1},
        {0, .1, .1, .2, .3, .5, .5, .5, .8, .9, 1, 1, 1},
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1},
        {0, 0, 0, 0, 0, 0, .5, .5, .5, .5, .5, .5, .5},
        {0, 0, .1, .1, .2, .4, .5, .5, .7, .9, .9, .9, 1},
        {0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1},
        {0, .5, .5, .5, .5, .5, .5, 1, 1, 1, 1, 1, 1},
        {0, .1, .1, .2, .3, .5, .5, .6, .8, .9, 1, 1, 1},
    };
    for (int mode = 1; mode <= 9; ++mode)
        for (int i = 0; i < 13; ++i)
            EXPECT_DOUBLE_EQ(round_by_mode(mode, amounts[i]), 12.0 + added[mode][i])
                << "mode " << mode << ", h = " << hundredths[i];
}

TEST(RoundByMode, ExamplesAndEdgeCases)
{
    struct Case {
        int mode;
        double amount;
        double expected;
    };
    const Case cases[] = {
        {1, 1234.49, 1234}, {1, 1234.50, 1235}, {2, 99.20, 99},   {2, 99.25, 99.5},
        {5, 99.80, 99.5},   {8, 99.01, 99.5},   {8, 99.51, 100},  {9, 10.01, 10.1},
        {7, 12.004, 12},    {7, 12.01, 13},     {3, 10.95, 11},   {4, 12.996, 13},
        {5, 12.996, 12.5},  {6, 12.996, 13},    {2, 0.0, 0},      {7, 5.0, 5},
        // Below zero every mode works on the mirror, so the amount to pay stays a
        // rounding of the total.
        {7, -12.30, -13},   {4, -12.30, -12},   {2, -99.25, -99.5}, {9, -10.01, -10.1},
        // An unknown mode leaves the amount alone.
        {10, 12.34, 12.34}, {-1, 12.34, 12.34},
    };
    for (const Case &c : cases)
        EXPECT_DOUBLE_EQ(round_by_mode(c.mode, c.amount), c.expected)
            << "mode " << c.mode << ", amount " << c.amount;
}

TEST(RoundByMode, ModeZeroReturnsTheAmountBitForBit)
{
    const double amounts[] = {0.1 + 0.2, 12.004, -0.0, 1e300, 123456789.987654321,
                              std::numeric_limits<double>::denorm_min()};
    for (const double amount : amounts) {
        const double result = round_by_mode(0, amount);
        EXPECT_EQ(std::memcmp(&result, &amount, sizeof amount), 0) << amount;
    }
    EXPECT_TRUE(std::isnan(round_by_mode(3, std::nan(""))));
}

TEST(ItemCost, DiscountIsTakenOffAndNothingIsRounded)
{
    EXPECT_DOUBLE_EQ(item_cost(3, 99.90, 10), 269.73);
    EXPECT_DOUBLE_EQ(item_cost(3, 99.90, 0), 299.70);
    EXPECT_DOUBLE_EQ(item_cost(1, 0.333, 0), 0.333);
    EXPECT_DOUBLE_EQ(item_cost(2, 50, 100), 0);
    EXPECT_DOUBLE_EQ(document_total({}), 0);
    EXPECT_DOUBLE_EQ(document_total({item_cost(3, 99.90, 10), 0.27, -20}), 250);
}

TEST(CurrencyRate, AmountBelowOneCountsAsOneAndZeroRateLeavesThePrice)
{
    EXPECT_DOUBLE_EQ(home_price_in_currency(255, currency_rate(1, 25.50)), 10.0);
    EXPECT_DOUBLE_EQ(home_price_in_currency(255, currency_rate(0, 25.50)), 10.0);
    EXPECT_DOUBLE_EQ(home_price_in_currency(255, currency_rate(100, 2550)), 10.0);
    EXPECT_DOUBLE_EQ(home_price_in_currency(255, currency_rate(1, 0)), 255);
    EXPECT_DOUBLE_EQ(home_price_in_currency(255, currency_rate(1, -3)), 255);
}

TEST(DocTypes, NamesCaptionsAndColours)
{
    EXPECT_EQ(doc_type_name(2), "faktura došlá");
    EXPECT_EQ(doc_type_name(5), "???");
    EXPECT_EQ(doc_window_caption(3, false, true), "dobropis vydaný - nový");
    EXPECT_EQ(doc_window_caption(4, true, true), "dobropisy došlé - seznam");
    EXPECT_EQ(doc_window_caption(1, false, false), "faktura vydaná - oprava");
    EXPECT_EQ(doc_window_caption(0, true, false), "");
    EXPECT_EQ(doc_type_color(1), QColor(0, 0, 255));
    EXPECT_EQ(doc_type_color(9), QColor(0, 0, 0));
    EXPECT_TRUE(brings_money_in(1) && brings_money_in(4));
    EXPECT_FALSE(brings_money_in(2) || brings_money_in(3));
    EXPECT_EQ(default_rounding_mode(1), 2);
    EXPECT_EQ(default_rounding_mode(3), 0);
    EXPECT_EQ(rounding_mode_names().size(), 10);
    EXPECT_EQ(rounding_mode_names()[8], "na padesátihaléře nahoru");
}
