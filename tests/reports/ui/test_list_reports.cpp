#include "data/app_paths.h"
#include "data/db_api.h"
#include "engine/golden.h"
#include "masterdata/ui/code_list_fixture.h"
#include "masterdata/ui/flist.h"
#include "masterdata/ui/fpar.h"
#include "masterdata/ui/frpro.h"
#include "reports/page_texts.h"
#include "reports/ui/fpreview.h"
#include "reports/ui/fsetwhere.h"
#include "reports/ui/list_reports.h"
#include "reports/ui/report_runner.h"
#include "reports/ui/reports_windows.h"
#include "reports/ui/shown_preview.h"
#include "support/modal_driver.h"
#include "text/format_settings.h"
#include "widgets/command_registry.h"
#include "widgets/date_edit.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QRadioButton>

namespace {

class ListReports : public CodeListFixture {
protected:
    void SetUp() override
    {
        CodeListFixture::SetUp();
        const QDir source(QStringLiteral(TALLYRA_REPORT_TEMPLATES));
        QDir(path(QStringLiteral("app"))).mkpath(QStringLiteral("Lib"));
        for (const QString &name : source.entryList({QStringLiteral("*.frf")}))
            QFile::copy(source.filePath(name), path(QStringLiteral("app/Lib/")) + name);
        register_reports_windows();
    }
    void TearDown() override
    {
        clear_report_parameters();
        CodeListFixture::TearDown();
    }

    // Runs the command; the parameter dialog, when one comes, is confirmed after `choose`,
    // and the preview that follows is read and closed.
    ShownPreview run(const std::function<void()> &command,
                     const std::function<void(TfSetWhere &)> &choose = {}, bool asks = true)
    {
        ShownPreview shown;
        const ModalDriver::Action read_preview = preview_reader(shown);
        if (asks) {
            ModalDriver::on_next_modal([&](QWidget *modal) {
                auto *dialog = qobject_cast<TfSetWhere *>(modal);
                ASSERT_NE(dialog, nullptr);
                if (choose)
                    choose(*dialog);
                ModalDriver::on_next_modal(read_preview, 1500);
                ModalDriver::click(modal, "BitBtnOK");
            });
        } else {
            ModalDriver::on_next_modal(read_preview, 1500);
        }
        command();
        QApplication::processEvents();
        return shown;
    }

    static void period(TfSetWhere &dialog, const QDate &from, const QDate &to)
    {
        dialog.dt_from_date->set_date(from);
        dialog.dt_to_date->set_date(to);
    }

    void journal_of_two_years()
    {
        exec(QStringLiteral(
            "INSERT INTO TE_GRP (RECID, GRP_NAME, IS_INCOME) VALUES (9801, 'Tržby', 'T');"
            "INSERT INTO TE (RECID, DATE_D, DOC_NO, GRP_ID, TE_TEXT, INCOME, OUTCOME) VALUES "
            "(9101, '2026-02-10', 'P2', 9801, 'Únorová tržba', 1200.5, 0), "
            "(9102, '2026-01-05', 'P1', 9801, 'Lednová tržba', 300, 0), "
            "(9103, '2025-12-31', 'P9', 9801, 'Loňská tržba', 777, 0)"));
    }

    static bool has_line(const ShownPreview &shown, const QString &text)
    {
        return shown.lines.contains(text);
    }
};

} // namespace

TEST_F(ListReports, JournalOfTheChosenYearInDateOrderWithItsTotal)
{
    journal_of_two_years();
    const ShownPreview shown = run(print_tax_records);
    ASSERT_TRUE(shown.opened);
    EXPECT_EQ(shown.caption, QStringLiteral("   Daňová evidence za rok 2026"));
    EXPECT_TRUE(has_line(shown, QStringLiteral("   Daňová evidence za rok 2026")));
    EXPECT_FALSE(has_line(shown, QStringLiteral("Loňská tržba")));
    const int january = int(shown.lines.indexOf(QStringLiteral("Lednová tržba")));
    const int february = int(shown.lines.indexOf(QStringLiteral("Únorová tržba")));
    EXPECT_GE(january, 0);
    EXPECT_LT(january, february);
    EXPECT_TRUE(has_line(shown, QStringLiteral("1 500.50"))) << qPrintable(shown.lines.join(u'|'));
    EXPECT_TRUE(has_line(shown, QStringLiteral("strana 1 z 1")));
    EXPECT_TRUE(has_line(shown, QStringLiteral("10.2.2026")));
    EXPECT_EQ(shown.separator, QLatin1Char('.'));
    EXPECT_EQ(decimal_separator(), QLatin1Char(','));
}

