#include "support/db_fixture.h"

namespace {

using NumberSeries = DbFixture;

} // namespace

TEST_F(NumberSeries, ListSeriesStartAtTheFirstNumberAndStepFromTheHighest)
{
    exec("UPDATE GENER_NO SET GEN_ID=1000, INCREMENT_ID=10 WHERE RECID=1024");
    const int start = m_api->lookup_int(1024, "GENER_NO", "GEN_ID");
    const int step = m_api->lookup_int(1024, "GENER_NO", "INCREMENT_ID");
    EXPECT_EQ(m_api->next_number("PARTNER_NO", "PAR", start, step), 1000);
    for (int number : {1000, 1100, 1230})
        insert_partner(number, QString::number(number));
    EXPECT_EQ(m_api->next_number("PARTNER_NO", "PAR", start, step), 1240);

    exec("DELETE FROM PAR");
    insert_partner(5, "below the first number");
    EXPECT_EQ(m_api->next_number("PARTNER_NO", "PAR", start, step), 1000);
}

TEST_F(NumberSeries, VouchersCountIncomeAndExpenseApart)
{
    exec("INSERT INTO TE (RECID, DATE_D) VALUES (1, '2026-01-01')");
    for (int n = 1; n <= 4; ++n)
        exec(QString("INSERT INTO TE_CASH (RECID, TE_ID, IS_INCOME, CASH_NO) VALUES (%1, 1, 'T', %2)")
                 .arg(100 + n)
                 .arg(n));
    for (int n = 1; n <= 2; ++n)
        exec(QString("INSERT INTO TE_CASH (RECID, TE_ID, IS_INCOME, CASH_NO) VALUES (%1, 1, 'F', %2)")
                 .arg(200 + n)
                 .arg(n));
    EXPECT_EQ(m_api->next_number("CASH_NO", "TE_CASH", 1, 1, "IS_INCOME='T'"), 5);
    EXPECT_EQ(m_api->next_number("CASH_NO", "TE_CASH", 1, 1, "IS_INCOME='F'"), 3);
    exec("DELETE FROM TE");
    EXPECT_EQ(m_api->next_number("CASH_NO", "TE_CASH", 1, 1, "IS_INCOME='T'"), 1);
}

TEST_F(NumberSeries, DocumentSeriesFollowTheHighestStoredNumber)
{
    exec("UPDATE GENER_NO SET GEN_ID=41 WHERE RECID=1");
    EXPECT_EQ(m_api->next_number("1", "DOC_HEAD", 1, 1), 42);

    struct Case {
        int typed;
        int next;
    };
    // Typing a higher number moves the series on; a lower one leaves it.
    for (const Case &c : {Case{57, 58}, Case{12, 58}}) {
        exec(QString("INSERT INTO DOC_HEAD (RECID, ID_DOC_TYPE, DOC_NO) VALUES (%1, 1, %2)")
                 .arg(m_api->new_recid())
                 .arg(c.typed));
        ASSERT_TRUE(m_api->mark_series_written(1, 0));
        EXPECT_EQ(m_api->next_number("1", "doc_head", 1, 1), c.next) << c.typed;
    }
    EXPECT_EQ(m_api->lookup_text(1, "GENER_NO", "LAST_WRITE"), "15.3.2026");
    EXPECT_EQ(m_api->lookup_int(2, "GENER_NO", "GEN_ID"), 0) << "other series untouched";

    exec("DELETE FROM DOC_HEAD");
    ASSERT_TRUE(m_api->mark_series_written(1, 0));
    EXPECT_EQ(m_api->next_number("1", "DOC_HEAD", 1, 1), 58) << "deleting never lowers";
    exec("DELETE FROM GENER_NO WHERE RECID=3");
    EXPECT_EQ(m_api->next_number("3", "DOC_HEAD", 1, 1), 1) << "a missing series counts 0";
}

TEST_F(NumberSeries, JournalSeriesTakesTheHigherOfCounterAndNumber)
{
    exec("UPDATE GENER_NO SET GEN_ID=15 WHERE RECID=128");
    EXPECT_EQ(m_api->lookup_text(128, "GENER_NO", "TXT") +
                  QString::number(m_api->next_number("128", "TE", 1, 1)),
              "PD16");
    ASSERT_TRUE(m_api->mark_series_written(128, TdbAPI::digits_value("PD7")));
    EXPECT_EQ(m_api->lookup_int(128, "GENER_NO", "GEN_ID"), 15);
    ASSERT_TRUE(m_api->mark_series_written(128, TdbAPI::digits_value("PD20")));
    EXPECT_EQ(m_api->lookup_int(128, "GENER_NO", "GEN_ID"), 20);
}

TEST(DigitsValue, ReadsEveryDigitOfTheText)
{
    const std::pair<const char *, int> cases[] = {
        {"PD15", 15}, {"A115", 115}, {" 0042 ", 42}, {"", 0}, {"PD", 0}, {"1-2/3", 123},
        {"99999999999999", 0}};
    for (const auto &[text, value] : cases)
        EXPECT_EQ(TdbAPI::digits_value(text), value) << text;
}
