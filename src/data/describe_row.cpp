#include "data/describe_row.h"

#include "data/memtable.h"

QString describe_row(const TMemTable &set)
{
    QString text;
    for (int column = 0; column < set.field_count(); ++column) {
        const TField &field = set.field(column);
        if (!field.visible)
            continue;
        const QString value = field.display_text();
        if (!value.isEmpty())
            text += value + QStringLiteral(": ");
    }
    text.replace(QLatin1String("\r\n"), QLatin1String(", "));
    // A lone CR or LF would break the one-line entry just the same.
    text.replace(u'\r', QLatin1String(", "));
    text.replace(u'\n', QLatin1String(", "));
    text = text.trimmed();
    text.chop(1);
    return text;
}
