#include "platform/dm/statement_cache.h"

namespace dm {

StatementCache::Lease::~Lease()
{
    if (m_statement) {
        sqlite3_reset(m_statement);
        sqlite3_clear_bindings(m_statement);
    }
}

StatementCache::Lease StatementCache::acquire(sqlite3 *db, const std::string &sql)
{
    for (auto entry = m_entries.begin(); entry != m_entries.end(); ++entry) {
        if (entry->first == sql) {
            m_entries.splice(m_entries.begin(), m_entries, entry);
            return Lease(m_entries.front().second.get());
        }
    }
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v3(db, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr) !=
        SQLITE_OK) {
        sqlite3_finalize(statement);
        return Lease(nullptr);
    }
    if (m_entries.size() >= kCapacity)
        m_entries.pop_back();
    m_entries.emplace_front(sql, StatementPtr(statement));
    return Lease(statement);
}

} // namespace dm
