#include "data/db_transaction.h"

#include "platform/dm/dm.h"

namespace {

// Set when a joined guard ends without commit; the outer guard then rolls back.
bool &rollback_only()
{
    static bool flag = false;
    return flag;
}

} // namespace

DbTransaction::DbTransaction()
{
    if (dm_in_transaction()) {
        m_active = true;
        return;
    }
    m_owner = true;
    m_active = dm_start_transaction() != 0;
    rollback_only() = false;
}

DbTransaction::~DbTransaction()
{
    if (!m_active || m_done)
        return;
    if (!m_owner) {
        rollback_only() = true;
        return;
    }
    // A fatal error may have rolled back already; a second ROLLBACK would only fail.
    if (dm_in_transaction())
        dm_rollback_transaction();
    rollback_only() = false;
}

bool DbTransaction::commit()
{
    if (!m_active || m_done)
        return false;
    m_done = true;
    if (!m_owner)
        return dm_in_transaction() != 0;
    if (!dm_in_transaction()) {
        rollback_only() = false;
        return false;
    }
    if (rollback_only()) {
        dm_rollback_transaction();
        rollback_only() = false;
        return false;
    }
    if (dm_commit_transaction())
        return true;
    dm_rollback_transaction();
    return false;
}
