#include "calc/user_hist.h"

#include "calc/history_hash.h"
#include "data/db_api.h"
#include "text/format_settings.h"

namespace {

// The stored keys were made this way: any other upper-casing would lose every history.
QString ascii_upper(const QString &text)
{
    QString upper = text;
    for (QChar &c : upper) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - (u'a' - u'A'));
    }
    return upper;
}

} // namespace

int history_field_key(const QString &field_name)
{
    return history_hash(ascii_upper(field_name));
}

int history_text_key(const QString &field_name, const QString &text)
{
    return history_hash(ascii_upper(field_name + u'.' + text));
}

bool store_history(const QString &field_name, const QString &text)
{
    if (text.trimmed().isEmpty())
        return true;
    // The key is the row's primary key: a text used again is ignored rather than refused,
    // whatever the table's own conflict clause says.
    return dbAPI->exec_sql(QStringLiteral("INSERT OR IGNORE INTO USER_HIST (RECID, DATA_FIELD, "
                                          "TXT) VALUES (%1, %2, %3)")
                               .arg(QString::number(history_text_key(field_name, text)),
                                    QString::number(history_field_key(field_name)),
                                    sql_quote(text)));
}

TMemTable *select_history(int field_key)
{
    TMemTable *set = dbAPI->select_sql(
        QStringLiteral("X"),
        QStringLiteral("SELECT * FROM USER_HIST WHERE DATA_FIELD=%1").arg(field_key));
    if (set)
        set->field_by_name(QStringLiteral("DATA_FIELD")).visible = false;
    return set;
}

QString history_text(int recid)
{
    return dbAPI->lookup_text(recid, QStringLiteral("USER_HIST"), QStringLiteral("TXT"));
}

bool delete_history_text(TMemTable &set)
{
    if (set.is_empty())
        return false;
    const int recid = dbAPI->current_recid(&set);
    if (!dbAPI->exec_sql(QStringLiteral("DELETE FROM USER_HIST WHERE RECID=%1").arg(recid)))
        return false;
    set.remove();
    return true;
}

bool delete_field_history(int field_key)
{
    return dbAPI->exec_sql(
        QStringLiteral("DELETE FROM USER_HIST WHERE DATA_FIELD=%1").arg(field_key));
}
