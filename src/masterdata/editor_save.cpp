#include "masterdata/editor_save.h"

#include "data/db_api.h"
#include "data/db_transaction.h"
#include "data/non_fatal_messages.h"
#include "data/record_writer.h"

int save_editor_row(TdbAPI &api, const QString &table, int recid, const EditorRowColumns &columns,
                    const EditorRowCheck &check)
{
    const NonFatalMessages messages;
    DbTransaction transaction;
    // On a read-only database the write below is refused with its own polite message.
    if (!transaction.active() && !api.read_only) {
        api.report_db_error(false);
        return 0;
    }
    if (check && !check())
        return 0;
    const bool is_new = recid == 0;
    const int id = is_new ? api.new_recid() : recid;
    if (id == 0 && !api.read_only)
        return 0;
    RecordWriter record(api, table, is_new ? 0 : id);
    record.add(QStringLiteral("RECID"), id);
    columns(record);
    if (!record.put(is_new ? pmInsert : pmUpdate))
        return 0;
    if (!transaction.commit()) {
        api.report_db_error(false);
        return 0;
    }
    return id;
}
