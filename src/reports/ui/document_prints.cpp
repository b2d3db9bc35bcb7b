#include "reports/ui/document_prints.h"

#include "data/db_api.h"
#include "data/memtable.h"
#include "data/messages.h"
#include "data/scoped_hook.h"
#include "data/settings.h"
#include "documents/doc_types.h"
#include "engine/report.h"
#include "reports/document_captions.h"
#include "reports/product_prices.h"
#include "reports/qr_payment.h"
#include "reports/report_pictures.h"
#include "reports/report_state.h"
#include "reports/voucher_texts.h"
#include "reports/ui/report_runner.h"
#include "taxrecords/cash_voucher.h"
#include "widgets/command_registry.h"

#include <QScopeGuard>

namespace {

const QString home_language = QStringLiteral("CZECH");

QString number(int id)
{
    return QString::number(id);
}

bool record_exists(const ScopedSet &set)
{
    if (set && !set->is_empty())
        return true;
    show_message(QStringLiteral("Chyba tisku!"), QStringLiteral("Záznam neexistuje!"),
                 mbIconError);
    return false;
}

// The language the user picks for the issued document; false when cancelled.
bool ask_invoice_language()
{
    QString language = home_language;
    if (const auto &choose = shell_services().choose_invoice_language; choose && !choose(language))
        return false;
    invoice_language() = language.isEmpty() ? home_language : language;
    return true;
}

// The document's stored formatted text into the working file; true when it has one.
bool write_document_text(int document)
{
    return dbAPI->read_rtf(document, nullptr) > 0;
}

void write_captions(Report &report, TMemTable *header, bool with_delivery)
{
    if (!header)
        return;
    IniFile settings = settings_file();
    write_document_captions(report, *header, with_delivery, settings, invoice_language());
}

TReportPrepare invoice_preparation(bool with_delivery)
{
    return [with_delivery](Report &report, TMemTable *header, QString &condition) {
        condition.clear();
        load_firm_logo(*dbAPI, report);
        load_firm_stamp(*dbAPI, report);
        write_captions(report, header, with_delivery);
        if (header)
            write_qr_payment(report, *header);
    };
}

// A credit note's ID_LINK is the invoice it corrects, never a delivery address.
void prepare_credit_note(Report &report, TMemTable *header, QString &condition)
{
    condition.clear();
    load_firm_stamp(*dbAPI, report);
    write_captions(report, header, false);
}

// An issued document: the language, the header, the stored text, then the report.
// `send_on_open` ends cleared on every road, so a failed print never mails a later one.
// The preview runs within the print, so its sending knows which document it mails and can
// offer its ISDOC file, whichever window asked for the print.
void print_issued(const QString &view, int document,
                  const std::function<void(const ScopedSet &header, bool has_text)> &run)
{
    const auto cleared = qScopeGuard([] { send_on_open = false; });
    const ScopedValue<int> shown(document_in_preview, document);
    if (!dbAPI || !ask_invoice_language())
        return;
    guarded_print([&] {
        const ScopedSet header = dbAPI->select_scoped(
            QStringLiteral("repo_HEADER"),
            QStringLiteral("SELECT * FROM %1 WHERE RECID=%2").arg(view, number(document)));
        if (!record_exists(header))
            return;
        run(header, write_document_text(document));
    });
}

void print_received(int doc_type, const QString &view, const QString &template_name, int document)
{
    const auto cleared = qScopeGuard([] { send_on_open = false; });
    if (!dbAPI)
        return;
    guarded_print([&] {
        const ScopedSet header = dbAPI->select_scoped(
            QStringLiteral("repo_HEADER"),
            QStringLiteral("SELECT * FROM %1 WHERE RECID=%2").arg(view, number(document)));
        if (record_exists(header))
            run_report(doc_type_name(doc_type), template_name, {header.get()});
    });
}

void print_voucher(int entry, bool income)
{
    if (!dbAPI)
        return;
    guarded_print([&] {
        const ScopedSet te = dbAPI->select_scoped(
            QStringLiteral("repo_TE"), QStringLiteral("SELECT * FROM VIEW_TE WHERE RECID=") + number(entry));
        run_report(income ? QStringLiteral("Pokladní doklad příjmový")
                          : QStringLiteral("Pokladní doklad výdajový"),
                   QStringLiteral("te_cash"), {te.get()},
                   [income](Report &report, TMemTable *set, QString &condition) {
                       condition.clear();
                       if (set)
                           write_voucher_texts(report, *set, voucher_details(), income);
                   });
    });
}

ScopedSet partner_set(const char *name, const QString &select, int partner)
{
    return dbAPI->select_scoped(QLatin1String(name), select + number(partner));
}

} // namespace

QString &invoice_language()
{
    static QString language;
    return language;
}

