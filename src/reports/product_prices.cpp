#include "reports/product_prices.h"

#include "data/db_api.h"
#include "data/memtable.h"
#include "text/number_format.h"

QString product_price_list(TdbAPI &api, int product)
{
    QString list;
    const ScopedSet prices = api.select_scoped(
        QStringLiteral("PRO_CURR"),
        QStringLiteral("SELECT * FROM PRO_CURR WHERE PRO_ID=") + QString::number(product));
    if (prices) {
        for (prices->first(); !prices->eof(); prices->next())
            list += format_number(prices->field_by_name(QStringLiteral("COST")).as_float(),
                                  QStringLiteral("### ##0.00")) +
                    u' ' + prices->field_by_name(QStringLiteral("CURR_NAME")).as_string() +
                    QStringLiteral("\r\n");
    }
    return list.isEmpty() ? QStringLiteral("-  ") : list;
}
