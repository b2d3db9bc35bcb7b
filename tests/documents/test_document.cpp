#include "support/db_fixture.h"

#include "data/clock.h"
#include "data/memtable.h"
#include "documents/doc_currency.h"
#include "documents/doc_totals.h"
#include "documents/document.h"
#include "documents/document_partner.h"
#include "text/format_settings.h"

#include <QProcess>
#include <QTextDocument>
#include <memory>

namespace {

// A customer with one invoicing address, two products and a bank account; documents are
// written through TDocument over the sets the editor would bind.
class DocumentSave : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        set_fixed_today(QDate(2026, 3, 14));
        partner = insert_partner(1, "Novák a syn");
        exec(QString("UPDATE PAR SET ID_PARTNER_TYPE=3 WHERE RECID=%1").arg(partner));
        exec(QString("INSERT INTO PAR_ADDR (RECID, ID_PARTNER, IS_INVOICE, ADDRESS_TITLE, CITY) "
                     "VALUES (%1, %2, 'T', 'sídlo', 'Brno')")
                 .arg(address)
                 .arg(partner));
        exec("INSERT INTO PRO (RECID, PRO_NO, PRO_NAME, UNITV, COST) VALUES "
             "(7001, 1, 'šroub', 'ks', 2.5), (7002, 2, 'matice', 'kg', 99.9)");
    }
    void TearDown() override
    {
        m_document.reset();
        set_fixed_today(QDate());
        DbFixture::TearDown();
    }

    // A new document of the type over a scratch header set (and an item set for type 1).
    TDocument &new_document(int type)
    {
        header = m_api->select_sql("DOC_HEAD", "SELECT * FROM DOC_HEAD WHERE RECID=0");
        items = type == 1 ? m_api->select_sql("VIEW_ITEMS2",
                                              "SELECT * FROM VIEW_ITEMS WHERE HEADER_ID=0")
                          : nullptr;
        header->append();
        m_document = std::make_unique<TDocument>(*m_api, type, *header, items, 0);
        m_document->propose_new();
        header->field_by_name("ID_ADDRESS").set_as_integer(address);
        header->field_by_name("DOC_TITLE").set_as_string("dodávka");
        m_document->details.id_link = address;
        m_document->details.id_bank = 1;
        if (m_document->details.var_s.isEmpty())
            m_document->details.var_s = "555";
        return *m_document;
    }

    // A stored document opened for correction, as the editor opens it from a book.
    TDocument &open_document(int type, int id)
    {
        m_document.reset();
        header = m_api->select_sql("VIEW_DOC", QString("SELECT * FROM VIEW_DOC%1").arg(type));
        EXPECT_TRUE(m_api->locate_recid(id, header));
        items = type == 1 ? m_api->select_sql(
                                "VIEW_ITEMS2",
                                QString("SELECT * FROM VIEW_ITEMS WHERE HEADER_ID=%1").arg(id))
                          : nullptr;
        header->edit();
        m_document = std::make_unique<TDocument>(*m_api, type, *header, items, id);
        m_document->currency_from_header();
        m_document->read_details();
        return *m_document;
    }

    void add_item(int product, double amount, double price, double discount = 0,
                  const QString &text = {})
    {
        items->append();
        items->field_by_name("PRO_ID").set_as_integer(product);
        items->field_by_name("AMOUNT").set_as_float(amount);
        items->field_by_name("UNITV").set_as_string("ks");
        items->field_by_name("COST_PER_UNIT").set_as_float(price);
        items->field_by_name("DISCOUNT").set_as_float(discount);
        items->field_by_name("COST").set_as_float(item_cost(amount, price, discount));
        items->field_by_name("ITEM_TEXT").set_as_string(text);
        items->post();
    }

    // A saved issued invoice of three items; its RECID.
    int saved_invoice()
    {
        TDocument &document = new_document(1);
        add_item(7001, 3, 99.9, 10);
        add_item(7002, 1, 10);
        add_item(7001, 2, 0.5);
        EXPECT_EQ(document.save(), TDocument::SaveResult::Saved);
        header->post();
        return document.id();
    }

    QString shell(const QString &sql) const { return sqlite_shell(sql).trimmed(); }

    void pay(int document, double income)
    {
        exec(QString("INSERT INTO TE (RECID, DOC_ID, DATE_D, INCOME, OUTCOME, ORIGIN_CURR, "
                     "CURR_AMOUNT, CURR_KURS) VALUES (%1, %2, '2026-03-15', %3, 0, 'Kč', 1, 1)")
                 .arg(m_api->new_recid())
                 .arg(document)
                 .arg(income));
    }

    const int address = 5001;
    int partner = 0;
    TMemTable *header = nullptr;
    TMemTable *items = nullptr;
    std::unique_ptr<TDocument> m_document;
};

