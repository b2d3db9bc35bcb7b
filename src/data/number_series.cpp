#include "data/db_api.h"
#include "data/clock.h"
#include "text/format_settings.h"

int TdbAPI::next_number(const QString &name, const QString &table, int start, int step)
{
    const QString upper = table.trimmed().toUpper();
    qint64 candidate = start;
    if (upper == QLatin1String("DOC_HEAD") || upper == QLatin1String("TE")) {
        // A missing series row counts as 0, so the first number proposed is the step.
        candidate = qint64(lookup_int(name.toInt(), QStringLiteral("GENER_NO"),
                                      QStringLiteral("GEN_ID"))) +
                    step;
    } else {
        TMemTable *set = select_sql(QStringLiteral("X"), QStringLiteral("SELECT MAX(") + name +
                                                             QStringLiteral(") FROM ") + table);
        if (set && !set->is_empty() && !set->field(0).is_null())
            candidate = qint64(set->field(0).as_string().trimmed().toInt()) + step;
        free_set(set);
    }
    return candidate < start ? start : static_cast<int>(candidate);
}

bool TdbAPI::mark_series_written(int series, int number)
{
    bool done = exec_sql(QStringLiteral("UPDATE GENER_NO SET LAST_WRITE='") +
                         format_short_date(today()) + QStringLiteral("' WHERE RECID=") +
                         QString::number(series));
    if (done && number != 0 && series == 128) {
        const int current = lookup_int(128, QStringLiteral("GENER_NO"), QStringLiteral("GEN_ID"));
        done = exec_sql(QStringLiteral("UPDATE GENER_NO SET GEN_ID=") +
                        QString::number(std::max(current, number)) +
                        QStringLiteral(" WHERE RECID=128"));
    }
    return done;
}

int TdbAPI::digits_value(const QString &text)
{
    QString digits;
    for (const QChar c : text.trimmed())
        if (c >= u'0' && c <= u'9')
            digits += c;
    bool ok = false;
    const int value = digits.toInt(&ok);
    return ok ? value : 0;
}
