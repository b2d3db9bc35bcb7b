#pragma once
// The Czech banks' fixed-width statement export (GPC, "ABO"): a 074 record opens each
// statement with the account, the balances and the date, one 075 record follows per
// movement.  Lines are Windows-1250, 128 characters, amounts in hellers.

#include "taxrecords/bank_statement.h"

#include <QByteArray>

// A file of several statements of one account reads as one statement dated by its last
// header.  A truncated line, an unknown record type, a field that is not a number or a date,
// or text that is not Windows-1250 refuses the whole file.
StatementReading read_gpc_statement(const QByteArray &bytes);
