#include "support/db_fixture.h"

#include "taxrecords/entry_currency.h"
#include "taxrecords/entry_document.h"
#include "taxrecords/journal_entry.h"

#include <QProcess>

namespace {

class Journal : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        exec("INSERT INTO CONF_BANKCASH (RECID, IS_BANK, MNAME) VALUES (501, 'F', 'Pokladna')");
    }

    QString stored(const QString &select) const { return sqlite_shell(select).trimmed(); }

    JournalEntry entry_without_document(const QString &number) const
    {
        JournalEntry entry;
        entry.date = QDate(2026, 3, 15);
        entry.doc_no = number;
        entry.grp_id = 6;
        entry.text = QStringLiteral("Nájem kanceláře 'U Nováků'");
        entry.cash_id = 501;
        entry.outcome = 1234.5;
        return entry;
    }

    void add_document(int id, int type, double round_sum, const char *currency = "Kč",
                      double rate = 1.0)
    {
        exec(QString("INSERT INTO DOC_HEAD (RECID, ID_DOC_TYPE, DOC_NO, DATE_D, DOC_TITLE, "
                     "ALL_SUM, ROUND_SUM, CURR_NAME, CURR_AMOUNT, CURR_KURS) VALUES "
                     "(%1, %2, 42, '2026-03-01', 'Dodávka oken', %3, %3, '%4', 1, %5)")
                 .arg(id)
                 .arg(type)
                 .arg(round_sum)
                 .arg(currency)
                 .arg(rate));
    }

    void pay(int document, double income, double outcome)
    {
        exec(QString("INSERT INTO TE (RECID, DOC_ID, DATE_D, INCOME, OUTCOME) VALUES "
                     "(%1, %2, '2026-03-10', %3, %4)")
                 .arg(m_api->new_recid())
                 .arg(document)
                 .arg(income)
                 .arg(outcome));
    }
};