TEST_F(DocumentSave, NewIssuedInvoiceStoresHeaderItemsDetailsAndSeriesStampTogether)
{
    exec("UPDATE GENER_NO SET GEN_ID=41 WHERE RECID=1");
    TDocument &document = new_document(1);
    EXPECT_EQ(header->field_by_name("DOC_NO").as_integer(), 42);
    EXPECT_EQ(document.details.var_s, "42");
    EXPECT_EQ(header->field_by_name("ROUND_ID").as_integer(), 2);
    document.currency = {"EUR", 1, 25.5};
    add_item(7001, 3, 99.9, 10, "první");
    add_item(7002, 1, 10.26);
    add_item(7001, 2, 0.5);

    ASSERT_EQ(document.save(), TDocument::SaveResult::Saved);
    const int id = document.id();
    ASSERT_NE(id, 0);
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(shell(QString("SELECT ID_DOC_TYPE, DOC_NO, ID_ADDRESS, DATE_D, MATURITY_D, "
                            "DOC_TITLE, ALL_SUM, ROUND_ID, ROUND_SUM, CURR_NAME, CURR_AMOUNT, "
                            "CURR_KURS FROM DOC_HEAD WHERE RECID=%1")
                        .arg(id)),
              QString("1|42|%1|2026-03-14||dodávka|280.99|2|281.0|EUR|1|25.5").arg(address));
    EXPECT_EQ(shell(QString("SELECT PRO_ID, AMOUNT, COST_PER_UNIT, COST, CURR_NAME, CURR_KURS, "
                            "DISCOUNT, ITEM_TEXT FROM DOC_ITEMS WHERE HEADER_ID=%1 ORDER BY RECID")
                        .arg(id)),
              "7001|3.0|99.9|269.73|EUR|25.5|10.0|první\n"
              "7002|1.0|10.26|10.26|EUR|25.5|0.0|\n"
              "7001|2.0|0.5|1.0|EUR|25.5|0.0|");
    EXPECT_EQ(shell(QString("SELECT VAR_S, ID_LINK, ID_BANK FROM DOC_DRS1 WHERE RECID=%1").arg(id)),
              QString("42|%1|1").arg(address));
    EXPECT_EQ(shell("SELECT LAST_WRITE, GEN_ID FROM GENER_NO WHERE RECID=1"),
              format_short_date(QDate(2026, 3, 14)) + "|42");
}

TEST_F(DocumentSave, CorrectionReplacesTheItemsByTheListAsItStands)
{
    const int id = saved_invoice();
    const QString old_ids = shell(QString("SELECT group_concat(RECID) FROM DOC_ITEMS "
                                          "WHERE HEADER_ID=%1").arg(id));
    TDocument &document = open_document(1, id);
    ASSERT_EQ(items->record_count(), 3);
    items->first();
    items->remove();
    ASSERT_EQ(document.save(), TDocument::SaveResult::Saved);

    EXPECT_EQ(shell(QString("SELECT PRO_ID, COST FROM DOC_ITEMS WHERE HEADER_ID=%1 ORDER BY RECID")
                        .arg(id)),
              "7002|10.0\n7001|1.0");
    EXPECT_EQ(shell(QString("SELECT count(*) FROM DOC_ITEMS WHERE RECID IN (%1)").arg(old_ids)),
              "0");
    EXPECT_EQ(shell(QString("SELECT ALL_SUM, ROUND_SUM FROM DOC_HEAD WHERE RECID=%1").arg(id)),
              "11.0|11.0");
    EXPECT_EQ(shell("SELECT count(*) FROM DOC_HEAD"), "1");
}