TEST_F(ListReports, JournalWithoutYearsOpensNoPreview)
{
    const ShownPreview shown = run(print_tax_records_by_category);
    EXPECT_FALSE(shown.opened);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(ListReports, JournalByCategoryAccountAndCurrencyGiveSubtotals)
{
    journal_of_two_years();
    for (const auto &print : {print_tax_records_by_category, print_tax_records_by_account,
                              print_tax_records_by_currency}) {
        const ShownPreview shown = run(print);
        ASSERT_TRUE(shown.opened);
        EXPECT_TRUE(has_line(shown, QStringLiteral("1 500.50")))
            << qPrintable(shown.lines.join(u'|'));
    }
    const ShownPreview by_category = run(print_tax_records_by_category);
    EXPECT_TRUE(has_line(by_category, QStringLiteral("Členění: Tržby")));
    EXPECT_TRUE(has_line(by_category, QStringLiteral("Celkem za Tržby:")));
}

TEST_F(ListReports, UnknownDocumentTypeSaysSoAndLeavesNoWindow)
{
    const ShownPreview shown = run([] { run_document_list(5, prepare_document_list); }, {}, false);
    EXPECT_FALSE(shown.opened);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].title, QStringLiteral("Chyba tisku!"));
    EXPECT_EQ(m_messages[0].text, QStringLiteral("Neznámý typ dokladu!"));
    for (QWidget *window : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<Tfpreview *>(window), nullptr);
    EXPECT_EQ(decimal_separator(), QLatin1Char(','));
}

TEST_F(ListReports, DocumentListKeepsTheChosenStatesAndRecapsAllOfTheType)
{
    const int partner = insert_partner(17, QStringLiteral("Dvořák a syn"));
    exec(QStringLiteral(
        "INSERT INTO PAR_ADDR (RECID, ID_PARTNER, ADDRESS_TITLE) VALUES (9701, %1, 'Sídlo');"
        "INSERT INTO DOC_HEAD (RECID, ID_DOC_TYPE, DOC_NO, DATE_D, ID_ADDRESS, ROUND_SUM, "
        "DOC_TITLE) VALUES "
        "(9001, 1, 2026001, '2026-01-05', 9701, 0.3, 'Zaplacená'), "
        "(9002, 1, 2026002, '2026-01-06', 9701, 500, 'Nezaplacená'), "
        "(9003, 1, 2026003, '2026-04-06', 9701, 800, 'Pozdější');"
        "INSERT INTO TE (RECID, DOC_ID, DATE_D, INCOME) VALUES "
        "(9101, 9001, '2026-01-07', 0.1), (9102, 9001, '2026-01-08', 0.2)")
             .arg(partner));
    const ShownPreview shown = run([] { print_document_list(1); },
                                   [](TfSetWhere &dialog) {
                                       dialog.CheckNoPay->setChecked(false);
                                       dialog.CheckDocsPartialPay->setChecked(false);
                                       period(dialog, QDate(2026, 1, 1), QDate(2026, 3, 31));
                                   });
    ASSERT_TRUE(shown.opened);
    EXPECT_EQ(shown.caption, QStringLiteral("    Soupis vydaných faktur."));
    EXPECT_TRUE(has_line(shown, QStringLiteral("Zaplacená")));
    EXPECT_FALSE(has_line(shown, QStringLiteral("Nezaplacená")));
    EXPECT_FALSE(has_line(shown, QStringLiteral("Pozdější")));
    // The recap covers every issued invoice, whatever the list shows.
    const QString recap = QStringLiteral("1 300.30 Kč     ").rightJustified(28) +
                          QStringLiteral("0.30 Kč     ").rightJustified(28) +
                          QStringLiteral("1 300.00 Kč     ").rightJustified(28);
    EXPECT_TRUE(has_line(shown, recap)) << qPrintable(shown.lines.join(u'|'));
}

