#include "masterdata/catalogue_write.h"

#include "data/db_api.h"
#include "data/db_transaction.h"
#include "data/messages.h"
#include "data/record_writer.h"

bool write_catalogue(TdbAPI &api, const QString &table, const QString &statement)
{
    // put_record says, in the words of every other editor, why a read-only database takes
    // nothing; it writes nothing there.
    if (api.read_only)
        return RecordWriter(api, table).put(pmInsert);
    return api.exec_sql(statement);
}

int store_catalogue_row(TdbAPI &api, const QString &table, int recid,
                        const std::function<QString(int recid)> &statement,
                        const std::function<bool()> &allowed)
{
    DbTransaction transaction;
    // On a read-only database the write below refuses with the polite message.
    if (!transaction.active() && !api.read_only) {
        api.report_db_error(false);
        return 0;
    }
    if (allowed && !allowed())
        return 0;
    const int id = recid != 0 ? recid : api.new_recid();
    // Without an id on a writable database the program is ending already.
    if (id == 0 && !api.read_only)
        return 0;
    if (!write_catalogue(api, table, statement(id)))
        return 0;
    return transaction.commit() ? id : 0;
}

int delete_catalogue_row(TMemTable *set, const QString &table, const QString &question,
                         int help_topic)
{
    if (!dbAPI || !set || !set->active() || set->is_empty())
        return 0;
    const int recid = dbAPI->current_recid(set);
    if (recid == 0)
        return 0;
    if (show_message(QStringLiteral("Pozor!"), question, mbYesNo | mbDefaultNo | mbIconWarning,
                     false, help_topic) != mrYes)
        return 0;
    DbTransaction transaction;
    if (!write_catalogue(*dbAPI, table,
                         QStringLiteral("DELETE FROM %1 WHERE RECID=%2").arg(table).arg(recid)) ||
        !transaction.commit())
        return 0;
    set->remove();
    return recid;
}
