#pragma once
// The ISO 20022 bank-to-customer statement (camt.053) as Czech banks issue it: one Stmt with
// the account's IBAN, its balances and one Ntry per movement; the variable symbol travels in
// the structured creditor reference or in the end-to-end id ("VS123", "/VS123/SS/KS").

#include "taxrecords/bank_statement.h"

#include <QByteArray>

// Several statements of one account read as one, each movement dated by its own statement.
// XML that is not well formed, a document that is not a camt.053 statement, an amount that
// is not a number or an entry without its direction refuses the whole file, naming the line.
StatementReading read_camt_statement(const QByteArray &bytes);
