#include "support/db_fixture.h"

#include "data/demo_data.h"
#include "documents/credit_note.h"
#include "documents/doc_currency.h"
#include "documents/doc_payments.h"

namespace {

// A customer-and-supplier partner with one address; documents of all four types, an
// item list, payments in Kč and EUR.
class Documents : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        partner = insert_partner(1, "Novák a syn");
        exec(QString("UPDATE PAR SET ID_PARTNER_TYPE=3 WHERE RECID=%1").arg(partner));
        exec(QString("INSERT INTO PAR_ADDR (RECID, ID_PARTNER, IS_INVOICE, ADDRESS_TITLE, CITY) "
                     "VALUES (%1, %2, 'T', 'sídlo', 'Brno')").arg(address).arg(partner));
        add_document(issued, 1, 1, 1000, "Kč", 1, 1.0);
        add_document(received, 2, 1, 500, "Kč", 1, 1.0);
        add_document(issued_credit, 3, 1, 200, "Kč", 1, 1.0);
        add_document(received_credit, 4, 1, 100, "Kč", 1, 1.0);
        add_document(euro_invoice, 1, 2, 40, "EUR", 1, 24.5);
        exec(QString("INSERT INTO DOC_DRS1 (RECID, VAR_S, CONST_S, ID_LINK, ID_BANK) VALUES "
                     "(%1, '20260001', '0308', 0, 0)").arg(issued));
        exec(QString("INSERT INTO DOC_DRS3 (RECID, VAR_S, CONST_S, ID_LINK, ID_BANK) VALUES "
                     "(%1, '20260001', '0308', %2, 0)").arg(issued_credit).arg(issued));
        // Payments: INCOME pays types 1 and 4, OUTCOME types 2 and 3; a refund in the
        // other column does not count.
        pay(issued, 600, 0);
        pay(issued, 400, 0);
        pay(issued, 0, 50);
        pay(received, 0, 200);
        pay(received, 10, 0);
        pay(issued_credit, 0, 200);
        pay(euro_invoice, 40, 0, "EUR", 24.5);
    }

    void add_document(int id, int type, int number, double total, const char *currency,
                      int amount, double rate)
    {
        exec(QString("INSERT INTO DOC_HEAD (RECID, ID_DOC_TYPE, DOC_NO, ID_ADDRESS, DATE_D, "
                     "DOC_TITLE, ALL_SUM, ROUND_ID, ROUND_SUM, CURR_NAME, CURR_AMOUNT, CURR_KURS) "
                     "VALUES (%1, %2, %3, %4, '2026-03-01', 'doklad', %5, 0, %5, '%6', %7, %8)")
                 .arg(id).arg(type).arg(number).arg(address).arg(total)
                 .arg(currency).arg(amount).arg(rate));
    }

    void pay(int document, double income, double outcome, const char *currency = "Kč",
             double rate = 1.0)
    {
        exec(QString("INSERT INTO TE (RECID, DOC_ID, DATE_D, INCOME, OUTCOME, ORIGIN_CURR, "
                     "CURR_AMOUNT, CURR_KURS) VALUES (%1, %2, '2026-03-10', %3, %4, '%5', 1, %6)")
                 .arg(m_api->new_recid()).arg(document).arg(income).arg(outcome)
                 .arg(currency).arg(rate));
    }

    double view_paid(int type, int id)
    {
        TMemTable *set = m_api->select_sql(
            "X", QString("SELECT RECID, ID_DOCSTATE FROM VIEW_DOC%1 WHERE RECID=%2").arg(type).arg(id));
        EXPECT_TRUE(set && set->record_count() == 1);
        const double paid = set ? set->field(1).as_float() : -1;
        m_api->free_set(set);
        return paid;
    }

    int partner = 0;
    const int address = 500;
    const int issued = 601, received = 602, issued_credit = 603, received_credit = 604,
              euro_invoice = 605;
};

} // namespace

TEST_F(Documents, PaidAmountCountsTheDirectionOfTheDocumentType)
{
    struct Case {
        int id;
        int type;
        double paid;
        int count;
    };
    const Case cases[] = {{issued, 1, 1000, 3},
                          {received, 2, 200, 2},
                          {issued_credit, 3, 200, 1},
                          {received_credit, 4, 0, 0},
                          {euro_invoice, 1, 40, 1}};
    for (const Case &c : cases) {
        EXPECT_DOUBLE_EQ(document_paid(*m_api, c.id, c.type), c.paid) << c.id;
        EXPECT_DOUBLE_EQ(view_paid(c.type, c.id), c.paid) << "the view agrees, " << c.id;
        EXPECT_EQ(payment_count(*m_api, c.id), c.count) << c.id;
    }
}

TEST_F(Documents, PaymentStatesFromTheBookRows)
{
    TMemTable *book = m_api->select_sql("VIEW_DOC1", "SELECT * FROM VIEW_DOC1 ORDER BY DOC_NO");
    ASSERT_EQ(book->record_count(), 2);
    EXPECT_EQ(payment_state(*book), psPaid);
    EXPECT_EQ(book->field_by_name("PARTNER_NAME").as_string(), "Novák a syn");
    EXPECT_EQ(book->field_by_name("ID_PARTNER").as_integer(), partner);
    m_api->free_set(book);

    struct Case {
        double round_sum;
        double paid;
        PaymentState state;
    };
    const Case cases[] = {
        {100, 0, psUnpaid},          {0, 0, psUnpaid},        {0, 5, psPaid},
        {100, 99.99, psPartlyPaid},  {100, 100, psPaid},      {100, 120, psPaid},
        {100, -10, psPartlyPaid},
        // Three payments whose binary sum falls a hair short of the total still pay it.
        {100.1, 33.37 + 33.37 + 33.36, psPaid},
    };
    for (const Case &c : cases)
        EXPECT_EQ(payment_state(c.round_sum, c.paid), c.state) << c.round_sum << " " << c.paid;
    EXPECT_EQ(payment_state_text(psPartlyPaid), "částečně uhrazeno");
    EXPECT_EQ(payment_state_text(psUnknown), "?");
    EXPECT_EQ(payment_state_color(psPaid), QColor(0, 128, 0));
    EXPECT_DOUBLE_EQ(amount_to_pay(100.1, 33.37 + 33.37 + 33.36), 0.0);
    EXPECT_DOUBLE_EQ(amount_to_pay(100, 120), -20);
}

