#include "platform/dm/dm_session.h"
#include "platform/dm/dm_error.h"

#include <cstdio>

namespace dm {

Session &session()
{
    static Session current;
    return current;
}

sqlite3 *open_connection()
{
    sqlite3 *db = session().db.get();
    if (!db)
        set_error("Databáze není otevřena.");
    return db;
}

sqlite3 *writable_connection()
{
    sqlite3 *db = open_connection();
    if (db && session().read_only) {
        set_error("Databáze je otevřena jen pro čtení, nelze do ní zapisovat.");
        return nullptr;
    }
    return db;
}

void close_session()
{
    Session &current = session();
    current.selects.clear();
    current.statements.clear();
    current.db.reset();
    if (!current.open_marker.empty())
        std::remove(current.open_marker.c_str());
    current.open_marker.clear();
    current.read_only = false;
    current.damaged = false;
    current.highest_id = 0;
}

} // namespace dm
