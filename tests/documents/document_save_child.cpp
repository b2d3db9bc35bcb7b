// Saves one issued invoice of 50 items into the database of the application folder named
// by the first argument, saying "saving" on standard output just before the save starts.
// The atomicity test kills it at a random moment of that save.

#include "data/app_paths.h"
#include "data/clock.h"
#include "data/db_api.h"
#include "data/memtable.h"
#include "documents/doc_totals.h"
#include "documents/document.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    if (argc < 3)
        return 2;
    set_app_exe_path(QString::fromLocal8Bit(argv[1]));
    const int address = QString::fromLatin1(argv[2]).toInt();
    set_fixed_today(QDate(2031, 5, 5));
    TdbAPI api;
    if (!api.open_database())
        return 3;
    TMemTable *header = api.select_sql(QStringLiteral("DOC_HEAD"),
                                       QStringLiteral("SELECT * FROM DOC_HEAD WHERE RECID=0"));
    TMemTable *items = api.select_sql(QStringLiteral("VIEW_ITEMS2"),
                                      QStringLiteral("SELECT * FROM VIEW_ITEMS WHERE HEADER_ID=0"));
    if (!header || !items)
        return 4;
    header->append();
    TDocument document(api, 1, *header, items, 0);
    document.propose_new();
    header->field_by_name(QStringLiteral("ID_ADDRESS")).set_as_integer(address);
    header->field_by_name(QStringLiteral("DOC_TITLE")).set_as_string(QStringLiteral("padesát položek"));
    document.details.id_link = address;
    for (int n = 1; n <= 50; ++n) {
        items->append();
        items->field_by_name(QStringLiteral("AMOUNT")).set_as_float(n);
        items->field_by_name(QStringLiteral("COST_PER_UNIT")).set_as_float(1.5);
        items->field_by_name(QStringLiteral("COST")).set_as_float(item_cost(n, 1.5, 0));
        items->field_by_name(QStringLiteral("ITEM_TEXT")).set_as_string(QStringLiteral("položka ") + QString::number(n));
        items->post();
    }
    std::fputs("saving\n", stdout);
    std::fflush(stdout);
    return document.save() == TDocument::SaveResult::Saved ? 0 : 1;
}
