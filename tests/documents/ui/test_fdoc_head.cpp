#include "documents/ui/document_editor_fixture.h"

#include "data/memtable.h"
#include "documents/document.h"
#include "documents/ui/document_operations.h"
#include "documents/ui/fdoc_head.h"
#include "documents/ui/fitem_edit.h"
#include "masterdata/ui/fpar.h"
#include "masterdata/ui/fpar_addredit.h"
#include "masterdata/ui/fparedit.h"
#include "masterdata/ui/fselector.h"
#include "widgets/dbdate_edit.h"
#include "widgets/dbedit.h"
#include "widgets/dbgrid.h"
#include "widgets/dbnumber_edit.h"
#include "widgets/values_combobox.h"
#include "widgets/window_host.h"

#include <QAction>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace {

class DocumentEditorTest : public DocumentEditorFixture {};

// The main road: a new partner made from the editor, three items of which two are priced in
// euros, the amount to pay rounded, everything stored together.
TEST_F(DocumentEditorTest, IssuedInvoiceInEurosForANewPartner)
{
    exec("UPDATE GENER_NO SET GEN_ID=25 WHERE RECID=1");
    on_modal<Tfm_docheader>([this](Tfm_docheader &editor) {
        EXPECT_EQ(editor.windowTitle(), "faktura vydaná - nová");
        EXPECT_EQ(editor.number_edit()->text(), "26");
        EXPECT_EQ(editor.var_s_edit()->text(), "26");
        EXPECT_EQ(editor.rounding_combo()->selected_value(), 2);
        EXPECT_EQ(editor.tabs()->currentWidget()->objectName(), "tabItems");
        EXPECT_FALSE(editor.ok_button()->isEnabled());

        on_modal<Tfm_paredit>([](Tfm_paredit &partner) {
            type_into(&partner, "PARTNER_NAME", "Nový odběratel");
            on_modal<Tfm_par_addredit>([](Tfm_par_addredit &address) {
                type_into(&address, "DBEdit1paraddr", "Fakturační");
                address.ok_button()->click();
            });
            partner.ok_button()->click();
        });
        editor.new_partner_button()->click();
        EXPECT_TRUE(editor.partner_edit()->text().startsWith("Nový odběratel - Fakturační"))
            << qPrintable(editor.partner_edit()->text());
        EXPECT_EQ(editor.link_combo()->count(), 1);
        retype(editor.title_edit(), "Dodávka spojovacího materiálu");
        EXPECT_TRUE(editor.ok_button()->isEnabled());

        add_item(editor, screw, "3", [](TfmItemEdit &item) {
            // 255 Kč at 25.50 Kč per euro.
            EXPECT_EQ(item.price_edit()->field()->as_float(), 10.0);
        });
        add_item(editor, nut, "2", [](TfmItemEdit &item) {
            EXPECT_EQ(item.price_edit()->field()->as_float(), 3.9);
        });
        add_item(editor, bolt, "1", [](TfmItemEdit &item) {
            retype(item.price_edit(), "1,67");
            EXPECT_NEAR(item.cost_edit()->field()->as_float(), 1.67, 1e-9);
        });
        EXPECT_EQ(editor.item_set()->record_count(), 3);
        EXPECT_TRUE(editor.total_edit()->isReadOnly());
        EXPECT_NEAR(editor.document().header().field_by_name("ALL_SUM").as_float(), 39.47, 1e-9);
        EXPECT_EQ(editor.document().header().field_by_name("ROUND_SUM").as_float(), 39.5);
        editor.ok_button()->click();
        EXPECT_FALSE(editor.isVisible());
    });
    const int id = new_document(1, "DOC1", euro);
    ASSERT_NE(id, 0);
    EXPECT_EQ(shell(QString("SELECT DOC_NO, DOC_TITLE, ALL_SUM, ROUND_ID, ROUND_SUM, CURR_NAME, "
                            "CURR_KURS FROM DOC_HEAD WHERE RECID=%1").arg(id)),
              "26|Dodávka spojovacího materiálu|39.47|2|39.5|EUR|25.5");
    EXPECT_EQ(shell(QString("SELECT P.PRO_NO, I.AMOUNT, I.COST_PER_UNIT, I.COST, I.CURR_NAME "
                            "FROM DOC_ITEMS I JOIN PRO P ON P.RECID=I.PRO_ID "
                            "WHERE HEADER_ID=%1 ORDER BY I.RECID").arg(id)),
              "1|3.0|10.0|30.0|EUR\n2|2.0|3.9|7.8|EUR\n3|1.0|1.67|1.67|EUR");
    EXPECT_EQ(shell(QString("SELECT D.VAR_S, D.ID_BANK, D.ID_LINK = H.ID_ADDRESS FROM DOC_DRS1 D "
                            "JOIN DOC_HEAD H ON H.RECID=D.RECID WHERE D.RECID=%1").arg(id)),
              QString("26|%1|1").arg(bank));
    // Each confirmed euro price is the product's next time.
    EXPECT_EQ(shell("SELECT P.PRO_NO, C.COST FROM PRO_CURR C JOIN PRO P ON P.RECID=C.PRO_ID "
                    "WHERE C.CURR_NAME='EUR' ORDER BY P.PRO_NO"),
              "1|10.0\n2|3.9\n3|1.67");
    EXPECT_EQ(shell("SELECT GEN_ID, LAST_WRITE <> '2008-01-01' FROM GENER_NO WHERE RECID=1"), "26|1");
}

