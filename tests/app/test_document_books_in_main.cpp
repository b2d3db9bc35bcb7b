// The document books inside the main window: opened by their commands and found by their
// keys, opened again on the same document by their own refresh, and kept fresh when
// another window changes a document's payments or the documents of a partner.

#include "app/main_window_fixture.h"
#include "documents/ui/document_notices.h"
#include "documents/ui/fdoc.h"
#include "documents/ui/fdoc_head.h"
#include "documents/ui/fdoctypeselect.h"
#include "masterdata/ui/fpar.h"
#include "support/modal_driver.h"
#include "taxrecords/ui/fte.h"
#include "taxrecords/ui/ftedit.h"
#include "taxrecords/ui/journal_fixture.h"
#include "widgets/dbedit.h"
#include "widgets/dbgrid.h"
#include "widgets/dbnumber_edit.h"
#include "widgets/values_combobox.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {

// Confirms the editor; one that stays open fails the test and is cancelled, so that no test
// waits in it.
void confirm(QDialog &editor, QPushButton *ok)
{
    EXPECT_TRUE(ok->isEnabled()) << qPrintable(editor.windowTitle());
    ok->click();
    if (editor.isVisible()) {
        ADD_FAILURE() << "still open: " << qPrintable(editor.windowTitle());
        editor.reject();
    }
}

class DocumentBooksInMain : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        Tfm_main &window = open_window();
        window.show();
        // The main window made its own data module.
        m_partner = dbAPI->new_recid();
        dbAPI->exec_sql(
            QStringLiteral("INSERT INTO PAR (RECID, PARTNER_NO, PARTNER_NAME, ID_PARTNER_TYPE) "
                           "VALUES (%1, 1, 'Novák a syn', 3)")
                .arg(m_partner));
        m_address = dbAPI->new_recid();
        dbAPI->exec_sql(QStringLiteral("INSERT INTO PAR_ADDR (RECID, ID_PARTNER, IS_INVOICE, "
                                       "ADDRESS_TITLE) VALUES (%1, %2, 'T', 'sídlo')")
                            .arg(m_address)
                            .arg(m_partner));
    }

    int add_document(int type, int number, double round_sum)
    {
        const int id = dbAPI->new_recid();
        dbAPI->exec_sql(QStringLiteral("INSERT INTO DOC_HEAD (RECID, ID_DOC_TYPE, DOC_NO, "
                                       "ID_ADDRESS, DATE_D, ROUND_SUM, ALL_SUM) VALUES (%1, %2, "
                                       "%3, %4, '2026-03-01', %5, %5)")
                            .arg(id)
                            .arg(type)
                            .arg(number)
                            .arg(m_address)
                            .arg(round_sum));
        return id;
    }

    int pay(int document, double income)
    {
        const int id = dbAPI->new_recid();
        dbAPI->exec_sql(QStringLiteral("INSERT INTO TE (RECID, DOC_ID, DATE_D, INCOME) VALUES "
                                       "(%1, %2, '2026-03-10', %3)")
                            .arg(id)
                            .arg(document)
                            .arg(income));
        return id;
    }

    TfDoc *book(int type) const
    {
        QMdiSubWindow *sub = m_window->child_window(QStringLiteral("DOC%1").arg(type));
        return sub ? qobject_cast<TfDoc *>(sub->widget()) : nullptr;
    }

    int m_partner = 0;
    int m_address = 0;
};

} // namespace

TEST_F(DocumentBooksInMain, EachBookOpensOnceAndItsRefreshReopensItOnTheDocument)
{
    for (int type = 1; type <= 4; ++type) {
        SCOPED_TRACE(type);
        add_document(type, 1, 100);
        const int last = add_document(type, 2, 200);
        const QString key = QStringLiteral("DOC%1").arg(type);
        m_window->command(QStringLiteral("actDoc%1").arg(type))->trigger();
        TfDoc *books = book(type);
        ASSERT_NE(books, nullptr);
        EXPECT_EQ(books->doc_type(), type);
        EXPECT_TRUE(m_window->child_window(key)->isMaximized());
        auto *source =
            qobject_cast<TDBGrid *>(m_window->find_child_component(key, QStringLiteral("ds")));
        ASSERT_NE(source, nullptr);
        EXPECT_EQ(source->table(), books->record_set());
        m_window->command(QStringLiteral("actDoc%1").arg(type))->trigger();
        EXPECT_EQ(m_window->child_windows().size(), type);

        books->record_set()->last();
        const QPointer<TfDoc> closing = books;
        QTest::keyClick(books->grid(), Qt::Key_F5);
        QTRY_VERIFY(closing.isNull() && book(type));
        EXPECT_EQ(dbAPI->current_recid(book(type)->record_set()), last);
        EXPECT_EQ(m_window->child_windows().size(), type);
    }
}

