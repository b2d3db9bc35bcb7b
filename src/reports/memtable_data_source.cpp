#include "reports/memtable_data_source.h"

#include "data/memtable.h"
#include "data/tdatetime.h"

#include <cmath>

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
    const TField &field = m_set.field(column);
    // Reports print the day of a date.  A local date-time would cost a time-zone lookup for
    // every cell of a long list.
    if (field.type() == FieldType::DateTime && !field.is_null()) {
        const double days = field.as_datetime();
        if (days == std::floor(days))
            return date_from_days(days);
    }
    return field.value();
}