TEST_F(DocumentEditorTest, CorrectionToTwoItemsReplacesTheStoredOnes)
{
    const int id = issue_invoice({{screw, "1"}, {nut, "2"}, {bolt, "3"}});
    ASSERT_NE(id, 0);
    TMemTable *book = m_api->select_sql("VIEW_DOC1", "SELECT * FROM VIEW_DOC1 ORDER BY DOC_NO");
    ASSERT_TRUE(m_api->locate_recid(id, book));
    m_answer = mrYes;
    on_modal<Tfm_docheader>([](Tfm_docheader &editor) {
        EXPECT_EQ(editor.windowTitle(), "faktura vydaná - oprava");
        ASSERT_EQ(editor.item_set()->record_count(), 3);
        editor.item_set()->first();
        editor.item_grid()->setFocus();
        QTest::keyClick(editor.item_grid(), Qt::Key_Delete);
        EXPECT_EQ(editor.item_set()->record_count(), 2);
        EXPECT_EQ(editor.document().header().field_by_name("ALL_SUM").as_float(), 320.0);
        editor.ok_button()->click();
    });
    EXPECT_EQ(edit_document(1, book), id);
    ASSERT_FALSE(m_messages.empty());
    EXPECT_EQ(m_messages.back().text, "Opravdu  vymazat vybranou položku faktury?");
    EXPECT_EQ(shell(QString("SELECT PRO_ID, AMOUNT FROM DOC_ITEMS WHERE HEADER_ID=%1 "
                            "ORDER BY RECID").arg(id)),
              QString("%1|2.0\n%2|3.0").arg(nut).arg(bolt));
    EXPECT_EQ(shell(QString("SELECT ALL_SUM, ROUND_SUM FROM DOC_HEAD WHERE RECID=%1").arg(id)),
              "320.0|320.0");
}

