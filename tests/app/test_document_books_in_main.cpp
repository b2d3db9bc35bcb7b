// The document books inside the main window: opened by their commands and found by their
// keys, opened again on the same document by their own refresh, and kept fresh when
// another window changes a document's payments or the documents of a partner.

#include "app/main_window_fixture.h"
#include "documents/ui/document_notices.h"
#include "documents/ui/fdoc.h"
#include "documents/ui/fdoctypeselect.h"
#include "masterdata/ui/fpar.h"
#include "support/modal_driver.h"
#include "widgets/dbgrid.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTabWidget>
#include <QTest>

namespace {

class DocumentBooksInMain : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        Tfm_main &window = open_window();
        window.show();
        // The main window made its own data module.
        m_partner = dbAPI->new_recid();
        dbAPI->exec_sql(QStringLiteral("INSERT INTO PAR (RECID, PARTNER_NO, PARTNER_NAME) "
                                       "VALUES (%1, 1, 'Novák a syn')")
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