// A payment recorded in the tax-records book shows in the open book at once: the paid
// document's row is read again, and its payments when the book stands on it, while the
// book stays on its own row.
TEST_F(DocumentBooksInMain, APaymentMadeElsewhereRefreshesTheOpenBooksDocument)
{
    const int shown = add_document(1, 1, 1000);
    const int other = add_document(1, 2, 500);
    m_window->command(QStringLiteral("actDoc1"))->trigger();
    TfDoc *books = book(1);
    ASSERT_NE(books, nullptr);
    ASSERT_EQ(dbAPI->current_recid(books->record_set()), shown);
    books->pages()->setCurrentIndex(TfDoc::PaymentsPage);

    pay(other, 500);
    document_payments_changed(other);
    TMemTable *set = books->record_set();
    EXPECT_EQ(dbAPI->current_recid(set), shown);
    ASSERT_TRUE(dbAPI->locate_recid(other, set));
    EXPECT_EQ(set->field_by_name("ID_DOCSTATE").as_float(), 500);
    EXPECT_EQ(books->state_label()->text(), QStringLiteral("plně uhrazeno"));
    ASSERT_TRUE(dbAPI->locate_recid(shown, set));

    pay(shown, 250);
    document_payments_changed(shown);
    EXPECT_EQ(dbAPI->current_recid(set), shown);
    ASSERT_TRUE(books->payment_set());
    EXPECT_EQ(books->payment_set()->record_count(), 1);
    EXPECT_EQ(books->remaining_label()->text(), QStringLiteral("750,00"));
    EXPECT_EQ(books->state_label()->text(), QStringLiteral("částečně uhrazeno"));

    // A change to a document of another type leaves this book alone.
    const int received = add_document(2, 1, 300);
    document_payments_changed(received);
    EXPECT_TRUE(take_changed_documents(2).empty()) << "no book of type 2 is open to take it";
    EXPECT_EQ(dbAPI->current_recid(set), shown);
}

TEST_F(DocumentBooksInMain, APartnersDocumentsPageFollowsDocumentChanges)
{
    add_document(1, 1, 100);
    m_window->command(QStringLiteral("actPar"))->trigger();
    auto *partners = qobject_cast<TfPar *>(m_window->child_window(QStringLiteral("PAR"))->widget());
    ASSERT_NE(partners, nullptr);
    partners->show_page(TParTree::OtherPage);
    ASSERT_TRUE(partners->documents());
    EXPECT_EQ(partners->documents()->record_count(), 1);

    const int added = add_document(2, 1, 300);
    partner_documents_changed();
    ASSERT_TRUE(partners->documents());
    EXPECT_EQ(partners->documents()->record_count(), 2);
    ASSERT_TRUE(dbAPI->locate_recid(added, partners->documents()));
}

TEST_F(DocumentBooksInMain, TheForeignInvoiceCommandsOfferOnlyTheForeignKind)
{
    dbAPI->exec_sql("INSERT INTO CURR_LIST (RECID, CURR_NAME, CURR_TITLE, CURR_AMOUNT, CURR_KURS) "
                    "VALUES (9901, 'EUR', 'euro', 1, 25)");
    dbAPI->foreign_currency = true;
    for (const char *name : {"actDoc1new_fnovat", "actDoc2new_fnovat"}) {
        SCOPED_TRACE(name);
        bool home_kind_enabled = true;
        QString first_currency;
        ModalDriver::on_next_modal([&](QWidget *modal) {
            auto *dialog = qobject_cast<Tfm_doctypeselect *>(modal);
            ASSERT_NE(dialog, nullptr);
            home_kind_enabled = dialog->kinds()->button(0)->isEnabled();
            first_currency = dialog->findChild<QComboBox *>()->itemText(0);
            dialog->reject();
        });
        m_window->command(QLatin1String(name))->trigger();
        EXPECT_FALSE(home_kind_enabled);
        EXPECT_EQ(first_currency, QStringLiteral("EUR - euro"));
    }
}

