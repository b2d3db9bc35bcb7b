#include "data/record_writer.h"

#include "data/db_api.h"
#include "data/tdatetime.h"

RecordWriter::RecordWriter(TdbAPI &api, const QString &table, int id, TMemTable *set)
    : m_api(api), m_table(table.toUtf8()), m_recid(id)
{
    m_api.prepare_record(m_record, set);
    m_record.table = m_table.data();
    m_record.id = id;
}

RecordWriter::~RecordWriter()
{
    m_api.release_record(m_record);
}

bool RecordWriter::next_slot(const QString &name)
{
    if (m_record.used < DM_MAX_FIELDS)
        return true;
    qWarning("programming error: record of %s has no slot left for %s", m_table.constData(),
             qUtf8Printable(name));
    m_overflow = true;
    return false;
}

RecordWriter &RecordWriter::add_new_recid()
{
    if (next_slot(QStringLiteral("RECID"))) {
        m_api.add_field_value(m_record, m_record.used++);
        m_recid = *static_cast<const int32_t *>(m_record.fields[m_record.used - 1].value);
    }
    return *this;
}

RecordWriter &RecordWriter::add(const QString &name, int value)
{
    if (next_slot(name))
        m_api.add_int_value(m_record, m_record.used++, name, value);
    return *this;
}

RecordWriter &RecordWriter::add(const QString &name, double value)
{
    if (next_slot(name))
        m_api.add_float_value(m_record, m_record.used++, name, value);
    return *this;
}

RecordWriter &RecordWriter::add(const QString &name, const QString &value)
{
    if (next_slot(name))
        m_api.add_string_value(m_record, m_record.used++, name, value);
    return *this;
}

RecordWriter &RecordWriter::add(const QString &name, const QDate &value)
{
    if (next_slot(name))
        m_api.add_date_value(m_record, m_record.used++, name,
                             value.isValid() ? days_from_date(value) : std::optional<double>());
    return *this;
}

RecordWriter &RecordWriter::add(const TField &column)
{
    if (next_slot(column.name()))
        m_api.add_field_value(m_record, m_record.used++, &column);
    return *this;
}

bool RecordWriter::put(PutMode mode)
{
    if (m_overflow)
        return false;
    return m_api.put_record(mode, m_record);
}
