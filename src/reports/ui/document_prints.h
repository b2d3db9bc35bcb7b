#pragma once
// The prints of single records: issued and received invoices and credit notes, the income
// and expense cash vouchers, a product's catalogue sheet and a partner's sheets.  Each runs
// its template in the preview window; a document or product that does not exist is said as
// "Chyba tisku!", and no error leaves the command that started the print.

#include <QString>

// The settings-file section of the printed captions, chosen anew before every issued
// invoice and issued credit note.
QString &invoice_language();

void print_issued_invoice(int document);
void print_received_invoice(int document);
void print_issued_credit_note(int document);
void print_received_credit_note(int document);
// The print of the document's type (ID_DOC_TYPE 1 to 4); other types print nothing.
void print_document(int doc_type, int document);

// The entry's voucher with the details confirmed in the voucher dialog just before.
void print_income_voucher(int entry);
void print_expense_voucher(int entry);

void print_catalogue_item(int product);
// The caption is that of the partners window's command.
void print_partner(const QString &caption, int partner);
void print_partner_contacts(const QString &caption, int partner);
