#include "data/app_paths.h"
#include "data/settings.h"
#include "documents/ui/fdoc.h"
#include "documents/ui/fdoc_head.h"
#include "engine/export_filter.h"
#include "engine/external_tools.h"
#include "engine/pdf_export_filter.h"
#include "masterdata/ui/fpar.h"
#include "reports/page_texts.h"
#include "reports/report_state.h"
#include "reports/ui/document_prints.h"
#include "reports/ui/fmail.h"
#include "reports/ui/fpreview.h"
#include "reports/ui/reports_windows.h"
#include "reports/ui/shown_preview.h"
#include "support/db_fixture.h"
#include "support/modal_driver.h"
#include "taxrecords/cash_voucher.h"
#include "taxrecords/ui/fpretedoc.h"
#include "taxrecords/ui/fte.h"
#include "taxrecords/ui/journal_fixture.h"
#include "widgets/command_registry.h"
#include "widgets/system_dialogs.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QScopeGuard>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QTextDocument>

namespace {

const char *const expected_payment =
    "SPD*1.0*ACC:CZ6508000000192000145399*AM:12650.00*CC:CZK*DT:20260331*X-VS:2026001"
    "*MSG:Faktura 2026001";

class DocumentPrints : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        const QDir source(QStringLiteral(TALLYRA_REPORT_TEMPLATES));
        QDir(path(QStringLiteral("app"))).mkpath(QStringLiteral("Lib"));
        for (const QString &name : source.entryList({QStringLiteral("*.frf")}))
            QFile::copy(source.filePath(name), path(QStringLiteral("app/Lib/")) + name);
        QFile::copy(QStringLiteral(TALLYRA_SETTINGS_FILE), app_file_path(QStringLiteral(".ini")));
        exec(QStringLiteral(
            "UPDATE CONF_ADDRESS SET MYNAME='Truhlářství Dub s.r.o.', MYID='27074358', "
            "MYADDRESS='Lesní 12, 602 00 Brno', INVOICE_TEXT='Zapsáno v obchodním rejstříku' "
            "WHERE RECID=1;"
            "INSERT INTO CONF_BANKCASH (RECID, IS_BANK, MNAME, MNO, SWIFT, IBAN) VALUES "
            "(7001, 'T', 'Česká spořitelna', '19-2000145399/0800', 'GIBACZPX', '');"
            "INSERT INTO PAR (RECID, PARTNER_NO, PARTNER_NAME, ICO, DIC) VALUES "
            "(7101, 1, 'Stavby Novák a syn', '25596641', 'CZ25596641');"
            "INSERT INTO PAR_ADDR (RECID, ID_PARTNER, IS_INVOICE, ADDRESS_TITLE, ADDRESS, CITY, "
            "POSTAL_CODE, COUNTRY) VALUES "
            "(7201, 7101, 'T', 'Sídlo', 'Dlouhá 5', 'Olomouc', '77900', 'Česká republika'),"
            "(7202, 7101, 'F', 'Stavba', 'Polní 1', 'Přerov', '75002', 'Česká republika');"
            "INSERT INTO DOC_HEAD (RECID, ID_DOC_TYPE, DOC_NO, ID_ADDRESS, DATE_D, MATURITY_D, "
            "DOC_TITLE, ALL_SUM, ROUND_SUM, CURR_NAME, CURR_AMOUNT, CURR_KURS) VALUES "
            "(7301, 1, '2026001', 7201, '2026-03-17', '2026-03-31', 'Dveře do kanceláří', "
            "12650, 12650, 'Kč', 1, 1.0),"
            "(7302, 1, '2026002', 7201, '2026-03-18', '2026-04-01', 'Záloha', 500, 500, "
            "'Kč', 1, 1.0);"
            "INSERT INTO DOC_DRS1 (RECID, VAR_S, CONST_S, ID_LINK, ID_BANK) VALUES "
            "(7301, '2026001', '0308', 7202, 7001);"
            "INSERT INTO DOC_ITEMS (RECID, HEADER_ID, AMOUNT, UNITV, COST_PER_UNIT, COST, "
            "CURR_NAME, DISCOUNT, ITEM_TEXT) VALUES "
            "(7401, 7301, 3, 'ks', 3800, 11400, 'Kč', 0, 'Dveře dubové'),"
            "(7402, 7301, 5, 'h', 250, 1250, 'Kč', 0, 'Montáž')"));
    }
    void TearDown() override
    {
        send_on_open = false;
        DbFixture::TearDown();
    }

    // Without `expect_preview` no preview is awaited: one that opens anyway keeps the test
    // from ending, which fails it.
    static ShownPreview run(const std::function<void()> &print, bool expect_preview = true)
    {
        ShownPreview shown;
        if (!expect_preview) {
            print();
            return shown;
        }
        ModalDriver::on_next_modal(preview_reader(shown), 1500);
        print();
        QApplication::processEvents();
        return shown;
    }

    QString pdf_of(const ShownPreview &shown, const QString &name)
    {
        const QString pdf = path(name + QStringLiteral(".pdf"));
        TfrTNPDFExportFilter filter(pdf_options_provider());
        export_to_file(shown.prepared, filter, pdf);
        return pdf;
    }
};

