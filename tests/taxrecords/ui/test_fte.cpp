// The tax-records book through its real widgets: the grid and the panel as it opens, the
// entries added, corrected and deleted from it, the cash vouchers and the reload message.

#include "data/memtable.h"
#include "masterdata/ui/frsearch.h"
#include "reports/report_state.h"
#include "reports/ui/fsetwhere.h"
#include "support/modal_driver.h"
#include "taxrecords/ui/fpretedoc.h"
#include "taxrecords/ui/fte.h"
#include "taxrecords/ui/ftedit.h"
#include "taxrecords/ui/journal_fixture.h"
#include "taxrecords/ui/journal_operations.h"
#include "widgets/dbedit.h"
#include "widgets/dbgrid.h"
#include "widgets/dbnumber_edit.h"
#include "widgets/command_registry.h"
#include "widgets/grid_columns.h"
#include "widgets/window_host.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <memory>

namespace {

// The main window's part that the journal operations ask for: the open book's grid.
class BookHost : public WindowHost {
public:
    QPointer<TfTE> book;
    QObject *find_child_component(const QString &key, const QString &name) const override
    {
        return book && key == QLatin1String("TE") ? book->findChild<QObject *>(name) : nullptr;
    }
};

class TaxRecordsBook : public JournalFixture {
protected:
    void SetUp() override
    {
        JournalFixture::SetUp();
        exec("UPDATE GENER_NO SET GEN_ID=2 WHERE RECID=128");
        m_income_only = add_entry("2026-03-10", "PD1", 1, 1234.5, 0);
        m_both = add_entry("2026-03-12", "PD2", 8, 300, 200);
        m_euro = add_entry("2026-01-05", "2026002", 1, 100, 0, "EUR", 24.5, euro_invoice);
    }

    void TearDown() override
    {
        shell_services().print_voucher = {};
        shell_services().print_document = {};
        JournalFixture::TearDown();
    }

    std::unique_ptr<TfTE> open_book()
    {
        auto book = std::make_unique<TfTE>();
        book->resize(1100, 600);
        book->show();
        book->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(book.get()));
        book->grid()->setFocus();
        return book;
    }

    static QString cell(const TfTE &book, int row, const char *column)
    {
        const int at = find_column(*book.grid(), QLatin1String(column));
        return at < 0 ? QStringLiteral("(hidden)")
                      : book.grid()->model()->index(row, at).data().toString();
    }

    static void go_to(TfTE &book, int recid)
    {
        ASSERT_TRUE(book.record_set()->locate(QStringLiteral("RECID"), recid));
    }

    static QString detail(const TfTE &book, const char *field)
    {
        return book.detail_label(QLatin1String(field))->text();
    }

    int m_income_only = 0;
    int m_both = 0;
    int m_euro = 0;
};