TEST_F(ListReports, PartnerDocumentsFilterStatesInTheSelectAndThePeriodOnTheSet)
{
    const int partner = insert_partner(17, QStringLiteral("Dvořák a syn"));
    const int other = insert_partner(18, QStringLiteral("Jiný"));
    exec(QStringLiteral(
        "INSERT INTO PAR_ADDR (RECID, ID_PARTNER, ADDRESS_TITLE) VALUES (9701, %1, 'Sídlo'), "
        "(9702, %2, 'Jinde');"
        "INSERT INTO DOC_HEAD (RECID, ID_DOC_TYPE, DOC_NO, DATE_D, ID_ADDRESS, ROUND_SUM, "
        "DOC_TITLE) VALUES "
        "(9001, 1, 1, '2026-01-05', 9701, 100, 'Částečně placená'), "
        "(9002, 2, 2, '2026-01-06', 9701, 0, 'Nulová'), "
        "(9003, 1, 3, '2026-01-06', 9702, 100, 'Cizí'), "
        "(9004, 1, 4, '2025-06-06', 9701, 100, 'Loňská');"
        "INSERT INTO TE (RECID, DOC_ID, DATE_D, INCOME) VALUES (9101, 9001, '2026-01-07', 40)")
             .arg(partner)
             .arg(other));
    const ShownPreview shown = run([partner] { print_partner_documents(partner); },
                                   [](TfSetWhere &dialog) {
                                       dialog.CheckDocsPay->setChecked(false);
                                       dialog.CheckNoPay->setChecked(false);
                                       period(dialog, QDate(2026, 1, 1), QDate(2026, 3, 15));
                                   });
    ASSERT_TRUE(shown.opened);
    EXPECT_EQ(shown.caption, QStringLiteral("   Soupis dokladů za Dvořák a syn"));
    EXPECT_TRUE(has_line(shown, QStringLiteral("Částečně placená")));
    EXPECT_FALSE(has_line(shown, QStringLiteral("Nulová")));
    EXPECT_FALSE(has_line(shown, QStringLiteral("Cizí")));
    EXPECT_FALSE(has_line(shown, QStringLiteral("Loňská")));
}

TEST_F(ListReports, SummaryFromTheMainWindowCommand)
{
    exec(QStringLiteral("INSERT INTO TE (RECID, DATE_D, ORIGIN_CURR, INCOME, OUTCOME) VALUES "
                        "(9101, '2026-01-07', 'Kč', 1500.25, 0), (9102, '2026-01-08', 'Kč', 0, "
                        "1750.5)"));
    ASSERT_TRUE(shell_services().run_summary);
    const ShownPreview shown = run(shell_services().run_summary, {}, false);
    ASSERT_TRUE(shown.opened);
    EXPECT_EQ(shown.caption, QStringLiteral("   Součty, mezisoučty, celkové stavy."));
    EXPECT_TRUE(has_line(shown, QStringLiteral("-250.25"))) << qPrintable(shown.lines.join(u'|'));
    EXPECT_TRUE(has_line(shown, QStringLiteral("1 500.25")));
    EXPECT_EQ(decimal_separator(), QLatin1Char(','));
}

TEST_F(ListReports, CodeListPrintsItsTableWithTheLabelsAsHeadings)
{
    exec(QStringLiteral("INSERT INTO PRO_GRP (RECID, GRP_NAME) VALUES (9601, 'Nářadí')"));
    Tfm_list list(QStringLiteral("PRO_GRP"), QStringLiteral("SELECT * FROM PRO_GRP"),
                  QStringLiteral("Skupiny produktů"), 0);
    ASSERT_TRUE(list.print_command()->isEnabled());
    const ShownPreview shown = run([&list] { list.print_command()->trigger(); }, {}, false);
    ASSERT_TRUE(shown.opened);
    EXPECT_EQ(shown.caption, QStringLiteral("   Skupiny produktů"));
    EXPECT_TRUE(has_line(shown, QStringLiteral("   Skupiny produktů")));
    EXPECT_TRUE(has_line(shown, QStringLiteral("Nářadí")));
    // The heading is the label file's caption of the column, not its name.
    EXPECT_FALSE(has_line(shown, QStringLiteral("GRP_NAME"))) << qPrintable(shown.lines.join(u'|'));
}

