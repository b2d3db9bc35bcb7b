#pragma once

#include <sqlite3.h>

#include <string>

namespace dm {

// The text behind dm_last_error().  Every exported call clears it first, so it always
// describes the most recent call only.
void clear_error();
void set_error(std::string text);
// Takes SQLite's own message, which callers search (for example for "UNIQUE").
void set_sqlite_error(sqlite3 *db);
const std::string &last_error();

} // namespace dm