TEST_F(TaxRecordsBook, OpensSortedByDateWithItsColumnsFormatsAndTheFirstRowsDetails)
{
    auto book = open_book();
    EXPECT_EQ(book->windowTitle(), QStringLiteral("Daňová evidence"));
    TMemTable *set = book->record_set();
    ASSERT_EQ(set->record_count(), 3);
    EXPECT_EQ(set->row_number(), 1);
    EXPECT_EQ(set->field_by_name("RECID").as_integer(), m_both);
    EXPECT_EQ(cell(*book, 1, "DOC_NO"), QStringLiteral("PD1"));
    EXPECT_EQ(cell(*book, 1, "CC_INCOME"), QStringLiteral("1 234,50 Kč"));
    EXPECT_EQ(cell(*book, 2, "CC_INCOME"), QStringLiteral("2 450,00 Kč"));
    for (const char *hidden : {"CURR_AMOUNT", "CURR_KURS", "IS_INCOME", "IS_OUTCOME", "IS_BANK",
                               "RECID", "DOC_ID", "GRP_ID", "CASH_ID"})
        EXPECT_EQ(cell(*book, 0, hidden), QStringLiteral("(hidden)")) << hidden;
    EXPECT_EQ(book->grid()->columnWidth(find_column(*book->grid(), "TE_TEXT")), 188);
    EXPECT_EQ(book->grid()->columnWidth(find_column(*book->grid(), "CC_OUTCOME")), 88);
    EXPECT_EQ(book->search_strip()->search_field_name(), QStringLiteral("TE_TEXT"));

    EXPECT_EQ(detail(*book, "DATE_D"), QStringLiteral("12.3.2026"));
    EXPECT_EQ(detail(*book, "CC_OUTCOME"), QStringLiteral("200,00 Kč"));
    EXPECT_EQ(detail(*book, "IS_TAX"), QStringLiteral("ne"));
    EXPECT_FALSE(book->detail_label("INCOME")->isVisibleTo(book.get()));
    EXPECT_EQ(book->document_link()->text(),
              QStringLiteral("k tomuto záznamu se neváže žádná faktura, či dobropis."));
    EXPECT_FALSE(book->voucher_label()->isVisibleTo(book.get()));

    // An entry in EUR shows its own amounts beside the home-currency ones.
    go_to(*book, m_euro);
    EXPECT_EQ(set->row_number(), 3);
    EXPECT_EQ(detail(*book, "CC_INCOME"), QStringLiteral("2 450,00 Kč"));
    EXPECT_TRUE(book->detail_label("INCOME")->isVisibleTo(book.get()));
    EXPECT_EQ(detail(*book, "INCOME"), QStringLiteral("100,00 EUR"));
    EXPECT_EQ(detail(*book, "OUTCOME"), QStringLiteral("0,00 EUR"));
    EXPECT_EQ(book->document_link()->text(), QStringLiteral("faktura vydaná - 2026002"));

    for (TfTE::Command which :
         {TfTE::AddTe, TfTE::EditTe, TfTE::DelTe, TfTE::Print, TfTE::PrintBank, TfTE::PrintGrp,
          TfTE::PrintCash, TfTE::Chart, TfTE::Fetch})
        EXPECT_TRUE(book->command(which)->isEnabled()) << which;
    // No foreign invoicing, and no voucher print installed yet.
    for (TfTE::Command which : {TfTE::PrintCurr, TfTE::PrintIn, TfTE::PrintOut})
        EXPECT_FALSE(book->command(which)->isEnabled()) << which;

    // A letter typed in the grid starts the search in the text column.
    QTest::keyClick(book->grid(), 'z');
    EXPECT_TRUE(book->search_strip()->has_search_focus());
    EXPECT_EQ(book->search_strip()->search_field()->text(), QStringLiteral("z"));
}

TEST_F(TaxRecordsBook, EntriesAreAddedCorrectedAndDeletedFromTheBook)
{
    auto book = open_book();
    TMemTable *set = book->record_set();
    answer_entry_editor([](TfTeEdit &e) {
        EXPECT_EQ(e.number_edit()->text(), QStringLiteral("PD3"));
        type_into(&e, QStringLiteral("edit_te_text"), QStringLiteral("Vklad do pokladny"));
        type_over(&e, e.income_edit(), QStringLiteral("2 000"));
        choose_account(e, 0);
        e.ok_button()->click();
    });
    QTest::keyClick(book->grid(), Qt::Key_Insert);
    ASSERT_EQ(set->record_count(), 4);
    EXPECT_EQ(set->field_by_name("DOC_NO").as_string(), QStringLiteral("PD3"));
    EXPECT_EQ(set->field_by_name("GRP_NAME").as_string(),
              QStringLiteral("Příjmy z prodeje zboží a služeb"));
    EXPECT_EQ(detail(*book, "CC_INCOME"), QStringLiteral("2 000,00 Kč"));
    EXPECT_EQ(m_api->lookup_int(128, "GENER_NO", "GEN_ID"), 3);

    answer_entry_editor([](TfTeEdit &e) {
        type_over(&e, e.income_edit(), QStringLiteral("2 500,5"));
        e.ok_button()->click();
    });
    QTest::keyClick(book->grid(), Qt::Key_Return);
    EXPECT_EQ(detail(*book, "CC_INCOME"), QStringLiteral("2 500,50 Kč"));
    EXPECT_EQ(set->record_count(), 4);

    m_answer = mrYes;
    QTest::keyClick(book->grid(), Qt::Key_Delete);
    EXPECT_EQ(set->record_count(), 3);
    EXPECT_EQ(m_api->count_rows("TE", "DOC_NO='PD3'"), 0);
}