// The typical road through the real windows: a new issued invoice from its book (the firm
// invoices abroad too, so the choice comes first and stays on "Kč"), two payments from the
// payments page that settle it to the cent, one corrected and one deleted, the book opened
// again on it by F5, and the invoice deleted while the tax-records book is open, which then
// no longer lists its payments.
TEST_F(DocumentBooksInMain, ANewInvoiceIsPaidCorrectedAndDeletedThroughTheBooks)
{
    const int account = dbAPI->new_recid();
    dbAPI->exec_sql(QStringLiteral("INSERT INTO CONF_BANKCASH (RECID, IS_BANK, MNAME, MNO) VALUES "
                                   "(%1, 'T', 'Účet u KB', '123/0100')")
                        .arg(account));
    dbAPI->exec_sql(QStringLiteral("UPDATE CONF_ADDRESS SET FORE_CURR='T' WHERE RECID=1"));
    dbAPI->foreign_currency = true;
    m_window->command(QStringLiteral("actTe"))->trigger();
    auto *journal = qobject_cast<TfTE *>(m_window->child_window(QStringLiteral("TE"))->widget());
    ASSERT_NE(journal, nullptr);
    m_window->command(QStringLiteral("actDoc1"))->trigger();
    TfDoc *books = book(1);
    ASSERT_NE(books, nullptr);
    const auto journal_payments = [journal](int document) {
        int count = 0;
        TMemTable *set = journal->record_set();
        for (int row = 0; row < set->record_count(); ++row)
            count += set->cell_value(row, set->field_by_name("DOC_ID").index()).toInt() == document;
        return count;
    };

    QString currency;
    ModalDriver::on_next_modal([&](QWidget *modal) {
        auto *choice = qobject_cast<Tfm_doctypeselect *>(modal);
        ASSERT_NE(choice, nullptr);
        currency = choice->findChild<QComboBox *>()->currentText();
        ModalDriver::on_next_modal([this](QWidget *next) {
            auto *editor = qobject_cast<Tfm_docheader *>(next);
            ASSERT_NE(editor, nullptr);
            editor->choose_address(m_address);
            type_over(editor, editor->title_edit(), QStringLiteral("Okna pro O'Briena"));
            editor->rounding_combo()->setCurrentIndex(0);
            type_over(editor, editor->total_edit(), QStringLiteral("865,08"));
            confirm(*editor, editor->ok_button());
        });
        choice->ok_button()->click();
    });
    books->grid()->setFocus();
    QTest::keyClick(books->grid(), Qt::Key_Insert);
    EXPECT_EQ(currency, QStringLiteral("Kč"));
    TMemTable *set = books->record_set();
    ASSERT_EQ(set->record_count(), 1);
    const int invoice = dbAPI->current_recid(set);
    ASSERT_NE(invoice, 0);
    EXPECT_EQ(set->field_by_name("ROUND_SUM").as_float(), 865.08);
    EXPECT_EQ(books->state_label()->text(), QStringLiteral("neuhrazeno"));

    books->pages()->setCurrentIndex(TfDoc::PaymentsPage);
    for (const char *amount : {"385,81", "479,27"}) {
        SCOPED_TRACE(amount);
        ModalDriver::on_next_modal([amount](QWidget *modal) {
            auto *entry = qobject_cast<TfTeEdit *>(modal);
            ASSERT_NE(entry, nullptr);
            type_over(entry, entry->income_edit(), QLatin1String(amount));
            confirm(*entry, entry->ok_button());
        });
        books->payment_grid()->setFocus();
        QTest::keyClick(books->payment_grid(), Qt::Key_Insert);
    }
    ASSERT_TRUE(books->payment_set());
    EXPECT_EQ(books->payment_set()->record_count(), 2);
    EXPECT_EQ(books->remaining_label()->text(), QStringLiteral("uhrazeno"));
    EXPECT_EQ(books->state_label()->text(), QStringLiteral("plně uhrazeno"));
    EXPECT_EQ(journal_payments(invoice), 2) << "the open tax-records book shows both";

    books->payment_set()->last();
    ModalDriver::on_next_modal([](QWidget *modal) {
        auto *entry = qobject_cast<TfTeEdit *>(modal);
        ASSERT_NE(entry, nullptr);
        type_over(entry, entry->income_edit(), QStringLiteral("400"));
        confirm(*entry, entry->ok_button());
    });
    QTest::keyClick(books->payment_grid(), Qt::Key_Return);
    EXPECT_EQ(books->remaining_label()->text(), QStringLiteral("79,27"));
    EXPECT_EQ(books->remaining_currency_label()->text(), QStringLiteral("Kč"));
    EXPECT_EQ(books->state_label()->text(), QStringLiteral("částečně uhrazeno"));

    m_answer = mrYes;
    books->payment_set()->last();
    QTest::keyClick(books->payment_grid(), Qt::Key_Delete);
    EXPECT_EQ(books->payment_set()->record_count(), 1);
    EXPECT_EQ(books->remaining_label()->text(), QStringLiteral("479,27"));
    EXPECT_EQ(journal_payments(invoice), 1);

    const QPointer<TfDoc> closing = books;
    QTest::keyClick(books->grid(), Qt::Key_F5);
    QTRY_VERIFY(closing.isNull() && book(1));
    books = book(1);
    EXPECT_EQ(dbAPI->current_recid(books->record_set()), invoice);

    m_messages.clear();
    books->grid()->setFocus();
    QTest::keyClick(books->grid(), Qt::Key_Delete);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(books->record_set()->record_count(), 0);
    journal = qobject_cast<TfTE *>(m_window->child_window(QStringLiteral("TE"))->widget());
    EXPECT_EQ(journal_payments(invoice), 0) << "the tax-records book read its entries again";
    EXPECT_EQ(dbAPI->count_rows(QStringLiteral("TE"), QStringLiteral("DOC_ID=%1").arg(invoice)), 0);
    EXPECT_FALSE(books->command("actDocEdit")->isEnabled());
}

