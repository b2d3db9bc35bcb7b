#include "support/db_fixture.h"

#include "documents/doc_payments.h"
#include "taxrecords/bank_import.h"

#include <QFile>
#include <functional>

namespace {

QByteArray fixture(const char *name)
{
    QFile file(QStringLiteral(TALLYRA_BANK_FIXTURES "/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

class BankImportTest : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        exec("INSERT INTO CONF_BANKCASH (RECID, IS_BANK, MNAME, MNO, IBAN) VALUES "
             "(601, 'T', 'Běžný účet', '19-2000145399/0800', 'CZ65 0800 0000 1920 0014 5399'), "
             "(602, 'T', 'Spořicí účet', '2000145400/0800', '')");
    }

    void add_document(int id, int type, const char *symbol, double round_sum,
                      const char *currency = "Kč", double paid = 0.0)
    {
        exec(QString("INSERT INTO DOC_HEAD (RECID, ID_DOC_TYPE, DOC_NO, DATE_D, DOC_TITLE, "
                     "ALL_SUM, ROUND_SUM, CURR_NAME, CURR_AMOUNT, CURR_KURS) VALUES "
                     "(%1, %2, '%1', '2026-03-01', 'Doklad %1', %3, %3, '%4', 1, 1)")
                 .arg(id)
                 .arg(type)
                 .arg(round_sum)
                 .arg(currency));
        exec(QString("INSERT INTO DOC_DRS%1 (RECID, VAR_S, ID_BANK) VALUES (%2, '%3', 601)")
                 .arg(type)
                 .arg(id)
                 .arg(symbol));
        if (paid > 0)
            pay(id, type, paid);
    }

    void pay(int id, int type, double amount)
    {
        const bool income = type == 1 || type == 4;
        exec(QString("INSERT INTO TE (RECID, DOC_ID, DATE_D, INCOME, OUTCOME, ORIGIN_CURR) "
                     "VALUES (%1, %2, '2026-03-02', %3, %4, 'Kč')")
                 .arg(m_api->new_recid())
                 .arg(id)
                 .arg(income ? amount : 0.0)
                 .arg(income ? 0.0 : amount));
    }

    // The documents the statement fixtures pay, and some that they must leave alone.
    void add_fixture_documents()
    {
        add_document(1001, 1, "2026001", 1000);
        add_document(1002, 1, "2026002", 1500);
        add_document(1004, 1, "002026002", 500, "Kč", 50);
        add_document(1003, 1, "2026003", 1000);
        add_document(2001, 2, "770", 250);
        add_document(2002, 2, "2026001", 1000);             // a received invoice: not for a credit
        add_document(1005, 1, "2026001", 1000, "EUR");      // another currency
        add_document(1006, 1, "2026001", 1000, "Kč", 1000); // paid already
        add_document(1007, 1, "2026004", 1500);
        add_document(3001, 3, "880", 300);
    }

    QString stored(const QString &select) const { return sqlite_shell(select).trimmed(); }

    PaymentState state(int id, int type, double round_sum)
    {
        return payment_state(round_sum, document_paid(*m_api, id, type));
    }
};

struct Expected {
    int movement;
    long long cents;
    int doc_id;
    const char *state;
    int grp_id;
};

void expect_proposals(const BankImport &import, std::initializer_list<Expected> expected)
{
    ASSERT_EQ(import.proposals.size(), expected.size());
    size_t i = 0;
    for (const Expected &e : expected) {
        const ImportProposal &p = import.proposals[i++];
        EXPECT_EQ(p.movement, e.movement) << "line " << i;
        EXPECT_EQ(p.amount_cents, e.cents) << "line " << i;
        EXPECT_EQ(p.doc_id, e.doc_id) << "line " << i;
        EXPECT_EQ(p.state_after(), QString::fromUtf8(e.state)) << "line " << i;
        EXPECT_EQ(p.grp_id, e.grp_id) << "line " << i;
    }
}

TEST_F(BankImportTest, MovementsAreProposedByVariableSymbolDirectionCurrencyAndWhatRemains)
{
    add_fixture_documents();
    const ImportReading reading = prepare_bank_import(*m_api, fixture("statement.gpc"));
    ASSERT_TRUE(reading.ok()) << reading.error.toStdString();
    EXPECT_EQ(reading.import.cash_id, 601);
    EXPECT_EQ(reading.import.account_name, QStringLiteral("Běžný účet"));
    expect_proposals(
        reading.import,
        {
            // "0002026001" finds "2026001"; the received invoice, the EUR invoice and the paid
            // invoice with the same symbol are left alone.
            {0, 100000, 1001, "plně uhrazeno", 1},
            // Of two invoices with the symbol, the one 400 pays with the least left over
            // (450 of 500 remain), and the earlier payment of 50 counts.
            {1, 40000, 1004, "částečně uhrazeno", 1},
            {2, 25000, 2001, "plně uhrazeno", 3},
            // 1 200 for an invoice of 1 000: the invoice is paid and 200 are left to the user.
            {3, 100000, 1003, "plně uhrazeno", 1},
            {3, 20000, 0, "", 0},
            {4, 9900, 0, "", 0},
        });
    EXPECT_EQ(reading.import.proposals[4].proposal_text(), QStringLiteral("bez vazby"));
    EXPECT_EQ(reading.import.proposals[0].proposal_text(), QStringLiteral("faktura vydaná 1001"));
}

BankMovement movement(const char *symbol, long long cents, bool credit = true,
                      const char *currency = "CZK")
{
    static int id = 0;
    BankMovement m;
    m.transaction_id = QString::number(++id);
    m.variable_symbol = QString::fromLatin1(symbol);
    m.amount_cents = cents;
    m.credit = credit;
    m.currency = QString::fromLatin1(currency);
    m.value_date = QDate(2026, 5, 4);
    m.counter_name = QStringLiteral("Odběratel");
    return m;
}

TEST_F(BankImportTest, MovementsOfOneStatementShareWhatADocumentStillAwaits)
{
    add_document(1001, 1, "11", 1000);
    add_document(4001, 4, "44", 300);
    add_document(1005, 1, "55", 200, "EUR");
    BankStatement statement;
    statement.account = QStringLiteral("0000192000145399");
    statement.date = QDate(2026, 5, 4);
    statement.movements = {movement("11", 60000),
                           movement("11", 60000),
                           movement("11", 10000),
                           movement("44", 30000),
                           movement("55", 20000, true, "EUR"),
                           movement("44", 30000, false),
                           movement("11", 0)};
    statement.movements[2].reversal = true;
    ImportReading reading = propose_bank_import(*m_api, statement);
    ASSERT_TRUE(reading.ok()) << reading.error.toStdString();
    // A movement of nothing books nothing, whatever its category.
    reading.import.proposals.back().grp_id = 2;
    EXPECT_FALSE(reading.import.proposals.back().will_book());
    reading.import.proposals.back().grp_id = 0;
    expect_proposals(
        reading.import,
        {
            {0, 60000, 1001, "částečně uhrazeno", 1},
            {1, 40000, 1001, "plně uhrazeno", 1},
            {1, 20000, 0, "", 0},
            {2, 10000, 0, "", 0},                 // a reversal pays nothing
            {3, 30000, 4001, "plně uhrazeno", 1}, // a received credit note is paid by a credit
            {4, 20000, 1005, "plně uhrazeno", 1}, // in its own currency
            {5, 30000, 0, "", 0},                 // a debit never pays a received credit note
            {6, 0, 0, "", 0},                     // nor does a movement of nothing
        });
}

// The amounts already paid of documents sharing a symbol are read alike whether the first of
// them has no payment yet and a later one was paid with hellers.
TEST_F(BankImportTest, DocumentsSharingASymbolAreComparedByWhatTheyStillAwaitToTheHeller)
{
    add_document(1001, 1, "66", 1000);
    add_document(1002, 1, "66", 500, "Kč", 250.5);
    BankStatement statement;
    statement.account = QStringLiteral("0000192000145399");
    statement.date = QDate(2026, 5, 4);
    statement.movements = {movement("66", 24950)};
    const ImportReading reading = propose_bank_import(*m_api, statement);
    ASSERT_TRUE(reading.ok()) << reading.error.toStdString();
    EXPECT_TRUE(m_messages.empty()) << qPrintable(m_messages.front().text);
    expect_proposals(reading.import, {{0, 24950, 1002, "plně uhrazeno", 1}});
}

TEST_F(BankImportTest, StatementOfAnAccountTheFirmDoesNotHaveIsRefusedNamingIt)
{
    QByteArray file = fixture("statement.gpc");
    file.replace("0000192000145399", "0000192000149999");
    const ImportReading reading = prepare_bank_import(*m_api, file);
    EXPECT_FALSE(reading.ok());
    EXPECT_TRUE(reading.error.contains(QStringLiteral("19-2000149999")))
        << reading.error.toStdString();
    EXPECT_TRUE(reading.import.proposals.empty());

    const struct {
        const char *account;
        int cash_id;
    } accounts[] = {{"19-2000145399", 601},
                    {"0000192000145399", 601},
                    {"CZ6508000000192000145399", 601},
                    {"CZ65 0800 0000 1920 0014 5399", 601},
                    {"2000145400", 602},
                    {"CZ2755000000002000145400", 0},
                    {"2000145399", 0},
                    {"", 0}};
    for (const auto &a : accounts)
        EXPECT_EQ(statement_account(*m_api, QString::fromLatin1(a.account)), a.cash_id)
            << a.account;
}

TEST_F(BankImportTest, BookingWritesPaymentsLikeTypedOnesAndAStatementReadAgainBooksNothing)
{
    add_fixture_documents();
    ImportReading reading = prepare_bank_import(*m_api, fixture("statement.gpc"));
    ASSERT_TRUE(reading.ok());
    reading.import.proposals[5].grp_id = 6; // the bank's fee, booked without a document
    reading.import.proposals[1].skipped = true;
    EXPECT_EQ(book_bank_import(*m_api, reading.import), 4);
    EXPECT_TRUE(m_messages.empty());

    EXPECT_EQ(stored("SELECT DOC_ID, DATE_D, DOC_NO, GRP_ID, TE_TEXT, CASH_ID, ORIGIN_CURR, "
                     "CURR_AMOUNT, CURR_KURS, INCOME, OUTCOME FROM TE WHERE RECID > 0 AND "
                     "CASH_ID = 601 ORDER BY DATE_D, RECID"),
              QStringLiteral("1001|2026-03-12|1001|1|Dvořák Jiří|601|Kč|1|1.0|1000.0|0.0\n"
                             "2001|2026-03-13|2001|3|Šťastná Žaneta|601|Kč|1|1.0|0.0|250.0\n"
                             "1003|2026-03-14|1003|1|Účetní kancelář|601|Kč|1|1.0|1000.0|0.0\n"
                             "0|2026-03-15|PD1|6|Poplatek za vedení|601|Kč|1|1.0|0.0|99.0"));
    EXPECT_EQ(state(1001, 1, 1000), psPaid);
    EXPECT_EQ(state(1003, 1, 1000), psPaid);
    EXPECT_EQ(state(2001, 2, 250), psPaid);
    EXPECT_EQ(state(1004, 1, 500), psPartlyPaid); // skipped: only its earlier 50
    EXPECT_EQ(stored("SELECT GEN_ID FROM GENER_NO WHERE RECID = 128"), QStringLiteral("1"));
    EXPECT_EQ(stored("SELECT CASH_ID, STMT_D, TRANS_ID FROM BANK_TRANS ORDER BY TRANS_ID"),
              QStringLiteral("601|2026-03-15|1000000000001\n601|2026-03-15|1000000000003\n"
                             "601|2026-03-15|1000000000004\n601|2026-03-15|1000000000005"));

    const QString journal = stored("SELECT count(*), sum(INCOME), sum(OUTCOME) FROM TE");
    ImportReading again = prepare_bank_import(*m_api, fixture("statement.gpc"));
    ASSERT_TRUE(again.ok());
    std::vector<bool> booked;
    for (const ImportProposal &p : again.import.proposals)
        booked.push_back(p.booked_before);
    // Only the skipped movement is proposed again.
    EXPECT_EQ(booked, (std::vector<bool>{true, false, true, true, true}));
    EXPECT_EQ(again.import.proposals[0].proposal_text(), QStringLiteral("již zaúčtováno"));
    again.import.proposals[1].skipped = true;
    EXPECT_EQ(book_bank_import(*m_api, again.import), 0);
    EXPECT_EQ(stored("SELECT count(*), sum(INCOME), sum(OUTCOME) FROM TE"), journal);
}

// Two statements in one file, the first listing a movement twice as an overlapping export
// does, and a later file with the second statement alone.
TEST_F(BankImportTest, EachMovementIsBookedOnceUnderItsOwnStatementDate)
{
    add_fixture_documents();
    const QList<QByteArray> lines = fixture("statement.gpc").split('\n');
    QByteArray second_header = lines[0];
    second_header.replace(108, 6, "160326");
    // The bank's fee twice in one day, without an id: two movements all the same.
    QByteArray fee = lines[5];
    fee.replace(35, 13, "0000000000000");
    const QByteArray both = lines[0] + '\n' + lines[1] + '\n' + lines[2] + '\n' + fee + '\n' + fee +
                            '\n' + lines[2] + '\n' + second_header + '\n' + lines[4] + '\n';
    ImportReading reading = prepare_bank_import(*m_api, both);
    ASSERT_TRUE(reading.ok()) << reading.error.toStdString();
    const auto &movements = reading.import.statement.movements;
    ASSERT_EQ(movements.size(), 6u);
    EXPECT_EQ(movements[0].statement_date, QDate(2026, 3, 15));
    EXPECT_EQ(movements[5].statement_date, QDate(2026, 3, 16));
    EXPECT_NE(movements[2].transaction_id, movements[3].transaction_id);
    std::vector<bool> booked;
    for (ImportProposal &p : reading.import.proposals) {
        booked.push_back(p.booked_before);
        if (p.grp_id == 0)
            p.grp_id = reading.import.movement_of(p).credit ? 2 : 6;
    }
    // The second listing of movement 1000000000002 counts once; 1 200 for invoice 1003 is
    // split into its payment and the rest.
    EXPECT_EQ(booked, (std::vector<bool>{false, false, false, false, true, false, false}));
    EXPECT_EQ(book_bank_import(*m_api, reading.import), 6);
    EXPECT_EQ(stored("SELECT STMT_D, count(*) FROM BANK_TRANS GROUP BY STMT_D"),
              QStringLiteral("2026-03-15|4\n2026-03-16|1"));

    const ImportReading again = prepare_bank_import(*m_api, second_header + '\n' + lines[4] + '\n');
    ASSERT_TRUE(again.ok());
    ASSERT_EQ(again.import.proposals.size(), 1u);
    EXPECT_TRUE(again.import.proposals[0].booked_before);
}

TEST_F(BankImportTest, ALineThatBreaksAPaymentRuleRefusesTheWholeBookingAndWritesNothing)
{
    const struct {
        const char *what;
        std::function<void(BankImport &)> change;
        const char *message;
    } cases[] = {
        {"invoice 1003 paid in another window after the statement was read",
         [this](BankImport &) { pay(1003, 1, 600); }, "řádku 5 nelze zaúčtovat na doklad 1003"},
        {"an outcome category for a credit",
         [](BankImport &import) { import.proposals[4].grp_id = 6; },
         "řádku 5 nelze zaúčtovat: zvolené členění nepřipouští příjmy"},
        {"an income category for the bank's fee",
         [](BankImport &import) { import.proposals[5].grp_id = 1; },
         "řádku 6 nelze zaúčtovat: zvolené členění nepřipouští výdaje"},
    };
    add_fixture_documents();
    for (const auto &c : cases) {
        ImportReading reading = prepare_bank_import(*m_api, fixture("statement.gpc"));
        ASSERT_TRUE(reading.ok());
        c.change(reading.import);
        const QString journal = stored("SELECT count(*), sum(INCOME), sum(OUTCOME) FROM TE");
        m_messages.clear();
        EXPECT_EQ(book_bank_import(*m_api, reading.import), -1) << c.what;
        ASSERT_EQ(m_messages.size(), 1u) << c.what;
        EXPECT_TRUE(m_messages[0].text.contains(QString::fromUtf8(c.message)))
            << c.what << ": " << m_messages[0].text.toStdString();
        EXPECT_EQ(stored("SELECT count(*), sum(INCOME), sum(OUTCOME) FROM TE"), journal) << c.what;
        EXPECT_EQ(stored("SELECT count(*) FROM BANK_TRANS"), QStringLiteral("0")) << c.what;
        EXPECT_EQ(stored("SELECT GEN_ID FROM GENER_NO WHERE RECID = 128"), QStringLiteral("0"));
    }
}

TEST_F(BankImportTest, TheUserMayPutAMovementOnAnotherDocumentOrOnNone)
{
    add_fixture_documents();
    ImportReading reading = prepare_bank_import(*m_api, fixture("statement.gpc"));
    ASSERT_TRUE(reading.ok());
    BankImport &import = reading.import;
    QString error;
    // The 200 left over from invoice 1003 go to invoice 1002.
    // Of two documents numbered alike, the one that still awaits a payment: invoice 1001 is
    // paid in full by the statement's first line.
    exec("UPDATE DOC_HEAD SET DOC_NO = '1002' WHERE RECID = 1001");
    ASSERT_TRUE(assign_document(*m_api, import, 4, QStringLiteral("1002"), error));
    EXPECT_EQ(import.proposals[4].doc_id, 1002);
    EXPECT_EQ(import.proposals[4].state_after(), QStringLiteral("částečně uhrazeno"));
    EXPECT_EQ(import.proposals[4].grp_id, 1);

    const struct {
        int row;
        const char *doc_no;
        const char *reason;
    } refused[] = {
        {4, "2002", "mezi doklady"}, // a received invoice for a credit
        {4, "1005", "mezi doklady"}, // another currency
        {4, "1006", "je již celý uhrazen"}, {4, "1001", "mezi doklady"}, // renumbered above
        {4, "9999", "mezi doklady"},
    };
    for (const auto &r : refused) {
        EXPECT_FALSE(assign_document(*m_api, import, r.row, QString::fromLatin1(r.doc_no), error))
            << r.doc_no;
        EXPECT_TRUE(error.contains(QString::fromUtf8(r.reason))) << error.toStdString();
    }
    detach_document(import, 0);
    EXPECT_EQ(import.proposals[0].proposal_text(), QStringLiteral("bez vazby"));
    EXPECT_FALSE(import.proposals[0].will_book());
}

TEST_F(BankImportTest, MatchingFindsDocumentsThroughTheIndexOnTheVariableSymbol)
{
    for (const bool credit : {true, false}) {
        const QString plan = stored(QStringLiteral("EXPLAIN QUERY PLAN ") +
                                    documents_by_symbol_select(credit, QStringLiteral("00042")));
        const QStringList indexes = credit ? QStringList{"DOC_DRS1_VS", "DOC_DRS4_VS"}
                                           : QStringList{"DOC_DRS2_VS", "DOC_DRS3_VS"};
        for (const QString &index : indexes)
            EXPECT_TRUE(plan.contains(QStringLiteral("USING INDEX ") + index))
                << plan.toStdString();
        EXPECT_FALSE(plan.contains(QStringLiteral("SCAN D"))) << plan.toStdString();
    }
}

TEST_F(BankImportTest, TheUpgradeGivesAnOlderDatabaseTheBookedMovementsAndTheIndexes)
{
    exec("DROP TABLE BANK_TRANS; DROP INDEX DOC_DRS1_VS; DROP INDEX DOC_DRS2_VS; "
         "DROP INDEX DOC_DRS3_VS; DROP INDEX DOC_DRS4_VS;");
    m_api->upgrade_schema();
    for (const char *object : {"TABLE.BANK_TRANS", "INDEX.BANK_TRANS_KEY", "INDEX.DOC_DRS1_VS",
                               "INDEX.DOC_DRS2_VS", "INDEX.DOC_DRS3_VS", "INDEX.DOC_DRS4_VS"})
        EXPECT_TRUE(dm_db_object_exists(object)) << object;
    EXPECT_TRUE(m_messages.empty());
}

} // namespace