// Deleting every item leaves a total of 0 that can be typed; a new item takes it over again.
TEST_F(DocumentEditorTest, TotalIsTypeableExactlyWhileThereAreNoItems)
{
    m_answer = mrYes;
    on_modal<Tfm_docheader>([](Tfm_docheader &editor) {
        EXPECT_FALSE(editor.total_edit()->isReadOnly());
        EXPECT_FALSE(editor.edit_item_action()->isEnabled());
        DocumentEditorFixture::add_item(editor, 7003, "2");
        EXPECT_TRUE(editor.total_edit()->isReadOnly());
        EXPECT_TRUE(editor.delete_item_action()->isEnabled());
        EXPECT_EQ(editor.document().header().field_by_name("ALL_SUM").as_float(), 80.0);
        editor.delete_item_action()->trigger();
        EXPECT_FALSE(editor.total_edit()->isReadOnly());
        EXPECT_FALSE(editor.delete_item_action()->isEnabled());
        EXPECT_EQ(editor.document().header().field_by_name("ALL_SUM").as_float(), 0.0);
        retype(editor.total_edit(), "99,20");
        EXPECT_EQ(editor.document().header().field_by_name("ROUND_SUM").as_float(), 99.0);
    });
    EXPECT_EQ(new_document(1, "DOC1", 0), 0);
    EXPECT_EQ(shell("SELECT count(*) FROM DOC_HEAD"), "0");
}

// Another invoicing address brings its partner's delivery addresses and discount.
TEST_F(DocumentEditorTest, PartnerChangeMovesDeliveryAddressAndDiscount)
{
    const int other = insert_partner(3, "Sleva s.r.o.");
    exec(QString("INSERT INTO PAR_GRP (RECID, GRP_NAME, DISCOUNT) VALUES (9100, 'VIP', 5);"
                 "UPDATE PAR SET ID_PARTNER_TYPE=1, ID_PARTNER_GROUP=9100 WHERE RECID=%1;"
                 "INSERT INTO PAR_ADDR (RECID, ID_PARTNER, IS_INVOICE, ADDRESS_TITLE, CITY) "
                 "VALUES (6101, %1, 'T', 'ústředí', 'Ostrava')").arg(other));
    on_modal<Tfm_docheader>([this](Tfm_docheader &editor) {
        // Picked from the list as the user does: Down in the partner field.
        on_next_selector([this](Tfm_selector &selector) {
            ASSERT_TRUE(selector.record_set()->locate("RECID", invoice_address));
            QTest::keyClick(selector.grid(), Qt::Key_Return);
        });
        editor.partner_edit()->setFocus();
        QTest::keyClick(editor.partner_edit(), Qt::Key_Down);
        EXPECT_EQ(editor.link_combo()->count(), 2);
        EXPECT_EQ(editor.link_combo()->selected_value(), invoice_address);
        EXPECT_EQ(editor.partner_discount(), 0.0);
        editor.choose_address(6101);
        EXPECT_EQ(editor.link_combo()->count(), 1);
        EXPECT_EQ(editor.link_combo()->selected_value(), 6101);
        EXPECT_EQ(editor.partner_discount(), 5.0);
        DocumentEditorFixture::add_item(editor, 7003, "1");
        EXPECT_EQ(editor.item_set()->field_by_name("DISCOUNT").as_float(), 5.0);
        EXPECT_EQ(editor.item_set()->field_by_name("COST").as_float(), 38.0);
    });
    new_document(1, "DOC1", 0);
}

