#include "platform/dm/dm.h"
#include "platform/dm/dm_error.h"
#include "platform/dm/dm_session.h"

#include <limits>
#include <optional>
#include <string>

namespace {

int step(sqlite3 *db, const char *sql)
{
    const dm::StatementCache::Lease statement = dm::session().statements.acquire(db, sql);
    return statement ? sqlite3_step(statement.get()) : sqlite3_errcode(db);
}

// The counter moves and is read under one savepoint, which holds the write lock from the
// update to the read, so no other connection can draw the same value in between.  (An
// UPDATE ... RETURNING builds a temporary table on every call and made bulk writes ten
// times slower.)  max() with the ids already handed out keeps an id drawn in a transaction
// that was rolled back, and the counter with it, from being handed out a second time.
std::optional<sqlite3_int64> advance_counter(sqlite3 *db, sqlite3_int64 highest)
{
    const dm::StatementCache::Lease advance =
        dm::session().statements.acquire(db, "UPDATE DM_GEN SET LAST_ID = max(LAST_ID, ?1) + 1 "
                                             "WHERE RECID = 1 AND max(LAST_ID, ?1) < ?2");
    if (!advance) {
        dm::set_sqlite_error(db);
        return std::nullopt;
    }
    sqlite3_bind_int64(advance.get(), 1, highest);
    sqlite3_bind_int64(advance.get(), 2, std::numeric_limits<int32_t>::max());
    if (sqlite3_step(advance.get()) != SQLITE_DONE) {
        dm::set_sqlite_error(db);
        return std::nullopt;
    }
    if (sqlite3_changes(db) != 1) {
        dm::set_error("Generátor identifikátorů v tabulce DM_GEN chybí nebo je vyčerpán.");
        return std::nullopt;
    }
    const dm::StatementCache::Lease read =
        dm::session().statements.acquire(db, "SELECT LAST_ID FROM DM_GEN WHERE RECID = 1");
    if (!read || sqlite3_step(read.get()) != SQLITE_ROW) {
        dm::set_sqlite_error(db);
        return std::nullopt;
    }
    return sqlite3_column_int64(read.get(), 0);
}

} // namespace

int dm_gen_id(void)
{
    dm::clear_error();
    sqlite3 *db = dm::writable_connection();
    if (!db)
        return 0;
    const bool in_transaction = !sqlite3_get_autocommit(db);
    if (step(db, "SAVEPOINT dm_gen_id") != SQLITE_DONE) {
        dm::set_sqlite_error(db);
        return 0;
    }
    std::optional<sqlite3_int64> id = advance_counter(db, dm::session().highest_id);
    if (id && step(db, "RELEASE dm_gen_id") != SQLITE_DONE) {
        dm::set_sqlite_error(db);
        id.reset();
    }
    if (!id) {
        const std::string failure = dm::last_error();
        if (in_transaction) {
            step(db, "ROLLBACK TO dm_gen_id");
            step(db, "RELEASE dm_gen_id");
        } else if (!sqlite3_get_autocommit(db)) {
            step(db, "ROLLBACK");
        }
        dm::set_error(failure);
        return 0;
    }
    dm::session().highest_id = *id;
    return static_cast<int>(*id);
}
