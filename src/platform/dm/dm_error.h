#pragma once

#include <sqlite3.h>

#include <string>

namespace dm {

// The text behind dm_last_error().  Every exported call clears it first, so it always
// describes the most recent call only.
void clear_error();
void set_error(std::string text);
// A Czech sentence for the connection's last error code, with SQLite's own message after
// it in parentheses for the support e-mail (callers search it, for example for "UNIQUE").
// A trigger's refusal is the trigger's text alone.
void set_sqlite_error(sqlite3 *db);
// The Czech sentence for an extended SQLite result code.
const char *czech_sentence(int extended_code);
// The sentence with SQLite's text in parentheses, for a connection's last error or a code.
std::string sqlite_reason(sqlite3 *db);
std::string sqlite_reason(int code);
const std::string &last_error();

} // namespace dm
