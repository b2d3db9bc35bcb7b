#include "data/company_records.h"

#include "data/db_api.h"
#include "data/db_transaction.h"
#include "data/record_writer.h"
#include "text/format_settings.h"

namespace {

const QString firm_table = QStringLiteral("CONF_ADDRESS");
const int firm_recid = 1;

bool is_picture_column(const QString &column)
{
    if (column == QLatin1String("LOGO_ID") || column == QLatin1String("STAMP_ID"))
        return true;
    qWarning("programming error: %s is no picture column of the firm", qUtf8Printable(column));
    return false;
}

bool link_picture(TdbAPI &api, const QString &column, int id)
{
    return api.exec_sql(QStringLiteral("UPDATE CONF_ADDRESS SET %1=%2 WHERE RECID=%3")
                            .arg(column)
                            .arg(id)
                            .arg(firm_recid));
}

} // namespace

bool save_firm_row(TdbAPI &api, const TMemTable &firm, const QStringList &columns, bool stored)
{
    RecordWriter record(api, firm_table, firm_recid);
    record.add(QStringLiteral("RECID"), firm_recid);
    for (const QString &column : columns)
        record.add(firm.field_by_name(column));
    return record.put(stored ? pmUpdate : pmInsert);
}

bool save_series(TdbAPI &api, const std::vector<SeriesValues> &rows)
{
    DbTransaction transaction;
    // On a read-only database the first write refuses, with the polite message.
    if (!transaction.active() && !api.read_only) {
        api.report_db_error(false);
        return false;
    }
    for (const SeriesValues &row : rows) {
        RecordWriter record(api, QStringLiteral("GENER_NO"), row.series);
        record.add(QStringLiteral("RECID"), row.series)
            .add(QStringLiteral("GEN_ID"), double(row.counter))
            .add(QStringLiteral("INCREMENT_ID"), double(row.step));
        if (row.prefix)
            record.add(QStringLiteral("TXT"), *row.prefix);
        if (!record.put(row.stored ? pmUpdate : pmInsert))
            return false;
    }
    return transaction.commit();
}

bool store_firm_picture(TdbAPI &api, const QString &column, PictureBox *box)
{
    if (!is_picture_column(column))
        return false;
    DbTransaction transaction;
    int id = api.lookup_int(firm_recid, firm_table, column);
    // A read-only database refuses the picture itself, with its own message.
    if (id == 0 && !api.read_only) {
        id = api.new_recid();
        if (id == 0 || !link_picture(api, column, id))
            return false;
    }
    return api.write_picture(id, box) && transaction.commit();
}

bool unlink_firm_picture(TdbAPI &api, const QString &column)
{
    return is_picture_column(column) && link_picture(api, column, 0);
}
