#include "documents/doc_currency.h"

#include "data/db_api.h"
#include "text/format_settings.h"
#include "documents/doc_totals.h"
#include "masterdata/foreign_prices.h"

double price_in_currency(TdbAPI &api, int product_id, double home_price, const QString &curr_name)
{
    if (curr_name.trimmed().isEmpty() || curr_name == home_currency)
        return home_price;

    double price = home_price;
    TMemTable *own = api.select_sql(QStringLiteral("X"),
                                    QStringLiteral("SELECT COST FROM PRO_CURR WHERE PRO_ID=") +
                                        QString::number(product_id) +
                                        QStringLiteral(" AND CURR_NAME=") + sql_quote(curr_name));
    if (own && !own->is_empty()) {
        price = own->field(0).as_float();
    } else {
        TMemTable *rate = api.select_sql(
            QStringLiteral("X"),
            QStringLiteral("SELECT CURR_AMOUNT, CURR_KURS FROM CURR_LIST WHERE CURR_NAME=") +
                sql_quote(curr_name));
        if (rate && !rate->is_empty())
            price = home_price_in_currency(
                home_price, currency_rate(rate->field(0).as_float(), rate->field(1).as_float()));
        api.free_set(rate);
    }
    api.free_set(own);
    return price;
}

bool remember_price_in_currency(TdbAPI &api, int product_id, double price,
                                const QString &curr_name)
{
    if (curr_name.trimmed().isEmpty() || curr_name == home_currency)
        return true;
    ForeignPrice row;
    row.product = product_id;
    row.cost = price;
    row.currency = curr_name;
    ScopedSet stored = api.select_scoped(
        QStringLiteral("X"), QStringLiteral("SELECT RECID FROM PRO_CURR WHERE PRO_ID=") +
                                 QString::number(product_id) +
                                 QStringLiteral(" AND CURR_NAME=") + sql_quote(curr_name));
    if (stored && !stored->is_empty())
        row.recid = stored->field(0).as_integer();
    return save_foreign_price(api, row) != 0;
}