// A correction may not bring the amount to pay below what is paid, judged to the cent.
TEST_F(DocumentSave, CorrectionBelowThePaidAmountIsRefusedToTheCent)
{
    struct Case {
        double new_total;
        std::vector<double> payments;
        TDocument::SaveResult expected;
    };
    const Case cases[] = {
        {0.30, {0.10, 0.20}, TDocument::SaveResult::Saved},
        {0.29, {0.10, 0.20}, TDocument::SaveResult::BelowPaid},
        {100.00, {100.00}, TDocument::SaveResult::Saved},
        {99.99, {100.00}, TDocument::SaveResult::BelowPaid},
        {5.00, {}, TDocument::SaveResult::Saved},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.new_total);
        m_messages.clear();
        TDocument &draft = new_document(2);
        header->field_by_name("ALL_SUM").set_as_float(500);
        draft.update_round_sum();
        ASSERT_EQ(draft.save(), TDocument::SaveResult::Saved);
        header->post();
        const int id = draft.id();
        for (double payment : c.payments)
            exec(QString("INSERT INTO TE (RECID, DOC_ID, DATE_D, INCOME, OUTCOME, ORIGIN_CURR) "
                         "VALUES (%1, %2, '2026-03-15', 0, %3, 'Kč')")
                     .arg(m_api->new_recid())
                     .arg(id)
                     .arg(payment));

        TDocument &document = open_document(2, id);
        header->field_by_name("ALL_SUM").set_as_float(c.new_total);
        document.update_round_sum();
        EXPECT_EQ(document.save(), c.expected);
        const bool refused = c.expected == TDocument::SaveResult::BelowPaid;
        ScopedSet stored = m_api->select_scoped(
            "X", QString("SELECT ROUND_SUM FROM DOC_HEAD WHERE RECID=%1").arg(id));
        ASSERT_TRUE(stored && !stored->is_empty());
        EXPECT_DOUBLE_EQ(stored->field(0).as_float(), refused ? 500.0 : c.new_total);
        ASSERT_EQ(m_messages.size(), refused ? 1u : 0u);
        if (refused) {
            EXPECT_EQ(m_messages[0].title, "Pozor, tuto opravu nelze uložit!");
            EXPECT_TRUE(m_messages[0].text.startsWith("Změnili jste celkovou částku dokladu"));
            EXPECT_EQ(m_messages[0].help_topic, 9003);
        }
        header->cancel();
    }
}

// A statement refused inside the save takes back everything and ends nothing: the editor
// keeps its document for another try.
TEST_F(DocumentSave, RefusedStatementRollsTheWholeDocumentBack)
{
    struct Case {
        const char *trigger_table;
        bool correction;
    };
    const Case cases[] = {{"DOC_ITEMS", false}, {"DOC_ITEMS", true}, {"DOC_DRS1", false},
                          {"GENER_NO", false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.trigger_table) + (c.correction ? " correction" : " new"));
        const int stored = c.correction ? saved_invoice() : 0;
        const QString before = shell("SELECT (SELECT group_concat(RECID || ALL_SUM) FROM DOC_HEAD), "
                                     "(SELECT count(*) FROM DOC_ITEMS), "
                                     "(SELECT count(*) FROM DOC_DRS1), "
                                     "(SELECT LAST_WRITE FROM GENER_NO WHERE RECID=1)");
        const QString event = QString(c.trigger_table) == "GENER_NO" ? "UPDATE" : "INSERT";
        exec(QString("CREATE TRIGGER REFUSE BEFORE %1 ON %2 BEGIN "
                     "SELECT RAISE(ABORT, 'zkouška'); END")
                 .arg(event, c.trigger_table));
        set_fixed_today(QDate(2026, 4, 1));
        m_messages.clear();

        TDocument &document = c.correction ? open_document(1, stored) : new_document(1);
        add_item(7002, 2, 1);
        EXPECT_EQ(document.save(), TDocument::SaveResult::Failed);
        EXPECT_EQ(document.id(), stored);
        EXPECT_FALSE(program_ending());
        ASSERT_FALSE(m_messages.empty());
        EXPECT_EQ(m_messages.back().text, "Doklad se nepodařilo uložit!");
        EXPECT_EQ(m_messages.back().title, "Chyba");
        for (const RecordedMessage &message : m_messages)
            EXPECT_FALSE(message.fatal) << qPrintable(message.text);
        EXPECT_EQ(shell("SELECT (SELECT group_concat(RECID || ALL_SUM) FROM DOC_HEAD), "
                        "(SELECT count(*) FROM DOC_ITEMS), (SELECT count(*) FROM DOC_DRS1), "
                        "(SELECT LAST_WRITE FROM GENER_NO WHERE RECID=1)"),
                  before);

        // Without the fault the same document is stored by the next try.
        exec("DROP TRIGGER REFUSE");
        EXPECT_EQ(document.save(), TDocument::SaveResult::Saved);
        header->cancel();
        exec("DELETE FROM DOC_HEAD");
        set_fixed_today(QDate(2026, 3, 14));
    }
}

