#include "widgets/field_data_link.h"

#include "data/memtable.h"

#include <QWidget>
#include <QtDebug>

TFieldDataLink::TFieldDataLink(QWidget *control, std::function<void()> show,
                               std::function<void(bool editable)> set_editable)
    : QObject(control), m_show(std::move(show)), m_set_editable(std::move(set_editable))
{
}

void TFieldDataLink::bind(TMemTable *table, const QString &field_name)
{
    if (m_table)
        disconnect(m_table, nullptr, this, nullptr);
    m_table = table;
    m_field = table ? table->find_field(field_name) : nullptr;
    if (table && !m_field)
        qWarning("TFieldDataLink: set %s has no column %s", qUtf8Printable(table->name),
                 qUtf8Printable(field_name));
    if (m_field) {
        connect(table, &TMemTable::current_changed, this, &TFieldDataLink::refresh);
        connect(table, &TMemTable::state_changed, this, &TFieldDataLink::refresh);
        connect(table, &TMemTable::layout_changed, this, &TFieldDataLink::refresh);
        connect(table, &TMemTable::row_changed, this, &TFieldDataLink::follow_row);
        connect(table, &TMemTable::field_changed, this, [this](int column) {
            if (m_field && column == m_field->index())
                refresh();
        });
        connect(table, &QObject::destroyed, this, [this] {
            m_field = nullptr;
            refresh();
        });
    }
    refresh();
}

void TFieldDataLink::set_read_only(bool read_only)
{
    m_read_only = read_only;
    m_set_editable(can_modify());
}

bool TFieldDataLink::can_modify() const
{
    if (m_read_only || !m_field || !m_table)
        return false;
    switch (m_table->state()) {
    case TMemTable::State::Edit:
    case TMemTable::State::Insert:
        return true;
    case TMemTable::State::Browse:
        return m_table->current_index() >= 0;
    case TMemTable::State::Inactive:
        return false;
    }
    return false;
}

bool TFieldDataLink::modify(const std::function<void(TField &field)> &write)
{
    if (!can_modify())
        return false;
    // The set's own notices while it starts editing would show the old value over what
    // the user is typing.
    m_writing = true;
    if (m_table->state() == TMemTable::State::Browse)
        m_table->edit();
    write(*m_field);
    m_writing = false;
    return true;
}

void TFieldDataLink::refresh()
{
    if (m_writing)
        return;
    m_set_editable(can_modify());
    m_show();
}

void TFieldDataLink::follow_row(int row)
{
    if (m_table && row == m_table->current_index())
        refresh();
}

TDataAware::TDataAware(QWidget *control, std::function<void()> show,
                       std::function<void(bool editable)> set_editable)
    : m_link(control, std::move(show), std::move(set_editable))
{
}

void TDataAware::bind(TMemTable *table, const QString &field_name)
{
    m_link.bind(table, field_name);
}

TField *bound_field(const QWidget *control)
{
    const auto *aware = dynamic_cast<const TDataAware *>(control);
    return aware ? aware->field() : nullptr;
}
