#include "taxrecords/entry_currency.h"

#include "data/db_api.h"
#include "documents/doc_currency.h"

#include <algorithm>
#include <cmath>

std::vector<EntryCurrency> entry_currencies(TdbAPI &api)
{
    std::vector<EntryCurrency> list{{home_currency, {}, 1, 1.0}};
    ScopedSet rates = api.select_scoped(QStringLiteral("CURR_LIST"),
                                        QStringLiteral("SELECT * FROM CURR_LIST ORDER BY RECID"));
    if (!rates)
        return list;
    const TField &name = rates->field_by_name(QStringLiteral("CURR_NAME"));
    const TField &title = rates->field_by_name(QStringLiteral("CURR_TITLE"));
    const TField &amount = rates->field_by_name(QStringLiteral("CURR_AMOUNT"));
    const TField &kurs = rates->field_by_name(QStringLiteral("CURR_KURS"));
    for (rates->first(); !rates->eof(); rates->next()) {
        EntryCurrency currency;
        currency.name = name.as_string().trimmed();
        if (currency.name.isEmpty() || currency.name == home_currency)
            continue;
        currency.title = title.as_string();
        // The journal keeps whole units; a missing count is one unit.
        currency.amount = std::max(1, static_cast<int>(std::lround(amount.as_float())));
        currency.kurs = kurs.is_null() ? 1.0 : kurs.as_float();
        list.push_back(currency);
    }
    return list;
}

const EntryCurrency *find_currency(const std::vector<EntryCurrency> &list, const QString &name)
{
    const auto found = std::find_if(list.begin(), list.end(), [&name](const EntryCurrency &c) {
        return c.name.compare(name.trimmed(), Qt::CaseInsensitive) == 0;
    });
    return found == list.end() ? nullptr : &*found;
}
