#pragma once
// The four document types: issued and received invoices, issued and received credit
// notes.  The number also names the type's series, payment-details table and book view.

#include <QColor>
#include <QString>

enum DocType : int { dtIssuedInvoice = 1, dtReceivedInvoice = 2, dtIssuedCredit = 3, dtReceivedCredit = 4 };

bool is_doc_type(int type);
// Issued invoices and received credit notes bring money in (paid by INCOME); the other
// two send money out (paid by OUTCOME).
bool brings_money_in(int type);

QString doc_type_name(int type);
QString doc_window_caption(int type, bool list, bool is_new);
QColor doc_type_color(int type);
int default_rounding_mode(int type);
