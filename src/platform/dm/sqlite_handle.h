#pragma once

#include <sqlite3.h>

#include <memory>

namespace dm {

struct DatabaseCloser {
    void operator()(sqlite3 *db) const { sqlite3_close_v2(db); }
};

struct StatementFinalizer {
    void operator()(sqlite3_stmt *statement) const { sqlite3_finalize(statement); }
};

using DatabasePtr = std::unique_ptr<sqlite3, DatabaseCloser>;
using StatementPtr = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

// Prepares one statement; null (with the connection's error text) on failure.
StatementPtr prepare(sqlite3 *db, const char *sql);

// Prepares the one statement of a text that must hold exactly one: empty text and a second
// statement (which would silently never run, or run unasked) are refused with a Czech text.
StatementPtr prepare_single(sqlite3 *db, const char *sql);

} // namespace dm