// A credit note takes its invoice's currency, amounts and partner, which it cannot change,
// and keeps the invoice's amount to pay until the user changes the total.
TEST_F(DocumentEditorTest, IssuedCreditNoteAgainstAnInvoiceInEuros)
{
    const int invoice = issue_invoice({{screw, "1"}, {nut, "1"}}, euro);
    ASSERT_NE(invoice, 0);
    exec(QString("UPDATE DOC_HEAD SET ROUND_SUM=12 WHERE RECID=%1").arg(invoice));
    on_next_selector([invoice](Tfm_selector &selector) {
        ASSERT_TRUE(selector.record_set()->locate("RECID", invoice));
        QTest::keyClick(selector.grid(), Qt::Key_Return);
    });
    on_modal<Tfm_docheader>([invoice](Tfm_docheader &editor) {
        EXPECT_EQ(editor.windowTitle(), "dobropis vydaný - nový");
        EXPECT_FALSE(editor.partner_edit()->isEnabled());
        EXPECT_FALSE(editor.new_partner_button()->isEnabled());
        EXPECT_TRUE(editor.new_bank_button()->isEnabled());
        EXPECT_EQ(editor.rounding_combo()->selected_value(), 0);
        EXPECT_EQ(editor.document().currency.name, "EUR");
        EXPECT_EQ(editor.document().header().field_by_name("ROUND_SUM").as_float(), 12.0);
        EXPECT_TRUE(editor.against_edit()->text().endsWith(", dodávka"));
        EXPECT_EQ(editor.var_s_edit()->text(), editor.against_edit()->text().section(',', 0, 0));
        EXPECT_EQ(editor.tabs()->count(), 1);
        retype(editor.title_edit(), "Vrácení zboží");
        // Its own rounding mode takes over once the total is changed.
        retype(editor.total_edit(), "13,94");
        EXPECT_EQ(editor.document().header().field_by_name("ROUND_SUM").as_float(), 13.94);
        editor.ok_button()->click();
        EXPECT_FALSE(editor.isVisible());
        Q_UNUSED(invoice);
    });
    const int credit = new_document(3, "DOC3", -3);
    ASSERT_NE(credit, 0);
    EXPECT_EQ(shell(QString("SELECT H.ID_DOC_TYPE, H.ALL_SUM, H.ROUND_ID, H.ROUND_SUM, H.CURR_NAME, "
                            "H.ID_ADDRESS, D.ID_LINK FROM DOC_HEAD H JOIN DOC_DRS3 D ON "
                            "D.RECID=H.RECID WHERE H.RECID=%1").arg(credit)),
              QString("3|13.94|0|13.94|EUR|%1|%2").arg(invoice_address).arg(invoice));
}

// A received invoice: a supplier, an own invoicing address added on the way, the supplier's
// variable symbol typed and the total typed with a thousands space and a decimal comma.
TEST_F(DocumentEditorTest, ReceivedInvoiceWithATypedTotal)
{
    on_modal<Tfm_docheader>([this](Tfm_docheader &editor) {
        EXPECT_EQ(editor.windowTitle(), "faktura došlá - nová");
        EXPECT_EQ(editor.tabs(), nullptr);
        EXPECT_EQ(editor.rounding_combo()->selected_value(), 0);
        EXPECT_TRUE(editor.var_s_edit()->text().isEmpty());
        editor.choose_address(supplier_address);
        retype(editor.title_edit(), "Nákup materiálu");
        EXPECT_FALSE(editor.ok_button()->isEnabled());
        retype(editor.var_s_edit(), "2026'077");
        EXPECT_TRUE(editor.ok_button()->isEnabled());

        retype(editor.total_edit(), "12a3");
        EXPECT_EQ(editor.total_edit()->text(), "123");
        retype(editor.total_edit(), "1 234,50");
        EXPECT_EQ(editor.document().header().field_by_name("ALL_SUM").as_float(), 1234.5);
        EXPECT_EQ(editor.document().header().field_by_name("ROUND_SUM").as_float(), 1234.5);
        editor.rounding_combo()->setCurrentIndex(1);
        EXPECT_EQ(editor.document().header().field_by_name("ROUND_SUM").as_float(), 1235.0);

        answer_editor([](Tfm_listedit &address) {
            type_into(&address, "NAZEV", "Pobočka");
            type_into(&address, "ADRESA", "Vedlejší 5");
            address.ok_button()->click();
        });
        editor.new_link_button()->click();
        EXPECT_EQ(editor.link_combo()->count(), 2);
        EXPECT_TRUE(editor.link_combo()->currentText().startsWith("Pobočka"));

        // Without a date the document would be missing from every period.
        retype(editor.date_edit(), "");
        EXPECT_FALSE(editor.ok_button()->isEnabled());
        editor.document().header().field_by_name("DATE_D").set_as_datetime(46095);
        EXPECT_TRUE(editor.ok_button()->isEnabled());
        editor.ok_button()->click();
    });
    const int id = new_document(2, "DOC2", 0);
    ASSERT_NE(id, 0);
    EXPECT_EQ(shell(QString("SELECT H.ALL_SUM, H.ROUND_ID, H.ROUND_SUM, D.VAR_S, C.NAZEV FROM "
                            "DOC_HEAD H JOIN DOC_DRS2 D ON D.RECID=H.RECID JOIN CONF_INVOICE C ON "
                            "C.RECID=D.ID_LINK WHERE H.RECID=%1").arg(id)),
              "1234.5|1|1235.0|2026'077|Pobočka");
}

