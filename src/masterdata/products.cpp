#include "masterdata/products.h"

#include "data/db_api.h"
#include "data/db_transaction.h"
#include "data/messages.h"
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
    DbTransaction transaction;
    if (!transaction.active() && !api.read_only) {
        api.report_db_error(false);
        return 0;
    }
    if (product_number_in_use(api, product.recid, product.number)) {
        api.report_db_error(false,
                            QStringLiteral("Číslo produktu je již použito, zadejte jiné."));
        return 0;
    }
    const int recid = product.recid != 0 ? product.recid : api.new_recid();
    if (recid == 0 && !api.read_only)
        return 0;
    // One statement for both: a product deleted elsewhere while it was edited is stored
    // again rather than the user's corrections lost without a word.
    const QString statement =
        QStringLiteral("INSERT INTO PRO (RECID, PRO_NO, PRO_NAME, ID_PRO_GRP, UNITV, COST, "
                       "PRO_NOTE) VALUES (%1, %2, %3, %4, %5, %6, %7) ON CONFLICT (RECID) DO "
                       "UPDATE SET PRO_NO=excluded.PRO_NO, PRO_NAME=excluded.PRO_NAME, "
                       "ID_PRO_GRP=excluded.ID_PRO_GRP, UNITV=excluded.UNITV, "
                       "COST=excluded.COST, PRO_NOTE=excluded.PRO_NOTE")
            .arg(QString::number(recid), QString::number(product.number),
                 sql_quote(product.name), QString::number(product.group),
                 sql_quote(product.unit), sql_number(product.cost), sql_quote(product.note));
    if (!write_catalogue(api, product_table, statement))
        return 0;
    return transaction.commit() ? recid : 0;
}

int delete_product(TMemTable *set)
{
    if (!dbAPI || !set || set->is_empty())
        return 0;
    const int recid = dbAPI->current_recid(set);
    if (recid == 0)
        return 0;
    if (show_message(QStringLiteral("Pozor!"), QStringLiteral("Opravdu  vymazat vybraný produkt?"),
                     mbYesNo | mbDefaultNo | mbIconWarning, false, help_delete_product) != mrYes)
        return 0;
    // The database's triggers take the prices and the picture along, all or nothing.
    DbTransaction transaction;
    if (!write_catalogue(*dbAPI, product_table,
                         QStringLiteral("DELETE FROM PRO WHERE RECID=%1").arg(recid)) ||
        !transaction.commit())
        return 0;
    set->remove();
    return recid;
}
