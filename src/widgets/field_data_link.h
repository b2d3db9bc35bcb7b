#pragma once
// What makes a control data-aware: it shows one field of a record set and writes the
// user's changes into it.  The link follows the set (moving, posting, cancelling,
// refreshing, inserting) and asks its control to show the field again; when the user
// changes the control, modify() puts a browsing set into edit and writes the field.
// Each write happens as the user changes the control, never later on leaving it, so a
// window reacting to the control's `edited` signal already reads the new value.
// A value that code writes into the field behind the control shows at once.

#include "data/memtable.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QWidget;

class TFieldDataLink : public QObject {
    Q_OBJECT

public:
    // `show` puts the field's value into the control; `set_editable` tells the control
    // whether the user may change it (read-only flag, a set with no row to edit).
    TFieldDataLink(QWidget *control, std::function<void()> show,
                   std::function<void(bool editable)> set_editable);

    void bind(TMemTable *table, const QString &field_name);
    TField *field() const { return m_field; }

    bool read_only() const { return m_read_only; }
    void set_read_only(bool read_only);

    // Runs `write` on the field, the set put into edit first when it browses.  False (and
    // nothing written) when the control is read-only or the set has no row to change.
    bool modify(const std::function<void(TField &field)> &write);

    // Shows the field's current value again.
    void refresh();

private:
    bool can_modify() const;
    void follow_row(int row);

    std::function<void()> m_show;
    std::function<void(bool)> m_set_editable;
    QPointer<TMemTable> m_table;
    TField *m_field = nullptr;
    bool m_read_only = false;
    bool m_writing = false;
};

// The binding every data-aware control carries beside its widget base.
class TDataAware {
public:
    virtual ~TDataAware() = default;
    TDataAware(const TDataAware &) = delete;
    TDataAware &operator=(const TDataAware &) = delete;

    virtual void bind(TMemTable *table, const QString &field_name);
    TField *field() const { return m_link.field(); }
    bool is_read_only() const { return m_link.read_only(); }
    void set_read_only(bool read_only) { m_link.set_read_only(read_only); }
    // Shows the field again after code wrote it behind the control's back.
    void refresh() { m_link.refresh(); }

protected:
    TDataAware(QWidget *control, std::function<void()> show,
               std::function<void(bool editable)> set_editable);

    TFieldDataLink m_link;
};

// The field shown by a data-aware control, null for any other widget.
TField *bound_field(const QWidget *control);