// Apostrophes, quotes, Czech letters and the longest texts the columns hold go in and come
// back as typed.
TEST_F(DocumentEditorTest, TextsTypedThroughTheWidgetsAreStoredVerbatim)
{
    const QString title = QString("Servis \"U Nováků\" 'rychle'; --") + QString(98, QChar(u'ž'));
    const QString item_text = QString("pro O'Briena \"speciál\" ") + QString(232, QChar(u'ů'));
    on_modal<Tfm_docheader>([&](Tfm_docheader &editor) {
        editor.choose_address(invoice_address);
        retype(editor.title_edit(), title + "přebytek");
        retype(editor.const_s_edit(), "03'08\"");
        add_item(editor, screw, "1", [&](TfmItemEdit &item) {
            retype(item.text_edit(), item_text + "přebytek");
        });
        editor.ok_button()->click();
    });
    const int id = new_document(1, "DOC1", 0);
    ASSERT_NE(id, 0);
    ScopedSet stored = m_api->select_scoped(
        "X", QString("SELECT H.DOC_TITLE, I.ITEM_TEXT, D.CONST_S FROM DOC_HEAD H JOIN DOC_ITEMS "
                     "I ON I.HEADER_ID=H.RECID JOIN DOC_DRS1 D ON D.RECID=H.RECID WHERE "
                     "H.RECID=%1").arg(id));
    ASSERT_TRUE(stored && !stored->is_empty());
    EXPECT_EQ(stored->field(0).as_string(), title);
    EXPECT_EQ(stored->field(1).as_string(), item_text);
    EXPECT_EQ(stored->field(2).as_string(), "03'08\"");
}

// A failed save of a new document takes nothing from the book it was opened in and keeps
// what was typed, so that the next "Uložit" is a new insert again.
TEST_F(DocumentEditorTest, FailedSaveOfANewDocumentLeavesTheBookAndTheEntries)
{
    for (int n = 1; n <= 3; ++n)
        exec(QString("INSERT INTO DOC_HEAD (RECID, ID_DOC_TYPE, DOC_NO, ID_ADDRESS, DATE_D, "
                     "DOC_TITLE, ALL_SUM, ROUND_SUM) VALUES (%1, 1, %2, %3, '2026-03-01', "
                     "'faktura %2', 10, 10)").arg(9000 + n).arg(n).arg(invoice_address));
    if (!reopen_read_only())
        GTEST_SKIP() << "this machine cannot protect the file";
    TMemTable *book = m_api->select_sql("VIEW_DOC1", "SELECT * FROM VIEW_DOC1 ORDER BY DOC_NO");
    ASSERT_TRUE(m_api->locate_recid(9002, book));
    m_messages.clear();
    on_modal<Tfm_docheader>([&](Tfm_docheader &editor) {
        editor.choose_address(invoice_address);
        retype(editor.title_edit(), "nová");
        editor.ok_button()->click();
        EXPECT_TRUE(editor.isVisible());
        EXPECT_EQ(editor.title_edit()->text(), "nová");
        EXPECT_TRUE(editor.document().is_new());
        EXPECT_EQ(book->record_count(), 3);
        editor.ok_button()->click();
        EXPECT_TRUE(editor.isVisible());
    });
    EXPECT_EQ(new_document_in_book(1, book, 0), 0);
    ASSERT_EQ(m_messages.size(), 4u);
    EXPECT_EQ(m_messages[1].text, "Doklad se nepodařilo uložit!");
    EXPECT_EQ(m_messages[3].text, "Doklad se nepodařilo uložit!");
    EXPECT_EQ(book->record_count(), 3);
    EXPECT_EQ(m_api->current_recid(book), 9002);
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(book->cell_value(row, book->field_by_name("RECID").index()).toInt(), 9001 + row);
}