TEST_F(TaxRecordsBook, KeysRunTheirCommandsOnlyPlainAndNeverFromTheSearchField)
{
    auto book = open_book();
    m_answer = mrYes;
    QTest::keyClick(book->grid(), Qt::Key_Delete, Qt::ShiftModifier);
    book->search_strip()->start_search(QStringLiteral("z"));
    QTest::keyClick(book->search_strip()->search_field(), Qt::Key_Delete);
    QTest::keyClick(book->search_strip()->search_field(), Qt::Key_Insert);
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(book->record_set()->record_count(), 3);

    book->grid()->setFocus();
    QTest::keyClick(book->grid(), Qt::Key_Escape);
    EXPECT_FALSE(book->isVisible());
}

TEST_F(TaxRecordsBook, APaymentFromADocumentBookShowsInTheOpenBookAtOnce)
{
    auto book = open_book();
    BookHost host;
    host.book = book.get();
    const ScopedWindowHost installed(host);
    answer_entry_editor([](TfTeEdit &e) {
        type_over(&e, e.income_edit(), QStringLiteral("65,08"));
        e.ok_button()->click();
    });
    const int id = edit_payment(issued_invoice, 0);
    ASSERT_NE(id, 0);
    TMemTable *set = book->record_set();
    EXPECT_EQ(set->record_count(), 4);
    ASSERT_TRUE(set->locate(QStringLiteral("RECID"), id));
    EXPECT_EQ(set->field_by_name("CC_INCOME").as_float(), 65.08);
    EXPECT_EQ(set->field_by_name("BANKCASH_MNAME").as_string(), QStringLiteral("Účet u KB"));
    EXPECT_EQ(book->document_link()->text(), QStringLiteral("faktura vydaná - 2026001"));

    m_answer = mrYes;
    EXPECT_EQ(delete_payment(id), id);
    EXPECT_EQ(set->record_count(), 3);
    EXPECT_FALSE(set->locate(QStringLiteral("RECID"), id));
}

TEST_F(TaxRecordsBook, VouchersAreNumberedPerKindAndKeptOnlyWhenPrinted)
{
    bool goes_to_printer = true;
    std::vector<std::pair<int, bool>> printed;
    shell_services().print_voucher = [&](int entry, bool income) {
        printed.emplace_back(entry, income);
        report_printed = goes_to_printer;
    };
    auto book = open_book();
    ASSERT_EQ(book->record_set()->field_by_name("RECID").as_integer(), m_both);
    EXPECT_TRUE(book->command(TfTE::PrintIn)->isEnabled());
    EXPECT_TRUE(book->command(TfTE::PrintOut)->isEnabled());

    answer_voucher_dialog([](TfPreTeDoc &d) {
        EXPECT_EQ(
            d.windowTitle(),
            QStringLiteral("  Pokladní doklad PŘÍJMOVÝ -  doplňující informace před tiskem."));
        EXPECT_EQ(d.number_spin()->value(), 1);
        EXPECT_EQ(d.heading_label()->text(), QStringLiteral("Přijato OD:"));
        EXPECT_EQ(d.amount_label()->text(), QStringLiteral("300,00 Kč"));
        EXPECT_EQ(d.entry_label()->text(),
                  QStringLiteral("12.3.2026\nDoklad: PD2\nPrůběžné položky (převody mezi účty a "
                                 "pokladnou)"));
        EXPECT_EQ(d.purpose_edit()->text(), QStringLiteral("záznam PD2"));
        d.number_spin()->setValue(0);
        EXPECT_FALSE(d.ok_button()->isEnabled());
        d.number_spin()->setValue(1);
        type_into(&d, QStringLiteral("tedoc_pr"), QStringLiteral("O'Brien"));
        d.ok_button()->click();
    });
    book->command(TfTE::PrintIn)->trigger();
    EXPECT_EQ(book->voucher_label()->text(),
              QStringLiteral("vytisknut PŘÍJMOVÝ pokladní doklad číslo 1"));
    EXPECT_TRUE(book->voucher_label()->isVisibleTo(book.get()));

    answer_voucher_dialog([](TfPreTeDoc &d) {
        EXPECT_EQ(d.heading_label()->text(), QStringLiteral("Vyplaceno komu:"));
        EXPECT_EQ(d.number_spin()->value(), 1);
        EXPECT_EQ(d.amount_label()->text(), QStringLiteral("200,00 Kč"));
        d.ok_button()->click();
    });
    book->command(TfTE::PrintOut)->trigger();
    EXPECT_EQ(stored(QString("SELECT group_concat(IS_INCOME||CASH_NO||PAR_NAME, ',') FROM "
                             "(SELECT * FROM TE_CASH WHERE TE_ID=%1 ORDER BY RECID)")
                         .arg(m_both)),
              QStringLiteral("T1O'Brien,F1"));
    EXPECT_EQ(printed, (std::vector<std::pair<int, bool>>{{m_both, true}, {m_both, false}}));

    // An entry whose category allows expenses but holds none has no expense voucher.
    const int income_of_both = add_entry("2026-02-01", "PD5", 8, 50, 0);
    book->child_command(TfTE::reload_code);
    go_to(*book, income_of_both);
    EXPECT_TRUE(book->command(TfTE::PrintIn)->isEnabled());
    EXPECT_FALSE(book->command(TfTE::PrintOut)->isEnabled());

    // A preview closed without printing keeps nothing; an income-only entry has no expense
    // voucher to offer.
    go_to(*book, m_income_only);
    EXPECT_TRUE(book->command(TfTE::PrintIn)->isEnabled());
    EXPECT_FALSE(book->command(TfTE::PrintOut)->isEnabled());
    goes_to_printer = false;
    answer_voucher_dialog([](TfPreTeDoc &d) {
        EXPECT_EQ(d.number_spin()->value(), 2);
        d.ok_button()->click();
    });
    book->command(TfTE::PrintIn)->trigger();
    EXPECT_EQ(m_api->count_rows("TE_CASH", QString("TE_ID=%1").arg(m_income_only)), 0);
    EXPECT_FALSE(book->voucher_label()->isVisibleTo(book.get()));

    // Deleting the entry takes its vouchers with it.
    go_to(*book, m_both);
    m_answer = mrYes;
    QTest::keyClick(book->grid(), Qt::Key_Delete);
    EXPECT_EQ(m_api->count_rows("TE", QString("RECID=%1").arg(m_both)), 0);
    EXPECT_EQ(m_api->count_rows("TE_CASH"), 0);
}

