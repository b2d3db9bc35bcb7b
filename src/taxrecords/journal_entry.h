#pragma once
// One entry of the cash journal (TE): an income, an expense or both, in a category, through
// an account, in a currency with its rate.  An entry that carries a document's RECID is a
// payment of that document.  Saving writes the twelve columns and, for an entry without a
// document, the journal series' stamp, in one transaction.

#include "documents/doc_currency.h"

#include <QDate>
#include <QString>

class TdbAPI;
class TMemTable;

// The journal's own number series; its TXT is the prefix of the entries' numbers.
inline constexpr int journal_series = 128;

struct JournalEntry {
    int recid = 0; // 0 for an entry not stored yet
    int doc_id = 0;
    QDate date;
    QString doc_no;
    int grp_id = 0;
    QString text;
    int cash_id = 0;
    QString origin_curr = home_currency;
    int curr_amount = 1;
    double curr_kurs = 1.0;
    double income = 0.0;
    double outcome = 0.0;

    // The current row of a VIEW_TE set (or of TE itself).
    static JournalEntry from_row(const TMemTable &set);

    // A date, a category, an account and a text, no amount below zero and together more
    // than a cent: an entry without a date would count in the sums of no year.
    bool complete() const;

    // Writes the entry and, without a document, raises the series to the number's digits.
    // The stored RECID, or 0 when nothing was stored: the user has been told
    // "Záznam se nepodařilo uložit!" and every write is rolled back.
    int save(TdbAPI &api) const;
};

// Deletes the entry (and, through the database, its cash vouchers); false when the
// database refused, which has been reported.
bool delete_journal_entry(TdbAPI &api, int recid);

// The journal series' prefix followed by its next number ("PD" and GEN_ID 9 give "PD10");
// empty when the series cannot be read.
QString proposed_journal_number(TdbAPI &api);
