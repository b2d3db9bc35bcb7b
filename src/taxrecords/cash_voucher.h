#pragma once
// Cash vouchers ("pokladní doklady") of journal entries: income vouchers ("T") and expense
// vouchers ("F"), numbered in a sequence of their own kind.  A voucher once printed is kept
// in TE_CASH, so that the book shows it and a reprint keeps its number; an entry with both
// an income and an expense may have one voucher of each kind.

#include <QDate>
#include <QString>
#include <optional>

class TdbAPI;

// What one print of a voucher places into its template, from the dialog to the store.
struct VoucherDetails {
    int entry = 0;
    QString kind;   // "T" income, "F" expense
    QString number; // empty until the dialog is confirmed
    QString purpose;
    QString name;
    QString address;
    QDate date;
    // The entry's stored voucher of this kind, 0 when it has none yet.
    int voucher_id = 0;
};

VoucherDetails &voucher_details();

QString voucher_kind(bool income);

// What the dialog shows of the entry beside the details, and the number it proposes.
struct VoucherEntry {
    QDate date;
    QString doc_no;
    QString grp_name;
    double amount = 0.0; // INCOME for an income voucher, OUTCOME for an expense voucher
    QString currency;
    int proposed_number = 1;
};

// Clears the details and fills them for the entry: today, the entry's text as purpose and
// the kind's next number, or the number and texts of the entry's stored voucher of that
// kind.  Empty when the entry is gone.
std::optional<VoucherEntry> prepare_voucher(TdbAPI &api, int entry, bool income);

// Inserts or updates the entry's voucher row from the details; false (nothing stored)
// without an entry or a number of at least 1, or when the database refused (reported).
bool store_voucher(TdbAPI &api);
