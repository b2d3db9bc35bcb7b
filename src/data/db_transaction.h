#pragma once
// The writes of one user action: a document, a journal entry, the series page.  The
// constructor begins the transaction, commit() makes the writes last, and a guard that goes
// out of scope without commit() takes them all back.  A guard made while a transaction is
// open joins it: the outer guard decides, and a joined guard that was not committed makes
// the outer commit() roll back instead.

class DbTransaction {
public:
    DbTransaction();
    ~DbTransaction();
    DbTransaction(const DbTransaction &) = delete;
    DbTransaction &operator=(const DbTransaction &) = delete;

    // False when the transaction could not begin (the library's text says why); nothing
    // may be written then.
    bool active() const { return m_active; }
    // True when the writes are stored.  A fatal report_db_error has rolled back already;
    // commit() then gives false.
    bool commit();

private:
    bool m_owner = false;
    bool m_active = false;
    bool m_done = false;
};
