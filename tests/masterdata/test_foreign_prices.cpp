#include "support/db_fixture.h"

#include "data/memtable.h"
#include "masterdata/foreign_prices.h"

#include <cmath>
#include <limits>

namespace {

using ForeignPrices = DbFixture;

} // namespace

TEST(ProposedForeignPrice, IsTheCostAtTheRateAndZeroWithoutAUsableRate)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double cost, rate, amount, price;
    };
    for (const Case &c : {Case{250, 25, 1, 10}, Case{250, 2500, 100, 10},
                          Case{250, 14.12, 100, 1770.54}, Case{250, 25, 0, 0}, Case{250, 0, 1, 0},
                          Case{250, -25, 1, 0}, Case{250, 25, -1, 0}, Case{250, nan, 1, 0},
                          Case{250, 25, nan, 0}, Case{250, 25, inf, 0}, Case{inf, 25, 1, 0}}) {
        const double price = proposed_foreign_price(c.cost, c.rate, c.amount);
        EXPECT_TRUE(std::isfinite(price));
        EXPECT_DOUBLE_EQ(price, c.price) << c.cost << " " << c.rate << " " << c.amount;
    }
}

TEST_F(ForeignPrices, OnlyCurrenciesNotYetPricedAreOfferedWhateverTheirLetterCase)
{
    exec("INSERT INTO CURR_LIST (RECID, CURR_NAME, CURR_TITLE, CURR_AMOUNT, CURR_KURS) VALUES "
         "(3, 'JPY', 'japonský jen', 100, 14.12)");
    TMemTable *list = m_api->select_sql("X", "SELECT * FROM CURR_LIST");
    ASSERT_TRUE(list);
    std::vector<CurrencyChoice> offered = unpriced_currencies(*list, {QStringLiteral("eur")});
    ASSERT_EQ(offered.size(), 2u);
    EXPECT_EQ(offered[0].caption(), QStringLiteral("USD, americký dolar"));
    EXPECT_EQ(offered[1].name, QStringLiteral("JPY"));
    EXPECT_DOUBLE_EQ(offered[1].rate, 14.12);
    EXPECT_DOUBLE_EQ(offered[1].amount, 100);
    EXPECT_TRUE(unpriced_currencies(*list, {"EUR", "usd", "Jpy"}).empty());
    m_api->free_set(list);
}

TEST_F(ForeignPrices, APriceIsStoredCorrectedAndDeletedAfterTheQuestion)
{
    exec("INSERT INTO PRO (RECID, PRO_NO, PRO_NAME, COST) VALUES (9001, 1, 'Stůl', 250)");
    ForeignPrice price{0, 9001, 10.5, QStringLiteral("EUR")};
    price.recid = save_foreign_price(*m_api, price);
    ASSERT_GT(price.recid, 0);
    price.cost = 11;
    EXPECT_EQ(save_foreign_price(*m_api, price), price.recid);
    EXPECT_EQ(sqlite_shell("SELECT PRO_ID||'|'||COST||'|'||CURR_NAME FROM PRO_CURR"),
              "9001|11.0|EUR");

    TMemTable *prices = m_api->select_sql("PRO_CURR", "SELECT * FROM PRO_CURR WHERE PRO_ID=9001");
    ASSERT_TRUE(prices);
    EXPECT_EQ(priced_currencies(*prices), QStringList{QStringLiteral("EUR")});
    m_answer = mrNo;
    EXPECT_EQ(delete_foreign_price(prices), 0);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, QStringLiteral("Opravdu  vymazat cenu v cizí měně?"));
    EXPECT_EQ(m_messages[0].help_topic, 9007);
    m_answer = mrYes;
    EXPECT_EQ(delete_foreign_price(prices), price.recid);
    EXPECT_TRUE(prices->is_empty());
    EXPECT_EQ(sqlite_shell("SELECT COUNT(*) FROM PRO_CURR"), "0");
    EXPECT_EQ(delete_foreign_price(prices), 0);
    m_api->free_set(prices);
}

TEST_F(ForeignPrices, ARefusedSaveIsReportedAndTheProgramGoesOn)
{
    exec("CREATE TRIGGER REFUSE BEFORE INSERT ON PRO_CURR BEGIN SELECT RAISE(ABORT, 'Ne.'); END");
    EXPECT_EQ(save_foreign_price(*m_api, {0, 9001, 10, QStringLiteral("EUR")}), 0);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_FALSE(m_messages[0].fatal);
    EXPECT_FALSE(program_ending());
}
