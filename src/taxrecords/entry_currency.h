#pragma once
// The currencies a journal entry may be kept in: "Kč" at 1 and 1.0, then every row of the
// rate list (CURR_LIST) with its current rate.

#include <QString>
#include <vector>

class TdbAPI;

struct EntryCurrency {
    QString name;
    QString title;
    int amount = 1;
    double kurs = 1.0;
};

std::vector<EntryCurrency> entry_currencies(TdbAPI &api);
// The listed currency of the name; null when the list lacks it.
const EntryCurrency *find_currency(const std::vector<EntryCurrency> &list, const QString &name);
