#include "masterdata/code_list_rows.h"

#include "data/db_api.h"
#include "data/record_writer.h"
#include "masterdata/editor_save.h"

int save_code_list_row(TdbAPI &api, const QString &table, int recid,
                       const std::vector<const TField *> &columns)
{
    return save_editor_row(api, table, recid, [&columns](RecordWriter &record) {
        for (const TField *column : columns)
            record.add(*column);
    });
}

bool delete_code_list_row(TdbAPI &api, const QString &table, int recid)
{
    if (recid == 0)
        return false;
    RecordWriter record(api, table, recid);
    return record.put(pmDelete);
}