TEST_F(DocumentEditorTest, NothingOpensWithoutAPartnerAddressOrAChosenInvoice)
{
    on_next_selector([](Tfm_selector &selector) { QTest::keyClick(selector.grid(), Qt::Key_Escape); });
    EXPECT_EQ(new_document(4, "DOC4", -2), 0);
    EXPECT_EQ(new_document(1, "DOC1", -1), 0);
    EXPECT_TRUE(m_messages.empty());

    exec("DELETE FROM PAR_ADDR");
    EXPECT_EQ(new_document(2, "DOC2", 0), 0);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text,
              "Nejprve zadejte alespoň jednoho obchodního partnera s fakturační adresou.");
    EXPECT_EQ(m_messages[0].help_topic, 9001);
}

// A delivery address needs a partner first; a new payment method is a bank account.
TEST_F(DocumentEditorTest, DeliveryAddressAndPaymentMethodAddedFromTheEditor)
{
    on_modal<Tfm_docheader>([this](Tfm_docheader &editor) {
        editor.new_link_button()->click();
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_EQ(m_messages[0].title, "Pozor");
        EXPECT_EQ(m_messages[0].text, "Nejprve vyberte obchodního partnera, až pak mu můžete "
                                      "vložit novou fakturační adresu.");

        editor.choose_address(invoice_address);
        on_modal<Tfm_par_addredit>([](Tfm_par_addredit &address) {
            type_into(&address, "DBEdit1paraddr", "Pobočka Zlín");
            address.ok_button()->click();
        });
        editor.new_link_button()->click();
        EXPECT_EQ(editor.link_combo()->count(), 3);
        EXPECT_TRUE(editor.link_combo()->currentText().contains("Pobočka Zlín"))
            << qPrintable(editor.link_combo()->currentText());

        answer_editor([](Tfm_listedit &bank) {
            EXPECT_EQ(bank.windowTitle(), "Nový bankovní účet.");
            ASSERT_NE(bank.control_of("IS_BANK"), nullptr);
            EXPECT_FALSE(bank.control_of("IS_BANK")->isVisible());
            type_into(&bank, "MNAME", "Spořicí účet");
            type_into(&bank, "MNO", "987/0300");
            type_into(&bank, "MADDRESS", "Brno");
            type_into(&bank, "SWIFT", "AGBACZPP");
            type_into(&bank, "IBAN", "CZ6508000000192000145399");
            bank.ok_button()->click();
        });
        editor.new_bank_button()->click();
        EXPECT_EQ(editor.bank_combo()->count(), 2);
        EXPECT_TRUE(editor.bank_combo()->currentText().startsWith("Spořicí účet"));
    });
    new_document(1, "DOC1", 0);
    EXPECT_EQ(shell("SELECT IS_BANK FROM CONF_BANKCASH WHERE MNAME='Spořicí účet'"), "T");
    EXPECT_EQ(shell(QString("SELECT IS_INVOICE FROM PAR_ADDR WHERE ID_PARTNER=%1 AND "
                            "ADDRESS_TITLE='Pobočka Zlín'").arg(customer)),
              "F");
}

