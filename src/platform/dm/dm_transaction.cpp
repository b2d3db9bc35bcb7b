#include "platform/dm/dm.h"
#include "platform/dm/dm_error.h"
#include "platform/dm/dm_session.h"

namespace {

int run_on_open_database(const char *sql)
{
    dm::clear_error();
    sqlite3 *db = dm::open_connection();
    if (!db)
        return 0;
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
        dm::set_sqlite_error(db);
        return 0;
    }
    return 1;
}

} // namespace

// IMMEDIATE takes the write lock at once, so a save either starts whole or not at all
// instead of failing half-way when another connection writes.
int dm_start_transaction(void)
{
    return run_on_open_database("BEGIN IMMEDIATE");
}

int dm_commit_transaction(void)
{
    return run_on_open_database("COMMIT");
}

int dm_rollback_transaction(void)
{
    return run_on_open_database("ROLLBACK");
}

int dm_in_transaction(void)
{
    dm::clear_error();
    sqlite3 *db = dm::session().db.get();
    return db && !sqlite3_get_autocommit(db) ? 1 : 0;
}
