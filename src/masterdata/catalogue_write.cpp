#include "masterdata/catalogue_write.h"

#include "data/db_api.h"
#include "data/record_writer.h"

bool write_catalogue(TdbAPI &api, const QString &table, const QString &statement)
{
    // put_record says, in the words of every other editor, why a read-only database takes
    // nothing; it writes nothing there.
    if (api.read_only)
        return RecordWriter(api, table).put(pmInsert);
    return api.exec_sql(statement);
}