TEST_F(ListReports, ProductsPartnersAndVouchers)
{
    exec(QStringLiteral(
        "INSERT INTO PRO_GRP (RECID, GRP_NAME) VALUES (9601, 'Nářadí');"
        "INSERT INTO PRO (RECID, PRO_NO, PRO_NAME, ID_PRO_GRP, UNITV, COST) VALUES "
        "(9611, 1, 'Kladivo', 9601, 'ks', 250), (9612, 2, 'Pila', 9601, 'ks', 480);"
        "INSERT INTO DOC_HEAD (RECID, ID_DOC_TYPE, DOC_NO, DATE_D) VALUES (9001, 1, 1, "
        "'2026-02-01');"
        "INSERT INTO DOC_ITEMS (RECID, HEADER_ID, PRO_ID, AMOUNT, UNITV, COST) VALUES "
        "(9621, 9001, 9611, 2, 'ks', 500), (9622, 9001, 9611, 1, 'ks', 250);"
        "INSERT INTO TE (RECID, DATE_D, DOC_NO, INCOME, OUTCOME) VALUES "
        "(9101, '2026-02-02', 'V1', 100, 0), (9102, '2026-02-03', 'V2', 0, 0);"
        "INSERT INTO TE_CASH VALUES (null, 9101, 'T', 1, '2026-02-02', 'Nájem', 'Novák', 'Brno'),"
        "(null, 9102, 'T', 2, '2026-02-03', 'Vratka zálohy', 'Dvořák', 'Praha')"));
    const int partner = insert_partner(17, QStringLiteral("Dvořák a syn"));
    exec(QStringLiteral("INSERT INTO PAR_ADDR (RECID, ID_PARTNER, ADDRESS_TITLE, ADDRESS, CITY) "
                        "VALUES (9701, %1, 'Sídlo', 'Hlavní 1', 'Brno')")
             .arg(partner));

    const ShownPreview catalogue =
        run(print_catalogue, [](TfSetWhere &dialog) { dialog.catsortname->setChecked(true); });
    ASSERT_TRUE(catalogue.opened);
    EXPECT_EQ(catalogue.caption, QStringLiteral("   Katalog produktů"));
    EXPECT_TRUE(has_line(catalogue, QStringLiteral("Skupina: Nářadí")));
    EXPECT_LT(catalogue.lines.indexOf(QStringLiteral("Kladivo")),
              catalogue.lines.indexOf(QStringLiteral("Pila")));

    const ShownPreview sales = run(print_sales, [](TfSetWhere &dialog) {
        period(dialog, QDate(2026, 1, 1), QDate(2026, 3, 15));
    });
    ASSERT_TRUE(sales.opened);
    EXPECT_TRUE(has_line(sales, QStringLiteral("750.00"))) << qPrintable(sales.lines.join(u'|'));
    EXPECT_FALSE(has_line(sales, QStringLiteral("Pila")));

    const ShownPreview partners =
        run([] { print_partner_list(QStringLiteral("Tisk soupisu partnerů")); });
    ASSERT_TRUE(partners.opened);
    EXPECT_EQ(partners.caption, QStringLiteral("   Tisk soupisu partnerů"));
    EXPECT_TRUE(has_line(partners, QStringLiteral("Dvořák a syn")));
    EXPECT_TRUE(partners.lines.filter(QStringLiteral("Hlavní 1")).size() == 1)
        << qPrintable(partners.lines.join(u'|'));

    // An income voucher whose entry carries no amount is still an income voucher.
    const ShownPreview vouchers = run(print_cash_voucher_list, [](TfSetWhere &dialog) {
        period(dialog, QDate(2026, 2, 1), QDate(2026, 2, 28));
    });
    ASSERT_TRUE(vouchers.opened);
    EXPECT_EQ(vouchers.caption,
              QStringLiteral("   Soupis pokladních dokladů PŘÍJMOVÝCH:   1.2.2026 - 28.2.2026"));
    EXPECT_TRUE(has_line(vouchers, QStringLiteral("Nájem")));
    EXPECT_TRUE(has_line(vouchers, QStringLiteral("Vratka zálohy")));
    const ShownPreview expenses = run(print_cash_voucher_list, [](TfSetWhere &dialog) {
        dialog.RadioButtonOut->setChecked(true);
    });
    ASSERT_TRUE(expenses.opened);
    EXPECT_FALSE(has_line(expenses, QStringLiteral("Nájem")));
}

