#include "calc/history_type_ahead.h"

#include "data/memtable.h"

bool HistoryTypeAhead::type(const QString &text, TMemTable &set)
{
    if (text.isEmpty() || text.front().unicode() < 32)
        return false;
    const QString wanted = m_buffer + text;
    const TField *column = set.find_field(QStringLiteral("TXT"));
    for (int row = 0; column && row < set.record_count(); ++row) {
        if (set.cell_text(row, column->index()).startsWith(wanted, Qt::CaseInsensitive)) {
            m_buffer = wanted;
            set.set_row_number(row + 1);
            return true;
        }
    }
    m_buffer.clear();
    return false;
}
