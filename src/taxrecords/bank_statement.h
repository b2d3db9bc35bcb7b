#pragma once
// One bank statement as both statement formats deliver it: the firm's account, the statement
// date and balances, and the movements with their symbols.  Amounts are whole hellers (cents)
// so that matching them against what remains to pay never meets binary noise.

#include <QDate>
#include <QString>
#include <vector>

struct BankMovement {
    int line = 0; // where the movement stands in the file, for messages
    // The bank's own id of the transaction; when the bank gave none, a digest of the record
    // and its place in the file, so that two equal fees of one day stay two movements.
    QString transaction_id;
    // The date of the statement the movement stands in; with the account and the id it tells
    // a movement booked before.
    QDate statement_date;
    QString counter_account;
    QString counter_name;
    long long amount_cents = 0; // above zero; the direction is `credit`
    bool credit = false;
    // A reversal of an earlier movement: never proposed as a payment of a document.
    bool reversal = false;
    QString variable_symbol; // digits without leading zeros, empty when none
    QString constant_symbol;
    QString specific_symbol;
    QDate value_date;
    QString currency; // ISO code, "CZK" for the home currency
    QString message;

    // The journal text of the movement: its message, else the counter-party, else its
    // variable symbol.
    QString text() const;
};

struct BankStatement {
    // As the file writes it: "19-2000145399" in GPC, the IBAN in camt.053.
    QString account;
    QDate date;
    long long old_balance_cents = 0;
    long long new_balance_cents = 0;
    std::vector<BankMovement> movements;
};

// What a statement file could be read as, or the Czech reason why not ("Řádek 3, pole
// „částka“: …"); nothing of a refused file is used.
struct StatementReading {
    BankStatement statement;
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// "0001234" and "1234" are one symbol; a symbol of zeros is none.
QString normalized_symbol(const QString &symbol);
// The ISO code of a currency as the journal names it: "CZK" is "Kč".
QString journal_currency(const QString &iso_code);