TEST_F(DocumentBooksInMain, APaymentDeletedInTheTaxRecordsBookLeavesTheOpenBookAtOnce)
{
    const int invoice = add_document(1, 1, 1000);
    const int payment = pay(invoice, 1000);
    m_window->command(QStringLiteral("actDoc1"))->trigger();
    TfDoc *books = book(1);
    ASSERT_NE(books, nullptr);
    books->pages()->setCurrentIndex(TfDoc::PaymentsPage);
    EXPECT_EQ(books->remaining_label()->text(), QStringLiteral("uhrazeno"));
    m_window->command(QStringLiteral("actTe"))->trigger();
    auto *journal = qobject_cast<TfTE *>(m_window->child_window(QStringLiteral("TE"))->widget());
    ASSERT_NE(journal, nullptr);
    ASSERT_TRUE(dbAPI->locate_recid(payment, journal->record_set()));

    m_answer = mrYes;
    journal->grid()->setFocus();
    QTest::keyClick(journal->grid(), Qt::Key_Delete);
    EXPECT_EQ(dbAPI->count_rows(QStringLiteral("TE")), 0);
    ASSERT_TRUE(books->payment_set());
    EXPECT_EQ(books->payment_set()->record_count(), 0);
    EXPECT_EQ(books->remaining_label()->text(), QStringLiteral("1 000,00"));
    EXPECT_EQ(books->state_label()->text(), QStringLiteral("neuhrazeno"));
}

// The main window's command writes into the open book's own set, so the new invoice is the
// book's row at once.
TEST_F(DocumentBooksInMain, ANewInvoiceFromTheMainMenuIsTheOpenBooksNewRow)
{
    const int account = dbAPI->new_recid();
    dbAPI->exec_sql(QStringLiteral("INSERT INTO CONF_BANKCASH (RECID, IS_BANK, MNAME) VALUES "
                                   "(%1, 'T', 'Účet u KB')")
                        .arg(account));
    add_document(1, 1, 100);
    m_window->command(QStringLiteral("actDoc1"))->trigger();
    TfDoc *books = book(1);
    ASSERT_NE(books, nullptr);
    ModalDriver::on_next_modal([this](QWidget *modal) {
        auto *editor = qobject_cast<Tfm_docheader *>(modal);
        ASSERT_NE(editor, nullptr);
        editor->choose_address(m_address);
        type_over(editor, editor->title_edit(), QStringLiteral("Servis"));
        type_over(editor, editor->total_edit(), QStringLiteral("250"));
        confirm(*editor, editor->ok_button());
    });
    m_window->command(QStringLiteral("actDoc1new_novat"))->trigger();
    TMemTable *set = books->record_set();
    EXPECT_EQ(set->record_count(), 2);
    EXPECT_EQ(set->field_by_name("DOC_TITLE").as_string(), QStringLiteral("Servis"));
    EXPECT_EQ(set->field_by_name("PARTNER_NAME").as_string(), QStringLiteral("Novák a syn"));
    EXPECT_EQ(books->state_label()->text(), QStringLiteral("neuhrazeno"));
}
