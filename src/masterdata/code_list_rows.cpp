#include "masterdata/code_list_rows.h"

#include "data/db_api.h"
#include "data/record_writer.h"

int save_code_list_row(TdbAPI &api, const QString &table, int recid,
                       const std::vector<const TField *> &columns)
{
    const bool is_new = recid == 0;
    const int id = is_new ? api.new_recid() : recid;
    // Without an id on a writable database the program is ending already; on a read-only
    // one put_record says why nothing can be saved.
    if (id == 0 && !api.read_only)
        return 0;
    RecordWriter record(api, table, is_new ? 0 : id);
    record.add(QStringLiteral("RECID"), id);
    for (const TField *column : columns)
        record.add(*column);
    return record.put(is_new ? pmInsert : pmUpdate) ? id : 0;
}

bool delete_code_list_row(TdbAPI &api, const QString &table, int recid)
{
    if (recid == 0)
        return false;
    RecordWriter record(api, table, recid);
    return record.put(pmDelete);
}
