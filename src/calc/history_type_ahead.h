#pragma once
// Type-ahead in the history drop-down: the letters typed so far find the first text that
// begins with them, letter case ignored.

#include <QString>

class TMemTable;

class HistoryTypeAhead {
public:
    // A key's text.  A character from the space up extends the buffer tentatively: when a
    // row's TXT begins with the extended buffer, the set moves to the first such row and
    // the character stays; otherwise the buffer is emptied and the set stays where it was.
    // False when the set did not move there (also for control characters, which are left
    // to the grid).
    bool type(const QString &text, TMemTable &set);
    // The navigation keys start the search afresh.
    void clear() { m_buffer.clear(); }
    const QString &buffer() const { return m_buffer; }

private:
    QString m_buffer;
};