// Deleting from a book takes the document's items and payments along; an invoice that a
// credit note corrects stays, with the database's reason shown.
TEST_F(DocumentEditorTest, DeletionFromABookAsksAndTakesThePaymentsAlong)
{
    const int paid = issue_invoice({{screw, "1"}});
    const int corrected = issue_invoice({{nut, "1"}});
    exec(QString("INSERT INTO TE (RECID, DOC_ID, DATE_D, INCOME, OUTCOME, ORIGIN_CURR) VALUES "
                 "(9901, %1, '2026-03-15', 100, 0, 'Kč');"
                 "INSERT INTO DOC_HEAD (RECID, ID_DOC_TYPE, DOC_NO, ID_ADDRESS, DATE_D, DOC_TITLE) "
                 "VALUES (9902, 3, 1, %3, '2026-03-15', 'dobropis');"
                 "INSERT INTO DOC_DRS3 (RECID, VAR_S, ID_LINK) VALUES (9902, '1', %2)")
             .arg(paid).arg(corrected).arg(invoice_address));
    TMemTable *book = m_api->select_sql("VIEW_DOC1", "SELECT * FROM VIEW_DOC1 ORDER BY DOC_NO");
    ASSERT_TRUE(m_api->locate_recid(paid, book));

    m_answer = mrNo;
    EXPECT_EQ(delete_document(book, 1), 0);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].title, "Pozor!");
    EXPECT_EQ(m_messages[0].text,
              "FAKTURA VYDANÁ\r\n\r\nOpravdu vymazat vybraný doklad a všechny jeho úhrady?");
    EXPECT_EQ(m_messages[0].style, mbYesNo | mbIconWarning | mbDefaultNo);
    EXPECT_EQ(m_messages[0].help_topic, 3061);
    EXPECT_EQ(book->record_count(), 2);

    m_answer = mrYes;
    EXPECT_EQ(delete_document(book, 1), paid);
    EXPECT_EQ(book->record_count(), 1);
    EXPECT_EQ(shell(QString("SELECT (SELECT count(*) FROM DOC_HEAD WHERE RECID=%1) + "
                            "(SELECT count(*) FROM DOC_ITEMS WHERE HEADER_ID=%1) + "
                            "(SELECT count(*) FROM DOC_DRS1 WHERE RECID=%1) + "
                            "(SELECT count(*) FROM TE WHERE DOC_ID=%1)").arg(paid)),
              "0");

    m_messages.clear();
    ASSERT_TRUE(m_api->locate_recid(corrected, book));
    EXPECT_EQ(delete_document(book, 1), 0);
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_TRUE(m_messages[1].text.contains("dobropis")) << qPrintable(m_messages[1].text);
    EXPECT_FALSE(m_messages[1].fatal);
    EXPECT_FALSE(program_ending());
    EXPECT_EQ(book->record_count(), 1);
    EXPECT_EQ(shell(QString("SELECT count(*) FROM DOC_HEAD WHERE RECID=%1").arg(corrected)), "1");
}

struct HintRecorder : WindowHost {
    void set_status_hint(const QString &hint) override { hints << hint; }
    void editor_opened(const QString &caption) override { announced << "+" + caption; }
    void editor_closed(const QString &caption) override { announced << "-" + caption; }
    QStringList hints;
    QStringList announced;
};

// The status bar names the keys of the page in front; the main window knows while the
// editor is open.
TEST_F(DocumentEditorTest, StatusHintFollowsThePageInFront)
{
    HintRecorder host;
    const ScopedWindowHost installed(host);
    const QString caption = "faktura vydaná - nová";
    on_modal<Tfm_docheader>([&](Tfm_docheader &editor) {
        editor.window_activated();
        EXPECT_EQ(host.hints.last(),
                  caption + "|Položky (INSERT - nová, ENTER - opravit, DELETE - vymazat), OK - "
                            "uložit doklad, Storno - zpět bez uložení.");
        editor.tabs()->setCurrentIndex(0);
        EXPECT_EQ(host.hints.last(), caption + "|OK - uložit doklad, Storno - zpět bez uložení.");
        EXPECT_EQ(host.announced, QStringList{"+" + caption});
    });
    new_document(1, "DOC1", 0);
    EXPECT_EQ(host.announced, (QStringList{"+" + caption, "-" + caption}));
    EXPECT_TRUE(host.hints.last().isEmpty());
}

// The main window with the book of issued invoices open, which offers its set as its grid.
struct ChildRecorder : WindowHost {
    QObject *find_child_component(const QString &key, const QString &name) const override
    {
        if (key != "DOC1" || name != "ds" || !book)
            return nullptr;
        grid.set_table(book);
        return &grid;
    }
    int notify_child(const QString &key, int code) override
    {
        notified.push_back(key + QString::number(code));
        return 0;
    }
    TMemTable *book = nullptr;
    mutable TDBGrid grid;
    QStringList notified;
};

