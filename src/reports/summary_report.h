#pragma once
// The summary of the journal and the books: what came in and went out per currency, per
// tax category and per account, what others owe and what the firm owes.

#include <QString>
#include <vector>

class Report;
class TMemTable;

struct SummarySet {
    QString name;
    QString select;
};

// The five record sets in the order their data sources are registered.
const std::vector<SummarySet> &summary_sets();

// The column summed over all rows of the set, each value read as text and parsed
// tolerantly; the set is left on its first row.  0 without a set or a column.
double sum_column(TMemTable *set, const QString &column);

// sum_kc_in, sum_kc_out and balance_kc from the currency sums, formatted "### ##0.00";
// a sum whose object the template lacks counts as 0.
void write_summary_sums(Report &report, TMemTable *currency_sums);