TEST_F(TaxRecordsBook, EveryPrintOfTheJournalAsksItsConditionsFirst)
{
    m_api->foreign_currency = true;
    auto book = open_book();
    for (TfTE::Command which : {TfTE::Print, TfTE::PrintBank, TfTE::PrintGrp, TfTE::PrintCurr,
                                TfTE::PrintCash, TfTE::Chart}) {
        ASSERT_TRUE(book->command(which)->isEnabled()) << which;
        bool asked = false;
        ModalDriver::on_next_modal([&](QWidget *modal) {
            asked = qobject_cast<TfSetWhere *>(modal) != nullptr;
            modal->close();
        });
        book->command(which)->trigger();
        EXPECT_TRUE(asked) << which;
    }
}

TEST_F(TaxRecordsBook, TheReloadMessageShowsAFreshSetWithTheLayoutOfTheOpening)
{
    auto book = open_book();
    const QPointer<TMemTable> old = book->record_set();
    go_to(*book, m_income_only);
    const int newest = add_entry("2026-03-14", "PD9", 6, 0, 99.9);
    exec(QString("DELETE FROM TE WHERE RECID=%1").arg(m_euro));

    EXPECT_EQ(book->child_command(TfTE::reload_code), 0);
    TMemTable *set = book->record_set();
    EXPECT_TRUE(old.isNull());
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(book->grid()->table(), set);
    ASSERT_EQ(set->record_count(), 3);
    EXPECT_EQ(set->field_by_name("RECID").as_integer(), m_income_only);
    EXPECT_EQ(set->cell_value(0, set->field_by_name("RECID").index()).toInt(), newest);
    EXPECT_EQ(cell(*book, 0, "CC_OUTCOME"), QStringLiteral("99,90 Kč"));
    EXPECT_EQ(cell(*book, 0, "CURR_KURS"), QStringLiteral("(hidden)"));
    EXPECT_EQ(book->grid()->columnWidth(find_column(*book->grid(), "TE_TEXT")), 188);
    EXPECT_EQ(book->search_strip()->search_field_name(), QStringLiteral("TE_TEXT"));
    EXPECT_EQ(detail(*book, "DOC_NO"), QStringLiteral("PD1"));

    go_to(*book, newest);
    EXPECT_EQ(detail(*book, "CC_OUTCOME"), QStringLiteral("99,90 Kč"));
}

} // namespace