void print_issued_invoice(int document)
{
    print_issued(QStringLiteral("PRINT_DOC1"), document,
                 [](const ScopedSet &header, bool has_text) {
                     // A NULL link (no payment-details row) reads as 0: no delivery address,
                     // and the select stays valid.
                     const TField *link = header->find_field(QStringLiteral("ID_LINK"));
                     const int address = link ? link->as_integer() : 0;
                     const ScopedSet items = dbAPI->select_scoped(
                         QStringLiteral("repo_ITEMS"),
                         QStringLiteral("SELECT * FROM VIEW_ITEMS WHERE HEADER_ID=") +
                             number(dbAPI->current_recid(header.get())));
                     const ScopedSet delivery = dbAPI->select_scoped(
                         QStringLiteral("repo_ADDR"),
                         QStringLiteral("SELECT * FROM PAR_ADDR WHERE RECID=") + number(address));
                     const bool no_items = !items || items->is_empty();
                     const QString template_name = no_items ? QStringLiteral("doc_1")
                                                   : has_text ? QStringLiteral("doc_1pd")
                                                              : QStringLiteral("doc_1p");
                     const std::vector<TMemTable *> sets =
                         no_items ? std::vector<TMemTable *>{header.get(), delivery.get()}
                                  : std::vector<TMemTable *>{header.get(), items.get(),
                                                             delivery.get()};
                     const bool with_delivery = delivery && !delivery->is_empty();
                     run_report(doc_type_name(1), template_name, sets,
                                invoice_preparation(with_delivery), true);
                 });
}

void print_received_invoice(int document)
{
    print_received(2, QStringLiteral("PRINT_DOC2"), QStringLiteral("doc_2"), document);
}

void print_issued_credit_note(int document)
{
    print_issued(QStringLiteral("PRINT_DOC3"), document,
                 [](const ScopedSet &header, bool) {
                     run_report(doc_type_name(3), QStringLiteral("doc_3"), {header.get()},
                                prepare_credit_note, true);
                 });
}

void print_received_credit_note(int document)
{
    print_received(4, QStringLiteral("PRINT_DOC4"), QStringLiteral("doc_4"), document);
}

void print_document(int doc_type, int document)
{
    switch (doc_type) {
    case 1:
        print_issued_invoice(document);
        break;
    case 2:
        print_received_invoice(document);
        break;
    case 3:
        print_issued_credit_note(document);
        break;
    case 4:
        print_received_credit_note(document);
        break;
    default:
        break;
    }
}

void print_income_voucher(int entry)
{
    print_voucher(entry, true);
}

void print_expense_voucher(int entry)
{
    print_voucher(entry, false);
}

void print_catalogue_item(int product)
{
    if (!dbAPI)
        return;
    guarded_print([&] {
        const ScopedSet item = dbAPI->select_scoped(
            QStringLiteral("repo_PRO"), QStringLiteral("SELECT * FROM VIEW_PRO WHERE RECID=") + number(product));
        if (!record_exists(item))
            return;
        run_report(QStringLiteral("Položka katalogu"), QStringLiteral("cat_item"), {item.get()},
                   [product](Report &report, TMemTable *set, QString &condition) {
                       condition.clear();
                       // Formatted once the preview is open, with the decimal point of the
                       // rest of the sheet.
                       set_report_text(report, QStringLiteral("currs"),
                                       product_price_list(*dbAPI, product));
                       if (set && !set->is_empty())
                           load_report_picture(*dbAPI, report, dbAPI->current_recid(set),
                                               QStringLiteral("picture"));
                   });
    });
}

void print_partner(const QString &caption, int partner)
{
    if (!dbAPI)
        return;
    guarded_print([&] {
        const ScopedSet par = partner_set("repo_PAR", QStringLiteral("SELECT * FROM VIEW_PAR WHERE RECID="), partner);
        const ScopedSet addresses = partner_set("repo_ADDR", QStringLiteral("SELECT * FROM PAR_ADDR WHERE ID_PARTNER="), partner);
        const ScopedSet contacts = partner_set("repo_CONT", QStringLiteral("SELECT * FROM VIEW_PAR_CONTACTS WHERE ID_PARTNER="), partner);
        const ScopedSet banks = partner_set("repo_BANK", QStringLiteral("SELECT * FROM PAR_BANK WHERE ID_PARTNER="), partner);
        run_report(caption, QStringLiteral("part_detail"),
                   {par.get(), addresses.get(), contacts.get(), banks.get()},
                   [](Report &report, TMemTable *set, QString &condition) {
                       condition.clear();
                       if (!set || set->is_empty())
                           return;
                       // The stored flag "T"/"F" means nothing to the reader of the sheet:
                       // it prints as the grids show it.
                       if (const TField *vat = set->find_field(QStringLiteral("IS_VAT")))
                           set_report_text(report, QStringLiteral("is_vat"), vat->display_text());
                       load_report_picture(*dbAPI, report, dbAPI->current_recid(set),
                                           QStringLiteral("picture"));
                   });
    });
}

void print_partner_contacts(const QString &caption, int partner)
{
    if (!dbAPI)
        return;
    guarded_print([&] {
        const ScopedSet par = partner_set("repo_PAR", QStringLiteral("SELECT * FROM VIEW_PAR WHERE RECID="), partner);
        const ScopedSet contacts = partner_set("repo_CONT", QStringLiteral("SELECT * FROM VIEW_PAR_CONTACTS WHERE ID_PARTNER="), partner);
        run_report(caption, QStringLiteral("part_cont"), {par.get(), contacts.get()});
    });
}