TEST_F(Journal, EntryWithoutDocumentIsNumberedInTheJournalSeriesAndRaisesIt)
{
    exec("UPDATE GENER_NO SET GEN_ID=9 WHERE RECID=128");
    EXPECT_EQ(proposed_journal_number(*m_api), QStringLiteral("PD10"));

    struct Case {
        const char *typed;
        int series_after;
    };
    // The series only rises: a number typed below it leaves it where it was.
    for (const Case &c : {Case{"PD10", 10}, Case{"PD25", 25}, Case{"PD3", 25}}) {
        const int id = entry_without_document(QString::fromUtf8(c.typed)).save(*m_api);
        ASSERT_NE(id, 0) << c.typed;
        EXPECT_EQ(m_api->lookup_int(128, "GENER_NO", "GEN_ID"), c.series_after) << c.typed;
    }
    EXPECT_EQ(proposed_journal_number(*m_api), QStringLiteral("PD26"));
    EXPECT_EQ(stored("SELECT DOC_ID||'|'||DATE_D||'|'||DOC_NO||'|'||GRP_ID||'|'||TE_TEXT||'|'||"
                     "CASH_ID||'|'||ORIGIN_CURR||'|'||CURR_AMOUNT||'|'||CURR_KURS||'|'||INCOME||"
                     "'|'||OUTCOME FROM TE WHERE DOC_NO='PD25'"),
              QStringLiteral("0|2026-03-15|PD25|6|Nájem kanceláře 'U Nováků'|501|Kč|1|1.0|0.0|"
                             "1234.5"));
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(Journal, CorrectionUpdatesTheSameRowAndAPaymentLeavesTheSeriesAlone)
{
    add_document(700, 1, 1000);
    JournalEntry payment;
    payment.doc_id = 700;
    payment.date = QDate(2026, 3, 12);
    payment.doc_no = QStringLiteral("42");
    payment.grp_id = 1;
    payment.text = QStringLiteral("Dodávka oken");
    payment.cash_id = 501;
    payment.income = 400;
    const int id = payment.save(*m_api);
    ASSERT_NE(id, 0);
    EXPECT_EQ(m_api->lookup_int(128, "GENER_NO", "GEN_ID"), 0);
    EXPECT_EQ(stored("SELECT LAST_WRITE FROM GENER_NO WHERE RECID=128"), "2008-01-01");

    payment.recid = id;
    payment.income = 600;
    EXPECT_EQ(payment.save(*m_api), id);
    EXPECT_EQ(stored("SELECT COUNT(*)||'|'||SUM(INCOME) FROM TE"), "1|600.0");
}

TEST_F(Journal, AFailedWriteIsReportedRolledBackAndDoesNotEndTheProgram)
{
    struct Case {
        const char *name;
        const char *trigger;
    };
    const Case cases[] = {
        {"entry refused", "CREATE TRIGGER REFUSE BEFORE INSERT ON TE BEGIN "
                          "SELECT RAISE(ABORT, 'no entries'); END"},
        {"series stamp refused", "CREATE TRIGGER REFUSE BEFORE UPDATE ON GENER_NO BEGIN "
                                 "SELECT RAISE(ABORT, 'no stamps'); END"},
    };
    for (const Case &c : cases) {
        exec(QString::fromUtf8(c.trigger));
        m_messages.clear();
        EXPECT_EQ(entry_without_document(QStringLiteral("PD1")).save(*m_api), 0) << c.name;
        EXPECT_EQ(m_api->count_rows("TE"), 0) << c.name;
        EXPECT_EQ(m_api->lookup_int(128, "GENER_NO", "GEN_ID"), 0) << c.name;
        ASSERT_FALSE(m_messages.empty()) << c.name;
        EXPECT_EQ(m_messages.back().text, QStringLiteral("Záznam se nepodařilo uložit!"));
        EXPECT_EQ(m_messages.back().title, QStringLiteral("Chyba"));
        for (const RecordedMessage &message : m_messages)
            EXPECT_FALSE(message.fatal) << c.name;
        EXPECT_FALSE(program_ending()) << c.name;
        exec("DROP TRIGGER REFUSE");
    }
    // The session goes on: the same entry saves once nothing refuses it.
    EXPECT_NE(entry_without_document(QStringLiteral("PD1")).save(*m_api), 0);
}

TEST_F(Journal, ASaveThatCannotBeginItsTransactionSaysSo)
{
    // Another program holds the database for writing until it is ended.
    QProcess other;
    other.start(QStringLiteral("sqlite3"), {database_path()});
    ASSERT_TRUE(other.waitForStarted());
    other.write("BEGIN IMMEDIATE;\nSELECT 'held';\n");
    ASSERT_TRUE(other.waitForReadyRead());
    ASSERT_EQ(other.readAllStandardOutput().trimmed(), "held");

    EXPECT_EQ(entry_without_document(QStringLiteral("PD1")).save(*m_api), 0);
    ASSERT_FALSE(m_messages.empty());
    EXPECT_EQ(m_messages.back().text, QStringLiteral("Záznam se nepodařilo uložit!"));
    EXPECT_FALSE(program_ending());
    other.kill();
    other.waitForFinished();
    EXPECT_EQ(m_api->count_rows("TE"), 0);
    EXPECT_NE(entry_without_document(QStringLiteral("PD1")).save(*m_api), 0);
}

TEST_F(Journal, AnEntryIsCompleteOnlyWithDateCategoryAccountTextAndAPositiveAmount)
{
    struct Case {
        const char *name;
        std::function<void(JournalEntry &)> change;
        bool complete;
    };
    const Case cases[] = {
        {"as typed", [](JournalEntry &) {}, true},
        {"no date", [](JournalEntry &e) { e.date = {}; }, false},
        {"no category", [](JournalEntry &e) { e.grp_id = 0; }, false},
        {"no account", [](JournalEntry &e) { e.cash_id = 0; }, false},
        {"blank text", [](JournalEntry &e) { e.text = QStringLiteral("  "); }, false},
        {"no amount", [](JournalEntry &e) { e.outcome = 0; }, false},
        {"less than a cent", [](JournalEntry &e) { e.outcome = 0.0000000001; }, false},
        {"negative expense", [](JournalEntry &e) { e.outcome = -10; }, false},
        {"negative income beside an expense", [](JournalEntry &e) { e.income = -10; }, false},
        {"income and expense", [](JournalEntry &e) { e.income = 5; }, true},
    };
    for (const Case &c : cases) {
        JournalEntry entry = entry_without_document(QStringLiteral("PD1"));
        c.change(entry);
        EXPECT_EQ(entry.complete(), c.complete) << c.name;
        if (!c.complete) {
            EXPECT_EQ(entry.save(*m_api), 0) << c.name;
        }
    }
    EXPECT_EQ(m_api->count_rows("TE"), 0);
}

TEST_F(Journal, WhatRemainsToPayIsCountedInWholeCents)
{
    add_document(700, 1, 865.08);
    EntryDocument document = *read_entry_document(*m_api, 700);
    EXPECT_DOUBLE_EQ(remaining_to_pay(*m_api, document, 0), 865.08);
    pay(700, 385.81, 0);
    EXPECT_DOUBLE_EQ(remaining_to_pay(*m_api, document, 0), 479.27);
    // A correction of the first payment may take it up to the whole amount again.
    EXPECT_DOUBLE_EQ(remaining_to_pay(*m_api, document, 385.81), 865.08);
    pay(700, 479.27, 0);
    const double remaining = remaining_to_pay(*m_api, document, 0);
    EXPECT_EQ(remaining, 0.0);
    EXPECT_TRUE(fully_paid(remaining));
    EXPECT_FALSE(fully_paid(remaining_to_pay(*m_api, document, 479.27)));

    struct Limit {
        double amount;
        double remaining;
        bool accepted;
    };
    for (const Limit &l : {Limit{600, 600, true}, Limit{600.01, 600, false}, Limit{0, 600, true},
                           Limit{-1, 600, false}, Limit{599.999, 600, true}}) {
        EXPECT_EQ(amount_within(l.amount, l.remaining), l.accepted) << l.amount;
    }
}

TEST_F(Journal, TheDocumentGivesDirectionCurrencyAccountAndItsDescription)
{
    struct Case {
        int type;
        bool by_income;
        const char *name;
    };
    const Case cases[] = {{1, true, "faktura vydaná"},
                          {2, false, "faktura došlá"},
                          {3, false, "dobropis vydaný"},
                          {4, true, "dobropis došlý"}};
    int id = 700;
    for (const Case &c : cases) {
        ++id;
        add_document(id, c.type, 1000, "EUR", 25.125);
        exec(
            QString("INSERT INTO DOC_DRS%1 (RECID, ID_BANK) VALUES (%2, 501)").arg(c.type).arg(id));
        const std::optional<EntryDocument> document = read_entry_document(*m_api, id);
        ASSERT_TRUE(document) << c.type;
        EXPECT_EQ(document->paid_by_income(), c.by_income) << c.type;
        EXPECT_EQ(document->bank_id, 501) << c.type;
        EXPECT_EQ(document->curr_name, QStringLiteral("EUR"));
        EXPECT_DOUBLE_EQ(document->curr_kurs, 25.125);
        EXPECT_EQ(document->description(),
                  QString::fromUtf8(c.name) +
                      QStringLiteral(", 1.3.2026, 42, 1 000,00 EUR, Dodávka oken"))
            << c.type;
    }
    EXPECT_FALSE(read_entry_document(*m_api, 999));
    EXPECT_EQ(missing_document_text(999), QStringLiteral("Doklad s ID: 999 neexistuje!"));
}

TEST_F(Journal, TheCurrencyListStartsWithTheHomeCurrency)
{
    const std::vector<EntryCurrency> list = entry_currencies(*m_api);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].name, QStringLiteral("Kč"));
    EXPECT_EQ(list[0].amount, 1);
    EXPECT_DOUBLE_EQ(list[0].kurs, 1.0);
    const EntryCurrency *euro = find_currency(list, QStringLiteral("EUR"));
    ASSERT_TRUE(euro);
    EXPECT_DOUBLE_EQ(euro->kurs, 24.5);
    EXPECT_EQ(euro->title, QStringLiteral("euro"));
    EXPECT_FALSE(find_currency(list, QStringLiteral("GBP")));
}

} // namespace