TEST_F(ListReports, TemplateThatDoesNotLoadIsSaidAsAPrintError)
{
    QFile broken(path(QStringLiteral("app/Lib/view.frf")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write("{\"version\": 1, \"pages\": [");
    broken.close();
    const ShownPreview shown = run(
        [] {
            print_table(QStringLiteral("X"), QStringLiteral("PRO_UNITS"),
                        QStringLiteral("SELECT * FROM PRO_UNITS"));
        },
        {}, false);
    EXPECT_FALSE(shown.opened);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].title, QStringLiteral("Chyba tisku!"));
    EXPECT_EQ(decimal_separator(), QLatin1Char(','));
}

TEST_F(ListReports, CancelledDialogPrintsNothing)
{
    ModalDriver::on_next_modal([](QWidget *modal) { ModalDriver::click(modal, "BitBtnCancel"); });
    print_catalogue();
    QApplication::processEvents();
    for (QWidget *window : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<Tfpreview *>(window) && window->isVisible());
}

// The pages of every list report on one small database, as the windows' commands print them;
// TALLYRA_UPDATE_GOLDEN=1 rewrites the files after a deliberate change of a template.
TEST_F(ListReports, EveryCatalogueEntryPreparesItsGoldenPages)
{
    const int partner = insert_partner(17, QStringLiteral("Dvořák a syn"));
    exec(QStringLiteral(
        "UPDATE CONF_ADDRESS SET MYNAME='Účetní Nováková', MYID='12345678', MYVAT='CZ12345678', "
        "MYADDRESS='Husova 5' || char(13, 10) || '602 00 Brno', INVOICE_TEXT='Zapsána v "
        "živnostenském rejstříku.' WHERE RECID=1;"
        "INSERT INTO TE_GRP (RECID, GRP_NAME, IS_INCOME) VALUES (9801, 'Tržby', 'T'), "
        "(9802, 'Nájem', 'F');"
        "INSERT INTO PAR_ADDR (RECID, ID_PARTNER, ADDRESS_TITLE, ADDRESS, CITY, POSTAL_CODE) "
        "VALUES (9701, %1, 'Sídlo', 'Hlavní 1', 'Brno', '602 00');"
        "INSERT INTO PRO_GRP (RECID, GRP_NAME) VALUES (9601, 'Nářadí');"
        "INSERT INTO PRO (RECID, PRO_NO, PRO_NAME, ID_PRO_GRP, UNITV, COST) VALUES "
        "(9611, 1, 'Kladivo', 9601, 'ks', 250);"
        "INSERT INTO DOC_HEAD (RECID, ID_DOC_TYPE, DOC_NO, DATE_D, MATURITY_D, ID_ADDRESS, "
        "ROUND_SUM, ALL_SUM, DOC_TITLE) VALUES "
        "(9001, 1, 2026001, '2026-01-05', '2026-01-19', 9701, 500, 500, 'Kladiva'), "
        "(9002, 2, 2026001, '2026-02-06', '2026-02-20', 9701, 1210.5, 1210.5, 'Nájem za únor');"
        "INSERT INTO DOC_ITEMS (RECID, HEADER_ID, PRO_ID, AMOUNT, UNITV, COST) VALUES "
        "(9621, 9001, 9611, 2, 'ks', 500);"
        "INSERT INTO TE (RECID, DOC_ID, DATE_D, DOC_NO, GRP_ID, TE_TEXT, INCOME, OUTCOME) VALUES "
        "(9101, 9001, '2026-01-10', 'P1', 9801, 'Úhrada faktury 2026001', 500, 0), "
        "(9102, 9002, '2026-02-10', 'V1', 9802, 'Nájem za únor', 0, 1210.5);"
        "INSERT INTO TE_CASH VALUES (null, 9101, 'T', 1, '2026-01-10', 'Úhrada faktury', "
        "'Dvořák a syn', 'Brno')")
             .arg(partner));
    const auto first_quarter = [](TfSetWhere &dialog) {
        period(dialog, QDate(2026, 1, 1), QDate(2026, 3, 15));
    };
    const struct {
        const char *name;
        std::function<void()> print;
        std::function<void(TfSetWhere &)> choose;
        bool asks;
    } entries[] = {
        {"summary", shell_services().run_summary, {}, false},
        {"doc_list", [] { print_document_list(1); }, first_quarter, true},
        {"doc_list_par", [partner] { print_partner_documents(partner); }, first_quarter, true},
        {"te", print_tax_records, {}, true},
        {"te_bank", print_tax_records_by_account, {}, true},
        {"te_grp", print_tax_records_by_category, {}, true},
        {"te_curr", print_tax_records_by_currency, {}, true},
        {"cash", print_cash_voucher_list, first_quarter, true},
        {"cat", print_catalogue, {}, true},
        {"cat_sales", print_sales, first_quarter, true},
        {"part_list", [] { print_partner_list(QStringLiteral("Soupis partnerů")); }, {}, true},
        {"view",
         [] {
             print_table_hook()(QStringLiteral("Skupiny produktů"), QStringLiteral("PRO_GRP"),
                                QStringLiteral("SELECT * FROM PRO_GRP"));
         },
         {}, false},
    };
    for (const auto &entry : entries) {
        SCOPED_TRACE(entry.name);
        const ShownPreview shown = run(entry.print, entry.choose, entry.asks);
        ASSERT_TRUE(shown.opened);
        EXPECT_EQ(compare_with_golden(QLatin1String(entry.name), shown.prepared), QString());
    }
    EXPECT_TRUE(m_messages.empty());
}

