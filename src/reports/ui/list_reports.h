#pragma once
// The list reports the windows' commands print: each asks its conditions in the parameter
// dialog first (nothing happens when the user cancels), fills its record sets, runs the
// report and frees the sets.  None lets an error out: it is said as "Chyba tisku!".

#include <QString>

class Report;
class TMemTable;

// Book of documents of the type, "Tisk soupisu dokladů".
void print_document_list(int doc_type);
// Partners window, the documents of the partner with that RECID.
void print_partner_documents(int partner);
// Tax-records book: the journal of a year, by account, by tax category, by currency.
void print_tax_records();
void print_tax_records_by_account();
void print_tax_records_by_category();
void print_tax_records_by_currency();
// Tax-records book, "Soupis pokladních dokladů".
void print_cash_voucher_list();
// Products window: the catalogue and the sales.
void print_catalogue();
void print_sales();
// Partners window, "Tisk soupisu partnerů"; the caption is the command's.
void print_partner_list(const QString &caption);
// A code list's "Tisk této tabulky": its caption, its record-set name and its select.
void print_table(const QString &caption, const QString &set_name, const QString &select);

// The preparation steps of the two document lists.
void prepare_document_list(Report &report, TMemTable *set, QString &condition);
void prepare_partner_documents(Report &report, TMemTable *set, QString &condition);