// The prints the program installs at start-up, for the test's windows; the services before
// come back afterwards.
class InstalledPrints {
public:
    InstalledPrints() { register_reports_windows(); }
    ~InstalledPrints() { shell_services() = m_saved; }

private:
    ShellServices m_saved = shell_services();
};

} // namespace

TEST_F(DocumentPrints, IssuedInvoiceShowsItsPartnerItemsTotalAndTheQrPaymentThatReadsBack)
{
    const ShownPreview shown = run([] { print_issued_invoice(7301); });
    ASSERT_TRUE(shown.opened);
    EXPECT_TRUE(m_messages.empty()) << qPrintable(m_messages.front().text);
    EXPECT_EQ(shown.caption, QStringLiteral("   faktura vydaná"));
    const QString all = shown.lines.join(u'\n');
    for (const char *text : {"Faktura: 2026001", "Stavby Novák a syn", "Dveře dubové", "Montáž",
                             "12 650.00 Kč", "QR Platba", "Neplátce DPH", "strana 1 z 1",
                             "Číslo účtu: 19-2000145399/0800", "Konstantní symbol: 0308",
                             "Adresa dodání:", "Polní 1 "})
        EXPECT_TRUE(all.contains(QString::fromUtf8(text))) << text << "\n" << qPrintable(all);

    const QString pdf = pdf_of(shown, QStringLiteral("invoice"));
    REQUIRE_TOOL(qpdf_program(), "qpdf");
    EXPECT_EQ(run_tool(qpdf_program(), {QStringLiteral("--check"), pdf}).exit_code, 0);
    REQUIRE_TOOL(pdftotext_program(), "pdftotext");
    const QString text = QString::fromUtf8(
        run_tool(pdftotext_program(), {QStringLiteral("-layout"), pdf, QStringLiteral("-")}).out);
    for (const char *part : {"2026001", "Stavby Novák a syn", "Dveře dubové", "Montáž",
                             "12 650.00 Kč", "QR Platba"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part;
    REQUIRE_TOOL(pdftoppm_program(), "pdftoppm");
    REQUIRE_TOOL(zbarimg_program(), "zbarimg");
    const QString png = path(QStringLiteral("invoice"));
    ASSERT_EQ(run_tool(pdftoppm_program(), {QStringLiteral("-png"), QStringLiteral("-r"),
                                            QStringLiteral("150"), QStringLiteral("-singlefile"),
                                            pdf, png})
                  .exit_code,
              0);
    const ToolRun read = run_tool(zbarimg_program(), {QStringLiteral("--quiet"), QStringLiteral("--raw"),
                                                      png + QStringLiteral(".png")});
    EXPECT_EQ(QString::fromUtf8(read.out).trimmed(), QString::fromLatin1(expected_payment));
}

// What the customer reads in the PDF of every other print: the record's number, the partner
// and the amount in Czech format, in a file a PDF checker accepts.
TEST_F(DocumentPrints, EveryOtherPrintMakesASoundPdfWithWhatItsReaderLooksFor)
{
    exec(QStringLiteral(
        "INSERT INTO DOC_HEAD (RECID, ID_DOC_TYPE, DOC_NO, ID_ADDRESS, DATE_D, MATURITY_D, "
        "DOC_TITLE, ALL_SUM, ROUND_SUM, CURR_NAME, CURR_AMOUNT, CURR_KURS) VALUES "
        "(7304, 2, '17', 7201, '2026-03-02', '2026-03-16', 'Řezivo', 800, 800, 'Kč', 1, 1.0),"
        "(7305, 3, '2026901', 7201, '2026-03-25', '2026-04-08', 'Vrácené dveře', 3800, 3800, 'Kč', "
        "1, 1.0),"
        "(7306, 4, '44', 7201, '2026-03-26', '2026-04-09', 'Sleva na řezivo', 250, 250, 'Kč', "
        "1, 1.0);"
        "INSERT INTO DOC_DRS3 (RECID, VAR_S, ID_LINK, ID_BANK) VALUES (7305, '2026001', 7301, "
        "7001);"
        "INSERT INTO TE (RECID, DATE_D, DOC_NO, TE_TEXT, ORIGIN_CURR, INCOME, OUTCOME) VALUES "
        "(7521, '2026-03-19', 'P1', 'Tržba', 'Kč', 1500.5, 0),"
        "(7522, '2026-03-19', 'V1', 'Nákup', 'Kč', 0, 230);"
        "INSERT INTO PRO (RECID, PRO_NO, PRO_NAME, UNITV, COST) VALUES "
        "(7601, '101', 'Dveře dubové', 'ks', 3800);"
        "INSERT INTO PAR_CONTACT (RECID, ID_PARTNER, CONTACT_TYPE, CONTACT_NAME, CONTACT) "
        "VALUES (7701, 7101, 'telefon', 'Jan Novák', '+420 603 123 456')"));
    voucher_details() = {};
    voucher_details().number = QStringLiteral("P0042");
    voucher_details().name = QStringLiteral("Stavby Novák a syn");
    const struct {
        const char *what;
        std::function<void()> print;
        QStringList texts;
    } cases[] = {
        {"received invoice", [] { print_received_invoice(7304); },
         {QStringLiteral("Faktura došlá č. 17"), QStringLiteral("Stavby Novák a syn"), QStringLiteral("800.00 Kč")}},
        {"issued credit note", [] { print_issued_credit_note(7305); },
         {QStringLiteral("Dobropis: 2026901"), QStringLiteral("Stavby Novák a syn"),
          QStringLiteral("3 800.00 Kč"), QStringLiteral("2026001")}},
        {"received credit note", [] { print_received_credit_note(7306); },
         {QStringLiteral("Dobropis došlý č. 44"), QStringLiteral("Stavby Novák a syn"), QStringLiteral("250.00 Kč")}},
        {"income voucher", [] { print_income_voucher(7521); },
         {QStringLiteral("P0042"), QStringLiteral("Stavby Novák a syn"),
          QStringLiteral("1 500.50 Kč")}},
        {"expense voucher", [] { print_expense_voucher(7522); },
         {QStringLiteral("P0042"), QStringLiteral("Stavby Novák a syn"), QStringLiteral("230.00 Kč")}},
        {"catalogue item", [] { print_catalogue_item(7601); },
         {QStringLiteral("101"), QStringLiteral("Dveře dubové"), QStringLiteral("3 800.00 Kč")}},
        {"partner", [] { print_partner(QStringLiteral("Tisk vybraného partnera"), 7101); },
         {QStringLiteral("Stavby Novák a syn"), QStringLiteral("25596641"), QStringLiteral("Polní 1")}},
        {"partner contacts",
         [] { print_partner_contacts(QStringLiteral("Tisk kontaktů vybraného partnera"), 7101); },
         {QStringLiteral("Stavby Novák a syn"), QStringLiteral("+420 603 123 456")}},
    };
    REQUIRE_TOOL(qpdf_program(), "qpdf");
    REQUIRE_TOOL(pdftotext_program(), "pdftotext");
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const ShownPreview shown = run(c.print);
        ASSERT_TRUE(shown.opened);
        EXPECT_TRUE(m_messages.empty()) << qPrintable(m_messages.front().text);
        const QString pdf = pdf_of(shown, QStringLiteral("print"));
        EXPECT_EQ(run_tool(qpdf_program(), {QStringLiteral("--check"), pdf}).exit_code, 0);
        const QString text = QString::fromUtf8(
            run_tool(pdftotext_program(), {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
                .out);
        for (const QString &part : c.texts)
            EXPECT_TRUE(text.contains(part)) << qPrintable(part) << " in\n" << qPrintable(text);
    }
}

TEST_F(DocumentPrints, InvoiceWithoutPaymentDetailsPrintsWithoutDeliveryAddressAndCode)
{
    // 7302 has no DOC_DRS1 row: its ID_LINK is NULL and it has no account.
    const ShownPreview shown = run([] { print_issued_invoice(7302); });
    ASSERT_TRUE(shown.opened);
    EXPECT_TRUE(m_messages.empty()) << qPrintable(m_messages.front().text);
    EXPECT_TRUE(shown.lines.contains(QStringLiteral("Faktura: 2026002")));
    EXPECT_FALSE(shown.lines.contains(QStringLiteral("QR Platba")));
    const QString all = shown.lines.join(u'\n');
    EXPECT_FALSE(all.contains(QStringLiteral("Polní 1")));
    EXPECT_FALSE(all.contains(QStringLiteral("Adresa dodání"))) << qPrintable(all);
}

TEST_F(DocumentPrints, MissingRecordIsSaidAndClearsSending)
{
    const std::pair<const char *, std::function<void()>> prints[] = {
        {"issued invoice", [] { print_issued_invoice(999); }},
        {"received invoice", [] { print_received_invoice(999); }},
        {"issued credit note", [] { print_issued_credit_note(999); }},
        {"received credit note", [] { print_received_credit_note(999); }},
        {"received invoice as issued one", [] { print_received_invoice(7301); }},
        {"catalogue item", [] { print_catalogue_item(999); }},
    };
    for (const auto &[what, print] : prints) {
        SCOPED_TRACE(what);
        m_messages.clear();
        send_on_open = true;
        run(print, false);
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_EQ(m_messages[0].title, QStringLiteral("Chyba tisku!"));
        EXPECT_EQ(m_messages[0].text, QStringLiteral("Záznam neexistuje!"));
        EXPECT_EQ(m_messages[0].style, mbIconError);
        if (QString::fromLatin1(what) != QLatin1String("catalogue item")) {
            EXPECT_FALSE(send_on_open);
        }
    }
}

TEST_F(DocumentPrints, TemplateFollowsTheItemsAndTheStoredText)
{
    // Each template says its name and prints the rows of the sets it was given.
    for (const char *name : {"doc_1", "doc_1p", "doc_1pd"}) {
        QFile file(path(QStringLiteral("app/Lib/%1.frf").arg(QLatin1String(name))));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QStringLiteral(
                       R"({"version": 1, "pages": [{"bands": [
 {"kind": "report_title", "height": 20, "objects": [
  {"type": "text", "width": 300, "height": 16, "text": ["template %1"]}]},
 {"kind": "master_data", "source": "frrepo_ITEMS", "height": 20, "objects": [
  {"type": "text", "width": 300, "height": 16, "text": ["item [dbAPI.repo_ITEMS.\"ITEM_TEXT\"]"]}]}]}]})")
                       .arg(QLatin1String(name))
                       .toUtf8());
    }
    QTextDocument text;
    text.setPlainText(QStringLiteral("Děkujeme za objednávku."));
    const struct {
        const char *what;
        int document;
        bool stored_text;
        const char *template_line;
        bool items;
    } cases[] = {
        {"no items", 7302, false, "template doc_1", false},
        {"no items, with a text", 7302, true, "template doc_1", false},
        {"items", 7301, false, "template doc_1p", true},
        {"items and a text", 7301, true, "template doc_1pd", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        exec(QStringLiteral("DELETE FROM BLOBDATA"));
        if (c.stored_text) {
            ASSERT_TRUE(m_api->write_rtf(c.document, &text));
        }
        const int document = c.document;
        const ShownPreview shown = run([document] { print_issued_invoice(document); });
        ASSERT_TRUE(shown.opened);
        EXPECT_TRUE(shown.lines.contains(QLatin1String(c.template_line)))
            << qPrintable(shown.lines.join(u'|'));
        EXPECT_EQ(shown.lines.contains(QStringLiteral("item Dveře dubové")), c.items);
    }
}