TEST_F(DocumentSave, ReadOnlyDatabaseIsReportedAndNothingIsStored)
{
    if (!reopen_read_only())
        GTEST_SKIP() << "this machine cannot protect the file";
    m_messages.clear();
    TDocument &document = new_document(2);
    EXPECT_EQ(document.save(), TDocument::SaveResult::Failed);
    EXPECT_EQ(document.id(), 0);
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_TRUE(m_messages[0].text.contains("nelze zapisovat"));
    EXPECT_EQ(m_messages[1].text, "Doklad se nepodařilo uložit!");
}

// Another program holding the database's write lock keeps the transaction from starting:
// the user is told, not left with a button that does nothing.
TEST_F(DocumentSave, TransactionThatCannotStartIsReported)
{
    QProcess other;
    other.start("sqlite3", {database_path()});
    ASSERT_TRUE(other.waitForStarted());
    other.write("BEGIN IMMEDIATE;\nSELECT 'locked';\n");
    ASSERT_TRUE(other.waitForReadyRead(5000));
    TDocument &document = new_document(2);
    EXPECT_EQ(document.save(), TDocument::SaveResult::Failed);
    EXPECT_EQ(document.id(), 0);
    ASSERT_FALSE(m_messages.empty());
    EXPECT_EQ(m_messages.back().text, "Doklad se nepodařilo uložit!");
    other.closeWriteChannel();
    other.waitForFinished();
    EXPECT_EQ(shell("SELECT count(*) FROM DOC_HEAD"), "0");
}

TEST_F(DocumentSave, CorrectionWithoutDetailsRowInsertsIt)
{
    const int id = saved_invoice();
    exec(QString("DELETE FROM DOC_DRS1 WHERE RECID=%1").arg(id));
    TDocument &document = open_document(1, id);
    document.details = {"7788", "0308", address, 1};
    ASSERT_EQ(document.save(), TDocument::SaveResult::Saved);
    EXPECT_EQ(shell(QString("SELECT VAR_S, CONST_S FROM DOC_DRS1 WHERE RECID=%1").arg(id)),
              "7788|0308");
}

TEST_F(DocumentSave, TextsAreStoredAsTyped)
{
    const QString title = QString("Faktura \"O'Brien\"; DROP TABLE PAR; -- žluťoučký kůň ") +
                          QString(128, QChar(u'ř'));
    const QString item_text = QString("it's \"quoted\" ") + QString(255, QChar(u'ě'));
    TDocument &document = new_document(1);
    header->field_by_name("DOC_TITLE").set_as_string(title);
    document.details.var_s = "12'34";
    document.details.const_s = "\"0308\"";
    add_item(7001, 1, 1, 0, item_text);
    ASSERT_EQ(document.save(), TDocument::SaveResult::Saved);
    const int id = document.id();
    ScopedSet stored = m_api->select_scoped(
        "X", QString("SELECT H.DOC_TITLE, I.ITEM_TEXT, D.VAR_S, D.CONST_S FROM DOC_HEAD H "
                     "JOIN DOC_ITEMS I ON I.HEADER_ID=H.RECID JOIN DOC_DRS1 D ON D.RECID=H.RECID "
                     "WHERE H.RECID=%1").arg(id));
    ASSERT_TRUE(stored && !stored->is_empty());
    EXPECT_EQ(stored->field(0).as_string(), title.left(128));
    EXPECT_EQ(stored->field(1).as_string(), item_text.left(255));
    EXPECT_EQ(stored->field(2).as_string(), "12'34");
    EXPECT_EQ(stored->field(3).as_string(), "\"0308\"");
    EXPECT_EQ(shell("SELECT count(*) FROM PAR"), "1");
}

