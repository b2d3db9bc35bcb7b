#include "reports/document_uuid.h"

#include "data/db_api.h"
#include "data/db_transaction.h"
#include "data/non_fatal_messages.h"
#include "data/record_writer.h"

#include <QUuid>

QString document_uuid(TdbAPI &api, int document_id)
{
    const QString table = QStringLiteral("DOC_UUID");
    const QString stored = api.lookup_text(document_id, table, QStringLiteral("UUID"));
    if (!stored.isEmpty())
        return stored;
    // A refused write costs the user this export, never the program.
    const NonFatalMessages non_fatal;
    const QString uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    DbTransaction transaction;
    if (!transaction.active())
        return {};
    RecordWriter record(api, table);
    record.add(QStringLiteral("RECID"), document_id).add(QStringLiteral("UUID"), uuid);
    if (!record.put(pmInsert) || !transaction.commit())
        return {};
    return uuid;
}
