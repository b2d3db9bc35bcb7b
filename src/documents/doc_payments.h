#pragma once
// What the cash journal says of a document: the amount paid, the number of payments, and
// the payment state shown in the books.

#include <QColor>
#include <QString>

class TdbAPI;
class TMemTable;

// The sum of the journal entries that carry the document's RECID, counted in INCOME for
// documents that bring money in and in OUTCOME for the others; 0 when there is none.
double document_paid(TdbAPI &api, int document_id, int doc_type);
int payment_count(TdbAPI &api, int document_id);

enum PaymentState : int { psUnknown = -1, psUnpaid = 0, psPartlyPaid = 1, psPaid = 2 };

// From ROUND_SUM and the paid amount, compared to the cent.
PaymentState payment_state(double round_sum, double paid);
// From the current row's ROUND_SUM and ID_DOCSTATE; unknown when ID_DOCSTATE is null.
PaymentState payment_state(const TMemTable &set);
QString payment_state_text(PaymentState state); // "?" when unknown
QColor payment_state_color(PaymentState state);

// The paid amount from a set of the document's own payments already read (all its journal
// entries, with the column of its direction), without asking the database again.
double paid_in_set(const TMemTable &payments, int doc_type);

// ROUND_SUM less the paid amount; negative for an overpaid document.
double amount_to_pay(double round_sum, double paid);
