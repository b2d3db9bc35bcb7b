#pragma once

#include "platform/dm/sqlite_handle.h"

#include <list>
#include <string>
#include <utility>

namespace dm {

// Keeps the statements that the program runs again and again (ids, record writes, blobs)
// prepared, which makes a bulk of writes several times faster than preparing each anew.
class StatementCache {
public:
    // A statement lent for one call; it is reset and its bindings cleared when the lease
    // ends, so that no finished statement keeps a read lock.
    class Lease {
    public:
        explicit Lease(sqlite3_stmt *statement) : m_statement(statement) {}
        Lease(const Lease &) = delete;
        Lease &operator=(const Lease &) = delete;
        ~Lease();
        sqlite3_stmt *get() const { return m_statement; }
        explicit operator bool() const { return m_statement != nullptr; }

    private:
        sqlite3_stmt *m_statement;
    };

    // Null (with the connection's error text) when the SQL does not prepare.
    Lease acquire(sqlite3 *db, const std::string &sql);
    void clear() { m_entries.clear(); }

private:
    static constexpr size_t kCapacity = 32;
    std::list<std::pair<std::string, StatementPtr>> m_entries; // most recently used first
};

} // namespace dm
