#pragma once
// One record written through the data module: it owns the DmRecord and its table name,
// adds slot after slot (refusing a 65th as the programming error it is), and releases
// every value it holds on any way out, also an early return.

#include "platform/dm/dm.h"

#include <QByteArray>
#include <QDate>
#include <QString>

class TdbAPI;
class TField;
class TMemTable;

class RecordWriter {
public:
    // `id` is the row of an update or a delete; `set` (or none) is posted first, as
    // prepare_record does.
    RecordWriter(TdbAPI &api, const QString &table, int id = 0, TMemTable *set = nullptr);
    ~RecordWriter();
    RecordWriter(const RecordWriter &) = delete;
    RecordWriter &operator=(const RecordWriter &) = delete;

    // The slot "RECID" with a new id from the library (0 on a read-only database).
    RecordWriter &add_new_recid();
    RecordWriter &add(const QString &name, int value);
    RecordWriter &add(const QString &name, double value);
    RecordWriter &add(const QString &name, const QString &value);
    RecordWriter &add(const QString &name, const char *value)
    {
        return add(name, QString::fromUtf8(value));
    }
    // An invalid date is stored as no date.
    RecordWriter &add(const QString &name, const QDate &value);
    // The column's current value, as add_field_value takes it.
    RecordWriter &add(const TField &column);

    // The id add_new_recid drew, else the id of the constructor.
    int recid() const { return m_recid; }
    int slots_used() const { return m_record.used; }
    // put_record with the slots added; false without reaching the library when a slot was
    // refused.
    bool put(PutMode mode);

private:
    bool next_slot(const QString &name);

    TdbAPI &m_api;
    QByteArray m_table;
    DmRecord m_record;
    int m_recid = 0;
    bool m_overflow = false;
};