TEST_F(DocumentSave, FreeTextThatCannotFollowIsReportedAndTheDocumentStays)
{
    exec("CREATE TRIGGER REFUSE_TEXT BEFORE INSERT ON BLOBDATA BEGIN "
         "SELECT RAISE(ABORT, 'zkouška'); END");
    TDocument &document = new_document(2);
    QTextDocument text;
    text.setPlainText("poznámka");
    document.free_text = &text;
    document.text_changed = true;
    ASSERT_EQ(document.save(), TDocument::SaveResult::Saved);
    EXPECT_EQ(shell(QString("SELECT count(*) FROM DOC_HEAD WHERE RECID=%1").arg(document.id())),
              "1");
    ASSERT_FALSE(m_messages.empty());
    EXPECT_EQ(m_messages.back().text, "Text dokladu se nepodařilo uložit.");
    EXPECT_FALSE(program_ending());
}

TEST_F(DocumentSave, CreditNoteLinksItsInvoiceAndKeepsItsAmountToPay)
{
    const int invoice = saved_invoice();
    exec(QString("UPDATE DOC_HEAD SET CURR_NAME='EUR', CURR_KURS=25.5, ROUND_SUM=300 WHERE "
                 "RECID=%1").arg(invoice));
    CreditNoteSource source;
    ASSERT_TRUE(read_credit_note_source(*m_api, invoice, 3, source));
    TDocument &document = new_document(3);
    document.take_over(source);
    EXPECT_EQ(header->field_by_name("ROUND_ID").as_integer(), 0);
    ASSERT_EQ(document.save(), TDocument::SaveResult::Saved);
    EXPECT_EQ(shell(QString("SELECT ALL_SUM, ROUND_SUM, CURR_NAME FROM DOC_HEAD WHERE RECID=%1")
                        .arg(document.id())),
              "280.73|300.0|EUR");
    EXPECT_EQ(shell(QString("SELECT ID_LINK FROM DOC_DRS3 WHERE RECID=%1").arg(document.id())),
              QString::number(invoice));
}

TEST_F(DocumentSave, PartnerOfAddressAndDiscount)
{
    EXPECT_EQ(partner_of_address(*m_api, address), partner);
    EXPECT_EQ(partner_of_address(*m_api, 0), 0);
    EXPECT_EQ(partner_discount(*m_api, partner), 0.0);
    exec(QString("INSERT INTO PAR_GRP (RECID, GRP_NAME, DISCOUNT) VALUES (9100, 'VIP', 7.5);"
                 "UPDATE PAR SET ID_PARTNER_GROUP=9100 WHERE RECID=%1").arg(partner));
    EXPECT_EQ(partner_discount(*m_api, partner), 7.5);
}

// A foreign unit price confirmed in an item is the product's price in that currency next
// time; the home currency remembers nothing.
TEST_F(DocumentSave, ConfirmedForeignPriceIsRemembered)
{
    EXPECT_TRUE(remember_price_in_currency(*m_api, 7001, 3.0, "Kč"));
    EXPECT_EQ(shell("SELECT count(*) FROM PRO_CURR"), "0");
    EXPECT_TRUE(remember_price_in_currency(*m_api, 7001, 12.5, "EUR"));
    EXPECT_EQ(price_in_currency(*m_api, 7001, 2.5, "EUR"), 12.5);
    EXPECT_TRUE(remember_price_in_currency(*m_api, 7001, 13.0, "EUR"));
    EXPECT_TRUE(remember_price_in_currency(*m_api, 7001, 0.5, "US'D"));
    EXPECT_EQ(shell("SELECT PRO_ID, COST, CURR_NAME FROM PRO_CURR ORDER BY CURR_NAME"),
              "7001|13.0|EUR\n7001|0.5|US'D");

    exec("CREATE TRIGGER REFUSE BEFORE UPDATE ON PRO_CURR BEGIN SELECT RAISE(ABORT, 'zkouška'); "
         "END");
    m_messages.clear();
    EXPECT_FALSE(remember_price_in_currency(*m_api, 7001, 14.0, "EUR"));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_FALSE(m_messages[0].fatal);
    EXPECT_FALSE(program_ending());
    EXPECT_EQ(price_in_currency(*m_api, 7001, 2.5, "EUR"), 13.0);
}

} // namespace