// With the book open the new document is its new row, read back from the book's view.
TEST_F(DocumentEditorTest, NewDocumentShowsInTheOpenBook)
{
    issue_invoice({{screw, "1"}});
    ChildRecorder host;
    host.book = m_api->select_sql("VIEW_DOC1", "SELECT * FROM VIEW_DOC1 ORDER BY DOC_NO");
    const ScopedWindowHost installed(host);
    const int id = issue_invoice({{nut, "2"}});
    ASSERT_NE(id, 0);
    EXPECT_EQ(host.book->record_count(), 2);
    EXPECT_EQ(m_api->current_recid(host.book), id);
    EXPECT_EQ(host.book->field_by_name("PARTNER_NAME").as_string(), "Odběratel a.s.");
    EXPECT_EQ(host.book->field_by_name("ROUND_SUM").as_float(), 200.0);
}

// The partners window corrects and deletes a partner's documents; a document that is no
// longer there opens nothing in its place.
TEST_F(DocumentEditorTest, PartnersWindowEditsAndDeletesItsDocuments)
{
    const int first = issue_invoice({{screw, "1"}});
    const int second = issue_invoice({{nut, "1"}});
    ASSERT_NE(second, 0);
    ChildRecorder host;
    host.book = m_api->select_sql("VIEW_DOC1", "SELECT * FROM VIEW_DOC1 ORDER BY DOC_NO");
    const ScopedWindowHost installed(host);
    TfPar window(customer);
    window.show_page(TParTree::OtherPage);
    TMemTable *documents = window.documents();
    ASSERT_NE(documents, nullptr);
    ASSERT_EQ(documents->record_count(), 2);
    ASSERT_TRUE(window.command(TfPar::EditDocument)->isEnabled());

    ASSERT_TRUE(documents->locate("RECID", first));
    on_modal<Tfm_docheader>([](Tfm_docheader &editor) {
        EXPECT_EQ(editor.windowTitle(), "faktura vydaná - oprava");
        retype(editor.title_edit(), "opraveno");
        editor.ok_button()->click();
    });
    window.command(TfPar::EditDocument)->trigger();
    EXPECT_EQ(documents->field_by_name("DOC_TITLE").as_string(), "opraveno");
    // The open book was corrected on the same row and shows it.
    EXPECT_EQ(m_api->current_recid(host.book), first);
    EXPECT_EQ(host.book->field_by_name("DOC_TITLE").as_string(), "opraveno");

    m_answer = mrYes;
    window.command(TfPar::DeleteDocument)->trigger();
    EXPECT_EQ(m_messages.back().text,
              "Opravdu vymazat vybraný doklad obchodního partnera a všechny jeho úhrady?");
    EXPECT_EQ(documents->record_count(), 1);
    EXPECT_EQ(host.book->record_count(), 1);
    EXPECT_EQ(shell(QString("SELECT count(*) FROM DOC_HEAD WHERE RECID=%1").arg(first)), "0");
    EXPECT_EQ(shell(QString("SELECT count(*) FROM DOC_ITEMS WHERE HEADER_ID=%1").arg(first)), "0");
    EXPECT_EQ(host.notified, QStringList{"TE1"});

    // Deleted meanwhile elsewhere: neither the open book nor a scratch set opens another
    // document in its place.
    exec(QString("DELETE FROM DOC_HEAD WHERE RECID=%1").arg(second));
    documents->first();
    for (TMemTable *book : {host.book, static_cast<TMemTable *>(nullptr)}) {
        if (book)
            book->remove();
        host.book = book;
        m_messages.clear();
        EXPECT_EQ(edit_document_of_row(documents), 0);
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_EQ(m_messages[0].text, "Záznam neexistuje!");
    }
}

} // namespace
