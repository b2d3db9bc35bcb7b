#include "platform/dm/sqlite_handle.h"
#include "platform/dm/dm_error.h"

namespace dm {

StatementPtr prepare(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        return nullptr;
    }
    return StatementPtr(statement);
}

StatementPtr prepare_single(sqlite3 *db, const char *sql)
{
    if (!sql) {
        set_error("Příkaz SQL chybí.");
        return nullptr;
    }
    sqlite3_stmt *raw = nullptr;
    const char *tail = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &raw, &tail) != SQLITE_OK) {
        set_sqlite_error(db);
        return nullptr;
    }
    StatementPtr statement(raw);
    if (!statement) {
        set_error("Příkaz SQL je prázdný.");
        return nullptr;
    }
    sqlite3_stmt *rest = nullptr;
    const int rest_rc = sqlite3_prepare_v2(db, tail, -1, &rest, nullptr);
    StatementPtr rest_owner(rest);
    if (rest_rc != SQLITE_OK || rest) {
        set_error("Příkaz SQL smí obsahovat jen jeden příkaz.");
        return nullptr;
    }
    return statement;
}

} // namespace dm
