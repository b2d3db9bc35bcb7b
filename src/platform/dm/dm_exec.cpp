#include "platform/dm/dm.h"
#include "platform/dm/dm_error.h"
#include "platform/dm/dm_session.h"

#include <QString>
#include <QStringList>

int dm_exec_sql(const char *statement)
{
    dm::clear_error();
    sqlite3 *db = dm::open_connection();
    if (!db)
        return 0;
    // One statement a call: text put together from the user's input can never smuggle in a
    // second one.
    const dm::StatementPtr prepared = dm::prepare_single(db, statement);
    if (!prepared)
        return 0;
    int rc = sqlite3_step(prepared.get());
    while (rc == SQLITE_ROW)
        rc = sqlite3_step(prepared.get());
    if (rc != SQLITE_DONE) {
        dm::set_sqlite_error(db);
        return 0;
    }
    return 1;
}

int dm_exec_script(const char *script)
{
    dm::clear_error();
    sqlite3 *db = dm::open_connection();
    if (!db)
        return 0;
    if (!script) {
        dm::set_error("Skript SQL chybí.");
        return 0;
    }
    if (sqlite3_exec(db, script, nullptr, nullptr, nullptr) != SQLITE_OK) {
        dm::set_sqlite_error(db);
        return 0;
    }
    return 1;
}

int dm_db_object_exists(const char *kind_and_name)
{
    dm::clear_error();
    sqlite3 *db = dm::open_connection();
    if (!db)
        return 0;
    const QString text = QString::fromUtf8(kind_and_name ? kind_and_name : "");
    const qsizetype dot = text.indexOf(u'.');
    const QString kind = text.left(dot).toLower();
    const QString name = text.mid(dot + 1);
    if (dot < 0 || name.isEmpty() ||
        !QStringList{"table", "view", "trigger", "index"}.contains(kind)) {
        dm::set_error("Objekt databáze musí být zadán jako TABLE., VIEW. nebo TRIGGER. a jméno.");
        return 0;
    }
    dm::StatementPtr query =
        dm::prepare(db, "SELECT 1 FROM sqlite_schema WHERE type = ?1 AND name = ?2 COLLATE NOCASE");
    if (!query) {
        dm::set_sqlite_error(db);
        return 0;
    }
    const QByteArray kind_bytes = kind.toUtf8();
    const QByteArray name_bytes = name.toUtf8();
    sqlite3_bind_text(query.get(), 1, kind_bytes.constData(), -1, SQLITE_STATIC);
    sqlite3_bind_text(query.get(), 2, name_bytes.constData(), -1, SQLITE_STATIC);
    const int rc = sqlite3_step(query.get());
    if (rc == SQLITE_ROW)
        return 1;
    if (rc != SQLITE_DONE)
        dm::set_sqlite_error(db);
    return 0;
}
