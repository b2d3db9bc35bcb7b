#pragma once
// What a cash voucher prints beside the journal entry's columns: its kind, the amount in
// figures and in words, and the number, purpose, name and address confirmed for it.

#include <QString>
#include <utility>

class Report;
class TMemTable;
struct VoucherDetails;

// A purpose of more than 47 characters breaks after the first space, comma, hyphen, full
// stop or colon from the 40th character on; without one it stays on the first line.
std::pair<QString, QString> split_purpose_text(const QString &text);

// The texts of the income or expense voucher of the entry in `entry`'s current row.
void write_voucher_texts(Report &report, const TMemTable &entry, const VoucherDetails &details,
                         bool income);
