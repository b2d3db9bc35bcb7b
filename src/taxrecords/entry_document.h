#pragma once
// The document a journal entry pays, and what it asks of the entry: the direction (an
// income for documents that bring money in, an expense for the others), the currency with
// the document's own rate, what remains to be paid and the account of its payment details.

#include <QDate>
#include <QString>
#include <optional>

class TdbAPI;

struct EntryDocument {
    int id = 0;
    int type = 0;
    QString doc_no;
    QDate date;
    QString title;
    double round_sum = 0.0;
    QString curr_name;
    int curr_amount = 1;
    double curr_kurs = 1.0;
    // ID_BANK of the payment details; 0 when they name none.
    int bank_id = 0;

    // Paid by INCOME (issued invoices, received credit notes), else by OUTCOME.
    bool paid_by_income() const;
    // "faktura vydaná, 9.12.2026, 42, 1 000,00 Kč, nájem".
    QString description() const;
};

// Empty when no document has the RECID.
std::optional<EntryDocument> read_entry_document(TdbAPI &api, int document_id);
// What the editor says of a link to a document that is gone.
QString missing_document_text(int document_id);

// ROUND_SUM less what the document's other payments hold, in whole cents, so that an
// invoice paid in parts that add up to it remains 0 and never a trace of binary noise.
// `own_amount` is the entry's own earlier amount in the document's direction (0 for a
// new payment), which a correction may use again.
double remaining_to_pay(TdbAPI &api, const EntryDocument &document, double own_amount);
// Nothing remains: the document needs no further payment.
bool fully_paid(double remaining);
// An amount the payment input accepts: not below zero and not above what remains.
bool amount_within(double amount, double remaining);