TEST_F(DocumentPrints, VoucherSaysItsKindAmountInWordsAndConfirmedDetails)
{
    exec(QStringLiteral("INSERT INTO TE (RECID, DATE_D, DOC_NO, TE_TEXT, ORIGIN_CURR, INCOME, "
                        "OUTCOME) VALUES (7501, '2026-03-19', 'P1', 'Tržba', 'Kč', 1500.5, 0),"
                        "(7502, '2026-03-19', 'V1', 'Nákup', 'Kč', 0, 230)"));
    const struct {
        bool income;
        int entry;
        const char *caption;
        QStringList lines;
    } cases[] = {
        {true, 7501, "   Pokladní doklad příjmový",
         {QStringLiteral("PŘÍJMOVÝ POKLADNÍ DOKLAD"), QStringLiteral("Přijato od:"),
          QStringLiteral("1 500.50 Kč"), QStringLiteral("/JedenTisícPětSet/ Kč")}},
        {false, 7502, "   Pokladní doklad výdajový",
         {QStringLiteral("VÝDAJOVÝ POKLADNÍ DOKLAD"), QStringLiteral("Vyplaceno komu:"),
          QStringLiteral("230.00 Kč"), QStringLiteral("/DvěStěTřicet/ Kč")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.caption);
        voucher_details() = {};
        voucher_details().number = QStringLiteral("P0042");
        voucher_details().purpose = QStringLiteral("Úhrada");
        voucher_details().name = QStringLiteral("Stavby Novák a syn");
        const ShownPreview shown = run([&c] {
            if (c.income)
                print_income_voucher(c.entry);
            else
                print_expense_voucher(c.entry);
        });
        ASSERT_TRUE(shown.opened);
        EXPECT_EQ(shown.caption, QString::fromUtf8(c.caption));
        for (const QString &line : c.lines + QStringList{QStringLiteral("P0042"),
                                                         QStringLiteral("Stavby Novák a syn")})
            EXPECT_TRUE(shown.lines.contains(line)) << qPrintable(line) << " in "
                                                    << qPrintable(shown.lines.join(u'|'));
    }
}

TEST_F(DocumentPrints, ProductSheetListsItsForeignPricesOrAHyphen)
{
    exec(QStringLiteral("INSERT INTO PRO (RECID, PRO_NO, PRO_NAME, UNITV, COST) VALUES "
                        "(7601, 'D-01', 'Dveře dubové', 'ks', 3800), (7602, 'M-01', 'Montáž', 'h', 250);"
                        "INSERT INTO PRO_CURR (RECID, PRO_ID, COST, CURR_NAME) VALUES "
                        "(7611, 7601, 155.5, 'EUR'), (7612, 7601, 1234.5, 'USD')"));
    const ShownPreview priced = run([] { print_catalogue_item(7601); });
    ASSERT_TRUE(priced.opened);
    EXPECT_EQ(priced.caption, QStringLiteral("   Položka katalogu"));
    EXPECT_TRUE(priced.lines.contains(QStringLiteral("155.50 EUR")));
    EXPECT_TRUE(priced.lines.contains(QStringLiteral("1 234.50 USD")));
    const ShownPreview plain = run([] { print_catalogue_item(7602); });
    ASSERT_TRUE(plain.opened);
    EXPECT_TRUE(plain.lines.contains(QStringLiteral("Montáž")));
    EXPECT_TRUE(plain.lines.contains(QStringLiteral("-")) || plain.lines.contains(QStringLiteral("-  ")))
        << qPrintable(plain.lines.join(u'|'));
}

TEST_F(DocumentPrints, PartnersWindowPrintsThePartnerSheetAndItsContacts)
{
    exec(QStringLiteral("INSERT INTO PAR_CONTACT (RECID, ID_PARTNER, CONTACT_TYPE, CONTACT_NAME, "
                        "CONTACT) VALUES (7701, 7101, 'telefon', 'Jan Novák', '+420 603 123 456');"
                        "UPDATE PAR SET IS_VAT='T' WHERE RECID=7101"));
    TfPar window;
    window.show();
    const struct {
        const char *action;
        const char *caption;
        QStringList lines;
    } cases[] = {
        {"actPrintPartner", "   Tisk vybraného partnera",
         {QStringLiteral("Polní 1 "), QStringLiteral("Plátce DPH:"), QStringLiteral("ano")}},
        {"actPrintContacts", "   Tisk kontaktů vybraného partnera",
         {QStringLiteral("+420 603 123 456")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.action);
        auto *action = window.findChild<QAction *>(QLatin1String(c.action));
        ASSERT_NE(action, nullptr);
        ASSERT_TRUE(action->isEnabled());
        const ShownPreview shown = run([action] { action->trigger(); });
        ASSERT_TRUE(shown.opened);
        EXPECT_EQ(shown.caption, QString::fromUtf8(c.caption));
        EXPECT_TRUE(shown.lines.contains(QStringLiteral("Stavby Novák a syn")));
        for (const QString &line : c.lines)
            EXPECT_TRUE(shown.lines.contains(line))
                << qPrintable(line) << " in " << qPrintable(shown.lines.join(u'|'));
        EXPECT_FALSE(shown.lines.contains(QStringLiteral("T")));
    }
}

// "Odeslat doklad e-mailem" in a book prints the current document and its preview, once shown,
// opens the mail dialog with it, which offers the invoice's ISDOC file.
TEST_F(DocumentPrints, SendingFromTheBookOpensTheMailDialogOverTheInvoicesPreview)
{
    const ShellServices saved = shell_services();
    shell_services().print_document = print_document;
    TfDoc book(1, 7301);
    book.show();
    bool previewed = false;
    bool mail_asked = false;
    bool isdoc_offered = false;
    // The mail dialog opens over the preview once the preview is shown; which of the two the
    // driver meets first depends on how soon the preview is active.
    const auto preview_of_invoice = [&previewed] {
        for (QWidget *top : QApplication::topLevelWidgets())
            if (auto *preview = qobject_cast<Tfpreview *>(top); preview && preview->isVisible())
                previewed = page_texts(preview->prepared()).join(u'\n').contains(
                    QStringLiteral("2026001"));
    };
    const auto answer_mail = [&](QWidget *mail) {
        mail_asked = qobject_cast<TfmMail *>(mail) != nullptr;
        isdoc_offered = mail_asked && qobject_cast<TfmMail *>(mail)->attach_isdoc != nullptr;
        preview_of_invoice();
        ModalDriver::click(mail, "btnCancel");
        for (QWidget *top : QApplication::topLevelWidgets())
            if (auto *preview = qobject_cast<Tfpreview *>(top))
                QTimer::singleShot(0, preview, &QWidget::close);
    };
    ModalDriver::on_next_modal([&](QWidget *modal) {
        auto *preview = qobject_cast<Tfpreview *>(modal);
        if (!preview) {
            answer_mail(modal);
            return;
        }
        ModalDriver::on_next_modal(answer_mail);
        preview->activateWindow();
        for (int waited = 0; !mail_asked && waited < 5000; waited += 20)
            QTest::qWait(20);
        preview->close();
    });
    book.command("actSendDoc")->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(previewed);
    EXPECT_TRUE(mail_asked);
    EXPECT_TRUE(isdoc_offered);
    EXPECT_FALSE(send_on_open);
    EXPECT_EQ(document_in_preview, 0);
    shell_services() = saved;
}

TEST_F(DocumentPrints, TaxRecordsBookPrintsTheEntrysDocumentByItsTypeFromTheLink)
{
    exec(QStringLiteral(
        "INSERT INTO DOC_HEAD (RECID, ID_DOC_TYPE, DOC_NO, ID_ADDRESS, DATE_D, MATURITY_D, "
        "DOC_TITLE, ALL_SUM, ROUND_SUM, CURR_NAME, CURR_AMOUNT, CURR_KURS) VALUES "
        "(7303, 2, '17', 7201, '2026-03-02', '2026-03-16', 'Řezivo', 800, 800, 'Kč', 1, 1.0);"
        "INSERT INTO CONF_BANKCASH (RECID, IS_BANK, MNAME) VALUES (7002, 'F', 'Pokladna');"
        "INSERT INTO TE (RECID, DOC_ID, DATE_D, DOC_NO, GRP_ID, TE_TEXT, CASH_ID, ORIGIN_CURR, "
        "CURR_AMOUNT, CURR_KURS, INCOME, OUTCOME) VALUES "
        "(7511, 7301, '2026-03-20', '2026001', 1, 'Úhrada 2026001', 7002, 'Kč', 1, 1.0, 12650, 0),"
        "(7512, 7303, '2026-03-21', '17', 3, 'Úhrada 17', 7002, 'Kč', 1, 1.0, 0, 800)"));
    const InstalledPrints prints;
    const struct {
        int entry;
        const char *link;
        const char *caption;
        const char *line;
        int isdoc_document;
    } cases[] = {
        {7511, "faktura vydaná - 2026001", "   faktura vydaná", "Faktura: 2026001", 7301},
        {7512, "faktura došlá - 17", "   faktura došlá", "Faktura došlá č. 17", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.link);
        TfTE book(c.entry);
        book.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&book));
        EXPECT_EQ(book.document_link()->text(), QString::fromUtf8(c.link));
        QLabel *link = book.document_link();
        const ShownPreview shown = run([link] { QTest::mouseClick(link, Qt::LeftButton); });
        ASSERT_TRUE(shown.opened);
        EXPECT_TRUE(m_messages.empty()) << qPrintable(m_messages.front().text);
        EXPECT_EQ(shown.caption, QString::fromUtf8(c.caption));
        EXPECT_TRUE(shown.lines.contains(QString::fromUtf8(c.line)))
            << qPrintable(shown.lines.join(u'|'));
        EXPECT_EQ(shown.isdoc_document, c.isdoc_document);
    }
}

