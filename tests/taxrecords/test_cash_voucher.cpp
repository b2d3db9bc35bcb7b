#include "support/db_fixture.h"

#include "data/clock.h"
#include "taxrecords/cash_voucher.h"

namespace {

class Vouchers : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        exec("INSERT INTO CONF_BANKCASH (RECID, IS_BANK, MNAME) VALUES (501, 'F', 'Pokladna')");
        // Category 8 holds incomes and expenses.
        exec("INSERT INTO TE (RECID, DOC_ID, DATE_D, DOC_NO, GRP_ID, TE_TEXT, CASH_ID, "
             "INCOME, OUTCOME) VALUES (900, 0, '2026-03-02', 'PD7', 8, 'převod', 501, 300, 200)");
    }

    QString stored(const QString &select) const { return sqlite_shell(select).trimmed(); }

    void add_voucher(int entry, const char *kind, int number)
    {
        exec(QString("INSERT INTO TE_CASH VALUES(null, %1, '%2', %3, '2026-01-01', 't', 'n', 'a')")
                 .arg(entry)
                 .arg(kind)
                 .arg(number));
    }

    // What the dialog does on OK with the number it proposed.
    bool confirm_and_store(int number)
    {
        voucher_details().number = QString::number(number);
        return store_voucher(*m_api);
    }
};

TEST_F(Vouchers, EachKindIsNumberedInItsOwnSequence)
{
    std::optional<VoucherEntry> first = prepare_voucher(*m_api, 900, true);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->proposed_number, 1);

    for (int number = 1; number <= 5; ++number)
        add_voucher(800 + number, "T", number);
    add_voucher(811, "F", 1);
    add_voucher(812, "F", 2);
    EXPECT_EQ(prepare_voucher(*m_api, 900, true)->proposed_number, 6);
    const std::optional<VoucherEntry> expense = prepare_voucher(*m_api, 900, false);
    EXPECT_EQ(expense->proposed_number, 3);
    EXPECT_DOUBLE_EQ(expense->amount, 200);
    EXPECT_EQ(expense->doc_no, QStringLiteral("PD7"));
    EXPECT_EQ(voucher_details().kind, QStringLiteral("F"));
    EXPECT_EQ(voucher_details().date, QDate(2026, 3, 15));
    EXPECT_EQ(voucher_details().purpose, QStringLiteral("převod"));
    EXPECT_TRUE(voucher_details().number.isEmpty());
}

TEST_F(Vouchers, AReprintKeepsItsNumberAndTextsAndUpdatesTheSameRow)
{
    prepare_voucher(*m_api, 900, true);
    voucher_details().name = QStringLiteral("O'Brien & syn");
    voucher_details().address = QStringLiteral("Brno, Údolní 5 – 100 %1 %2");
    ASSERT_TRUE(confirm_and_store(1));
    const QString first_row = stored("SELECT RECID FROM TE_CASH");

    set_fixed_today(QDate(2026, 4, 1));
    const std::optional<VoucherEntry> again = prepare_voucher(*m_api, 900, true);
    EXPECT_EQ(again->proposed_number, 1);
    EXPECT_EQ(voucher_details().name, QStringLiteral("O'Brien & syn"));
    EXPECT_EQ(voucher_details().voucher_id, first_row.toInt());
    voucher_details().purpose = QStringLiteral("převod 'hotovosti'");
    ASSERT_TRUE(confirm_and_store(again->proposed_number));
    EXPECT_EQ(stored("SELECT RECID||'|'||TE_ID||'|'||IS_INCOME||'|'||CASH_NO||'|'||DATE_D||'|'||"
                     "TXT||'|'||PAR_NAME||'|'||PAR_ADDRESS FROM TE_CASH"),
              first_row + QStringLiteral("|900|T|1|2026-04-01|převod 'hotovosti'|O'Brien & syn|"
                                         "Brno, Údolní 5 – 100 %1 %2"));
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(Vouchers, TheOtherKindOfTheSameEntryGetsItsOwnRowAndNumber)
{
    add_voucher(801, "F", 4);
    prepare_voucher(*m_api, 900, true);
    ASSERT_TRUE(confirm_and_store(1));
    const std::optional<VoucherEntry> expense = prepare_voucher(*m_api, 900, false);
    EXPECT_EQ(expense->proposed_number, 5);
    EXPECT_EQ(voucher_details().voucher_id, 0);
    ASSERT_TRUE(confirm_and_store(expense->proposed_number));
    EXPECT_EQ(stored("SELECT group_concat(IS_INCOME||CASH_NO, ',') FROM "
                     "(SELECT * FROM TE_CASH WHERE TE_ID=900 ORDER BY RECID)"),
              QStringLiteral("T1,F5"));
    // Deleting the entry takes both of its vouchers with it.
    exec("DELETE FROM TE WHERE RECID=900");
    EXPECT_EQ(m_api->count_rows("TE_CASH"), 1);
}

TEST_F(Vouchers, NothingIsStoredWithoutANumberOfAtLeastOneOrWithoutAnEntry)
{
    for (const char *number : {"", "0", "-3", "x"}) {
        prepare_voucher(*m_api, 900, true);
        voucher_details().number = QString::fromUtf8(number);
        EXPECT_FALSE(store_voucher(*m_api)) << number;
    }
    EXPECT_FALSE(prepare_voucher(*m_api, 12345, true));
    voucher_details().number = QStringLiteral("1");
    EXPECT_FALSE(store_voucher(*m_api));
    EXPECT_EQ(m_api->count_rows("TE_CASH"), 0);
}

} // namespace
