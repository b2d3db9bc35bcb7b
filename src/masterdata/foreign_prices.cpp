#include "masterdata/foreign_prices.h"

#include "data/db_api.h"
#include "data/memtable.h"
#include "masterdata/catalogue_write.h"
#include "text/format_settings.h"

#include <cmath>

namespace {

const QString price_table = QStringLiteral("PRO_CURR");
const int help_delete_price = 9007;

} // namespace

QString CurrencyChoice::caption() const
{
    return name + QStringLiteral(", ") + title;
}

double proposed_foreign_price(double cost, double rate, double amount)
{
    if (!(rate > 0.0) || !(amount > 0.0))
        return 0.0;
    // Proposed to the cent, as the price would be typed.
    const double price = std::round(cost / (rate / amount) * 100.0) / 100.0;
    return std::isfinite(price) ? price : 0.0;
}

std::vector<CurrencyChoice> unpriced_currencies(const TMemTable &currency_list,
                                                const QStringList &priced)
{
    std::vector<CurrencyChoice> choices;
    const TField *name = currency_list.find_field(QStringLiteral("CURR_NAME"));
    const TField *title = currency_list.find_field(QStringLiteral("CURR_TITLE"));
    const TField *rate = currency_list.find_field(QStringLiteral("CURR_KURS"));
    const TField *amount = currency_list.find_field(QStringLiteral("CURR_AMOUNT"));
    if (!name || !title || !rate || !amount)
        return choices;
    for (int row = 0; row < currency_list.record_count(); ++row) {
        const QString currency = currency_list.cell_text(row, name->index());
        if (priced.contains(currency, Qt::CaseInsensitive))
            continue;
        choices.push_back({currency, currency_list.cell_text(row, title->index()),
                           currency_list.cell_value(row, rate->index()).toDouble(),
                           currency_list.cell_value(row, amount->index()).toDouble()});
    }
    return choices;
}

QStringList priced_currencies(const TMemTable &prices)
{
    QStringList names;
    const TField *name = prices.find_field(QStringLiteral("CURR_NAME"));
    if (!name)
        return names;
    for (int row = 0; row < prices.record_count(); ++row)
        names << prices.cell_text(row, name->index());
    return names;
}

int save_foreign_price(TdbAPI &api, const ForeignPrice &price)
{
    return store_catalogue_row(api, price_table, price.recid, [&price](int recid) {
        return QStringLiteral("INSERT INTO PRO_CURR (RECID, PRO_ID, COST, CURR_NAME) VALUES (%1, "
                              "%2, %3, %4) ON CONFLICT (RECID) DO UPDATE SET "
                              "PRO_ID=excluded.PRO_ID, COST=excluded.COST, "
                              "CURR_NAME=excluded.CURR_NAME")
            .arg(QString::number(recid), QString::number(price.product), sql_number(price.cost),
                 sql_quote(price.currency));
    });
}

int delete_foreign_price(TMemTable *set)
{
    return delete_catalogue_row(
        set, price_table, QStringLiteral("Opravdu  vymazat cenu v cizí měně?"), help_delete_price);
}
