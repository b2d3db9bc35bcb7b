#include "data/db_api.h"
#include "data/clock.h"
#include "text/format_settings.h"

int TdbAPI::next_number(const QString &name, const QString &table, int start, int step,
                        const QString &condition)
{
    const QString upper = table.trimmed().toUpper();
    qint64 candidate = start;
    if (upper == QLatin1String("DOC_HEAD") || upper == QLatin1String("TE")) {
        // A missing series row counts as 0, so the first number proposed is the step.
        const std::optional<QVariant> last = select_value(
            QStringLiteral("SELECT GEN_ID FROM GENER_NO WHERE RECID=") +
                QString::number(name.toInt()),
            0);
        if (!last)
            return 0;
        candidate = qint64(last->toInt()) + step;
    } else {
        if (!is_sql_identifier(name) || !is_sql_identifier(table)) {
            qWarning("programming error: next_number refuses '%s' of '%s'", qUtf8Printable(name),
                     qUtf8Printable(table));
            return 0;
        }
        QString select = QStringLiteral("SELECT MAX(%1) FROM %2").arg(name, table);
        if (!condition.trimmed().isEmpty())
            select += QStringLiteral(" WHERE ") + condition;
        const std::optional<QVariant> highest = select_value(select, 0);
        if (!highest)
            return 0;
        if (!highest->isNull())
            candidate = qint64(highest->toString().trimmed().toInt()) + step;
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