// The voucher's number is taken only by a voucher that reached the printer: one the printer
// refused may be printed again under the same number.
TEST_F(DocumentPrints, TaxRecordsBookKeepsAVoucherOnlyWhenThePrinterTookIt)
{
    exec(QStringLiteral(
        "INSERT INTO CONF_BANKCASH (RECID, IS_BANK, MNAME) VALUES (7002, 'F', 'Pokladna');"
        "INSERT INTO TE (RECID, DOC_ID, DATE_D, DOC_NO, GRP_ID, TE_TEXT, CASH_ID, ORIGIN_CURR, "
        "CURR_AMOUNT, CURR_KURS, INCOME, OUTCOME) VALUES "
        "(7513, 0, '2026-03-22', 'PP1', 8, 'Převod do pokladny', 7002, 'Kč', 1, 1.0, 300, 200)"));
    const InstalledPrints prints;
    QString output;
    const PrintDialogHook saved_hook = set_print_dialog_hook([&output](QPrinter &printer, QWidget *) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(output);
        return true;
    });
    const auto restore_hook = qScopeGuard([&saved_hook] { set_print_dialog_hook(saved_hook); });
    TfTE book(7513);
    book.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&book));
    const struct {
        const char *what;
        TfTE::Command command;
        const char *output;
        const char *heading;
        const char *stored;
        const char *label;
    } cases[] = {
        {"refused income voucher", TfTE::PrintIn, "missing/folder/income.pdf",
         "PŘÍJMOVÝ POKLADNÍ DOKLAD", "", ""},
        {"printed income voucher", TfTE::PrintIn, "income.pdf", "PŘÍJMOVÝ POKLADNÍ DOKLAD", "T1",
         "vytisknut PŘÍJMOVÝ pokladní doklad číslo 1"},
        {"printed expense voucher", TfTE::PrintOut, "expense.pdf", "VÝDAJOVÝ POKLADNÍ DOKLAD",
         "T1,F1",
         "vytisknut PŘÍJMOVÝ pokladní doklad číslo 1, vytisknut VÝDAJOVÝ pokladní doklad číslo 1"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        m_messages.clear();
        output = path(QString::fromUtf8(c.output));
        ShownPreview shown;
        answer_voucher_dialog([&shown](TfPreTeDoc &dialog) {
            EXPECT_EQ(dialog.number_spin()->value(), 1);
            ModalDriver::on_next_modal(preview_reader(shown, [](Tfpreview &preview) {
                preview.findChild<QAction *>(QStringLiteral("actPrint"))->trigger();
            }));
            dialog.ok_button()->click();
        });
        book.command(c.command)->trigger();
        QApplication::processEvents();
        ASSERT_TRUE(shown.opened);
        EXPECT_TRUE(shown.lines.contains(QString::fromUtf8(c.heading)))
            << qPrintable(shown.lines.join(u'|'));
        EXPECT_EQ(sqlite_shell(QStringLiteral("SELECT group_concat(IS_INCOME||CASH_NO, ',') FROM "
                                              "(SELECT * FROM TE_CASH WHERE TE_ID=7513 "
                                              "ORDER BY RECID)"))
                      .trimmed(),
                  QString::fromUtf8(c.stored));
        const bool printed = *c.stored != '\0';
        EXPECT_EQ(QFile::exists(output), printed);
        EXPECT_EQ(m_messages.size(), printed ? 0u : 1u);
        EXPECT_EQ(book.voucher_label()->isVisibleTo(&book), printed);
        if (printed) {
            EXPECT_EQ(book.voucher_label()->text(), QString::fromUtf8(c.label));
        }
    }
}

