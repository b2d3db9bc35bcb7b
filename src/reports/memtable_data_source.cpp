#include "reports/memtable_data_source.h"

#include "data/memtable.h"

QString data_source_name(const QString &set_name)
{
    return QStringLiteral("fr") + set_name;
}

void MemTableDataSource::first()
{
    m_set.first();
}

void MemTableDataSource::next()
{
    m_set.next();
}

bool MemTableDataSource::eof() const
{
    return m_set.eof();
}

int MemTableDataSource::column_index(const QString &name) const
{
    const TField *field = m_set.find_field(name);
    return field ? field->index() : -1;
}

QVariant MemTableDataSource::value(int column) const
{
    if (eof() || column < 0 || column >= m_set.field_count())
        return {};
    return m_set.field(column).value();
}
