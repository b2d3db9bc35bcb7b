#include "masterdata/products.h"

#include "data/db_api.h"
#include "masterdata/catalogue_write.h"
#include "text/format_settings.h"

namespace {

const QString product_table = QStringLiteral("PRO");
const QString series_table = QStringLiteral("GENER_NO");
const int product_series = 1025;
const int help_delete_product = 2024;

} // namespace

int next_product_number(TdbAPI &api)
{
    const int first = api.lookup_int(product_series, series_table, QStringLiteral("GEN_ID"));
    const int step = api.lookup_int(product_series, series_table, QStringLiteral("INCREMENT_ID"));
    return api.next_number(QStringLiteral("PRO_NO"), product_table, first, step);
}

bool product_number_in_use(TdbAPI &api, int recid, int number)
{
    return api.value_in_use(recid, QString::number(number), product_table,
                            QStringLiteral("PRO_NO"));
}

int save_product(TdbAPI &api, const ProductRecord &product)
{
    // One statement for both: a product deleted elsewhere while it was edited is stored
    // again rather than the user's corrections lost without a word.
    const auto statement = [&product](int recid) {
        return QStringLiteral("INSERT INTO PRO (RECID, PRO_NO, PRO_NAME, ID_PRO_GRP, UNITV, COST, "
                              "PRO_NOTE) VALUES (%1, %2, %3, %4, %5, %6, %7) ON CONFLICT (RECID) "
                              "DO UPDATE SET PRO_NO=excluded.PRO_NO, PRO_NAME=excluded.PRO_NAME, "
                              "ID_PRO_GRP=excluded.ID_PRO_GRP, UNITV=excluded.UNITV, "
                              "COST=excluded.COST, PRO_NOTE=excluded.PRO_NOTE")
            .arg(QString::number(recid), QString::number(product.number), sql_quote(product.name),
                 QString::number(product.group), sql_quote(product.unit), sql_number(product.cost),
                 sql_quote(product.note));
    };
    const auto number_free = [&api, &product] {
        if (!product_number_in_use(api, product.recid, product.number))
            return true;
        api.report_db_error(false, QStringLiteral("Číslo produktu je již použito, zadejte jiné."));
        return false;
    };
    return store_catalogue_row(api, product_table, product.recid, statement, number_free);
}

int delete_product(TMemTable *set)
{
    // The database's triggers take the prices and the picture along, all or nothing.
    return delete_catalogue_row(set, product_table,
                                QStringLiteral("Opravdu  vymazat vybraný produkt?"),
                                help_delete_product);
}