TEST_F(DocumentPrints, SavedInvoiceOpensItsPreviewWhenTheEditorsQuestionIsAnsweredYes)
{
    // The editor offers the addresses of customers only.
    exec(QStringLiteral("UPDATE PAR SET ID_PARTNER_TYPE=1 WHERE RECID=7101"));
    const InstalledPrints prints;
    std::vector<int> printed;
    // A print answered "No" must not come: it would open a preview nobody closes.
    shell_services().print_document = [this, &printed](int type, int document) {
        printed.push_back(document);
        if (m_answer == mrYes)
            print_document(type, document);
    };
    TfDoc book(1, 7301);
    book.show();
    for (const int answer : {mrNo, mrYes}) {
        SCOPED_TRACE(answer == mrYes ? "yes" : "no");
        m_messages.clear();
        printed.clear();
        m_answer = answer;
        ShownPreview shown;
        ModalDriver::on_next_modal([&shown, answer](QWidget *modal) {
            auto *editor = qobject_cast<Tfm_docheader *>(modal);
            if (!editor || !editor->ok_button()->isEnabled()) {
                ADD_FAILURE() << "no editor that can save the invoice";
                modal->close();
                return;
            }
            if (answer == mrYes)
                ModalDriver::on_next_modal(preview_reader(shown));
            editor->ok_button()->click();
        });
        book.command("actDocEdit")->trigger();
        QApplication::processEvents();
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_EQ(m_messages[0].title, QStringLiteral("Doklad"));
        EXPECT_EQ(m_messages[0].text,
                  QStringLiteral("Doklad byl uložen v pořádku, mám jej vytisknout?"));
        EXPECT_EQ(m_messages[0].style, mbYesNo | mbIconQuestion);
        EXPECT_EQ(printed, answer == mrYes ? std::vector<int>{7301} : std::vector<int>{});
        EXPECT_EQ(shown.opened, answer == mrYes);
        if (shown.opened) {
            EXPECT_EQ(shown.caption, QStringLiteral("   faktura vydaná"));
            EXPECT_TRUE(shown.lines.contains(QStringLiteral("Faktura: 2026001")));
            EXPECT_EQ(shown.isdoc_document, 7301);
        }
    }
}