// The print menus of the partners and products windows run their list reports.
TEST_F(ListReports, PartnersAndProductsWindowsPrintTheirLists)
{
    const int partner = insert_partner(17, QStringLiteral("Dvořák a syn"));
    exec(QStringLiteral(
        "INSERT INTO PAR_ADDR (RECID, ID_PARTNER, ADDRESS_TITLE, ADDRESS, CITY) VALUES "
        "(9701, %1, 'Sídlo', 'Hlavní 1', 'Brno');"
        "INSERT INTO DOC_HEAD (RECID, ID_DOC_TYPE, DOC_NO, DATE_D, ID_ADDRESS, ROUND_SUM, "
        "DOC_TITLE) VALUES (9001, 1, 2026001, '2026-01-05', 9701, 100, 'Kladiva');"
        "INSERT INTO PRO_GRP (RECID, GRP_NAME) VALUES (9601, 'Nářadí');"
        "INSERT INTO PRO (RECID, PRO_NO, PRO_NAME, ID_PRO_GRP, UNITV, COST) VALUES "
        "(9611, 1, 'Kladivo', 9601, 'ks', 250);"
        "INSERT INTO DOC_ITEMS (RECID, HEADER_ID, PRO_ID, AMOUNT, UNITV, COST) VALUES "
        "(9621, 9001, 9611, 2, 'ks', 500)")
             .arg(partner));

    TfPar partners;
    const ShownPreview list = run([&] { partners.command(TfPar::PrintPartnerList)->trigger(); });
    ASSERT_TRUE(list.opened);
    EXPECT_EQ(list.caption, QStringLiteral("   Tisk soupisu partnerů"));
    EXPECT_TRUE(has_line(list, QStringLiteral("Dvořák a syn")));
    const ShownPreview documents =
        run([&] { partners.command(TfPar::PrintDocumentList)->trigger(); },
            [](TfSetWhere &dialog) { period(dialog, QDate(2026, 1, 1), QDate(2026, 3, 31)); });
    ASSERT_TRUE(documents.opened);
    EXPECT_EQ(documents.caption, QStringLiteral("   Soupis dokladů za Dvořák a syn"));
    EXPECT_TRUE(has_line(documents, QStringLiteral("Kladiva")));

    TfPro products;
    const ShownPreview catalogue = run([&] { products.command("actPrintCatalogue")->trigger(); });
    ASSERT_TRUE(catalogue.opened);
    EXPECT_EQ(catalogue.caption, QStringLiteral("   Katalog produktů"));
    EXPECT_TRUE(has_line(catalogue, QStringLiteral("Kladivo")));
    const ShownPreview sales =
        run([&] { products.command("actPrintSales")->trigger(); },
            [](TfSetWhere &dialog) { period(dialog, QDate(2026, 1, 1), QDate(2026, 3, 31)); });
    ASSERT_TRUE(sales.opened);
    EXPECT_TRUE(has_line(sales, QStringLiteral("Kladivo")));
    EXPECT_TRUE(m_messages.empty());
}