TEST_F(Documents, ANullPaidAmountIsUnknown)
{
    TMemTable set;
    set.add_field("ROUND_SUM", FieldType::Float);
    set.add_field("ID_DOCSTATE", FieldType::Float);
    set.open();
    set.append();
    set.field(0).set_as_float(10);
    set.post();
    EXPECT_EQ(payment_state(set), psUnknown);
}

TEST_F(Documents, DeletingADocumentRemovesItsItemsDetailsPaymentsAndVouchers)
{
    exec(QString("INSERT INTO DOC_ITEMS (RECID, HEADER_ID, AMOUNT) VALUES (701, %1, 1), (702, %1, 2)")
             .arg(issued));
    exec(QString("INSERT INTO TE_CASH (RECID, TE_ID, IS_INCOME, CASH_NO) "
                 "SELECT RECID + 100000, RECID, 'T', 1 FROM TE WHERE DOC_ID=%1").arg(issued));
    exec(QString("DELETE FROM DOC_HEAD WHERE RECID=%1").arg(issued_credit)); // it links the invoice
    exec(QString("DELETE FROM DOC_HEAD WHERE RECID=%1").arg(issued));
    EXPECT_EQ(m_api->count_rows("DOC_ITEMS", QString("HEADER_ID=%1").arg(issued)), 0);
    EXPECT_EQ(m_api->count_rows("DOC_DRS1", QString("RECID=%1").arg(issued)), 0);
    EXPECT_EQ(m_api->count_rows("TE", QString("DOC_ID=%1").arg(issued)), 0);
    EXPECT_EQ(m_api->count_rows("TE_CASH"), 0);
    EXPECT_EQ(m_api->count_rows("TE", QString("DOC_ID=%1").arg(received)), 2);
}

TEST_F(Documents, PricesInTheDocumentCurrency)
{
    exec("INSERT INTO PRO (RECID, PRO_NO, PRO_NAME, COST) VALUES (801, 1, 'Šroub', 255), "
         "(802, 2, 'Matice', 255)");
    exec("INSERT INTO PRO_CURR (RECID, PRO_ID, COST, CURR_NAME) VALUES (803, 802, 9.5, 'EUR')");
    exec("UPDATE CURR_LIST SET CURR_AMOUNT=1, CURR_KURS=25.5 WHERE CURR_NAME='EUR'");
    exec("INSERT INTO CURR_LIST (RECID, CURR_NAME, CURR_AMOUNT, CURR_KURS) VALUES "
         "(804, 'HUF', 0, 0.0625), (805, 'GBP', 1, 0), (806, 'A''B', 100, 2550)");
    struct Case {
        int product;
        const char *currency;
        double price;
    };
    const Case cases[] = {{801, "Kč", 255},   {801, "EUR", 10},    {802, "EUR", 9.5},
                          {801, "HUF", 4080}, {801, "GBP", 255},   {801, "CHF", 255},
                          {801, "A'B", 10}};
    for (const Case &c : cases)
        EXPECT_DOUBLE_EQ(price_in_currency(*m_api, c.product, 255, c.currency), c.price)
            << c.product << " " << c.currency;
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(Documents, CreditNoteTakesOverTheInvoicesAmountsCurrencyAddressAndSymbols)
{
    CreditNoteSource source;
    ASSERT_TRUE(read_credit_note_source(*m_api, issued, 3, source));
    EXPECT_EQ(source.invoice_id, issued);
    EXPECT_EQ(source.id_address, address);
    EXPECT_DOUBLE_EQ(source.all_sum, 1000);
    EXPECT_DOUBLE_EQ(source.round_sum, 1000);
    EXPECT_EQ(source.curr_name, "Kč");
    EXPECT_EQ(source.var_s, "20260001");
    EXPECT_EQ(source.const_s, "0308");

    ASSERT_TRUE(read_credit_note_source(*m_api, euro_invoice, 3, source));
    EXPECT_EQ(source.curr_name, "EUR");
    EXPECT_DOUBLE_EQ(source.curr_kurs, 24.5);
    EXPECT_EQ(source.var_s, "") << "an invoice without payment details gives empty symbols";
    EXPECT_FALSE(read_credit_note_source(*m_api, received, 3, source))
        << "an issued credit note corrects only an issued invoice";
}

TEST_F(DbFixture, BookViewsAgreeWithThePaidAmountOnDemoData)
{
    DemoSize size;
    size.partners = 20;
    size.products = 10;
    size.documents = 300;
    size.journal_entries = 50;
    size.years = 2;
    ASSERT_TRUE(fill_demo_data(*m_api, size));
    int checked = 0;
    for (int type = 1; type <= 4; ++type) {
        TMemTable *book = m_api->select_sql("X", QString("SELECT RECID, ID_DOCSTATE FROM VIEW_DOC%1").arg(type));
        for (book->first(); !book->eof(); book->next(), ++checked)
            ASSERT_DOUBLE_EQ(book->field(1).as_float(),
                             document_paid(*m_api, m_api->current_recid(book), type));
        m_api->free_set(book);
    }
    EXPECT_EQ(checked, m_api->count_rows("DOC_HEAD"));
}
