#pragma once

#include "platform/dm/select_cursor.h"
#include "platform/dm/sqlite_handle.h"
#include "platform/dm/statement_cache.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace dm {

// The one connection the program works with, and what outlives it: the path of the
// database last opened serves backup and restore, which run while it is closed.
struct Session {
    DatabasePtr db;
    bool read_only = false;
    // Failed its integrity check after an unclean end, and therefore opened read-only.
    bool damaged = false;
    std::string last_path;
    // Present while the program has the database open for writing; one left behind says
    // the program ended without closing it.
    std::string open_marker;
    // Which database the last opening failed on and why, for the new-connection question.
    std::string failed_open;
    bool restore_replacing = false;
    // The copy the last backup wrote or the last restore brought back, and where that restore
    // kept the data it replaced; empty when there was none.
    std::string copy_file;
    std::string safety_copy;
    // Ids handed out on this connection; a rolled-back transaction takes its counter
    // increments with it, and this keeps such an id from being handed out again.
    int64_t highest_id = 0;
    std::map<int, std::unique_ptr<SelectCursor>> selects;
    StatementCache statements;
};

Session &session();

// The open connection, or null with a text saying that no database is open.
sqlite3 *open_connection();
// As above, and also refuses a database that was opened read-only.
sqlite3 *writable_connection();

void close_session();

} // namespace dm
