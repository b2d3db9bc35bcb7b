#include "widgets/memtable_model.h"

#include "data/memtable.h"
#include "widgets/appearance.h"

#include <QBrush>
#include <QtDebug>

TMemTableModel::TMemTableModel(QObject *parent) : QAbstractTableModel(parent) {}

void TMemTableModel::set_table(TMemTable *table, const QStringList &columns)
{
    beginResetModel();
    for (QMetaObject::Connection &link : m_links)
        disconnect(link);
    m_table = table;
    if (table) {
        m_links[0] = connect(table, &TMemTable::layout_changed, this, &TMemTableModel::reset_rows);
        m_links[1] = connect(table, &TMemTable::row_changed, this, &TMemTableModel::refresh_row);
        // A freed set must not leave the view painting from it.
        m_links[2] = connect(table, &QObject::destroyed, this, [this] { set_table(nullptr); });
    }
    bind_columns(columns);
    m_rows = rowCount();
    endResetModel();
}

void TMemTableModel::bind_columns(const QStringList &names)
{
    m_fields.clear();
    if (m_table) {
        if (names.isEmpty()) {
            for (int i = 0; i < m_table->field_count(); ++i)
                if (m_table->field(i).visible)
                    m_fields.push_back(i);
        } else {
            for (const QString &name : names) {
                if (const TField *field = m_table->find_field(name))
                    m_fields.push_back(field->index());
                else
                    qWarning("TMemTableModel: set %s has no column %s",
                             qUtf8Printable(m_table->name), qUtf8Printable(name));
            }
        }
    }
    m_titles.assign(m_fields.size(), QString());
}

TField *TMemTableModel::column_field(int column) const
{
    if (!m_table || column < 0 || column >= columnCount())
        return nullptr;
    return &m_table->field(m_fields[column]);
}

void TMemTableModel::set_column_title(int column, const QString &title)
{
    if (column < 0 || column >= columnCount())
        return;
    m_titles[column] = title;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void TMemTableModel::set_row_text_color(RowTextColor hook)
{
    m_row_text_color = std::move(hook);
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                         {Qt::ForegroundRole});
}

int TMemTableModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !m_table || !m_table->active())
        return 0;
    return m_table->record_count();
}

int TMemTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_fields.size());
}

QVariant TMemTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const int row = index.row();
    const TField &field = m_table->field(m_fields[index.column()]);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return m_table->cell_display_text(row, field.index());
    case Qt::TextAlignmentRole:
        // As an int, the form every delegate reads.
        return static_cast<int>(field.alignment);
    case Qt::BackgroundRole: {
        const QColor color = grid_row_color(row + 1, false);
        return color.isValid() ? QVariant(QBrush(color)) : QVariant();
    }
    case Qt::ForegroundRole: {
        if (!m_row_text_color)
            return {};
        const QColor color = m_row_text_color(*m_table, row);
        return color.isValid() ? QVariant(QBrush(color)) : QVariant();
    }
    default:
        return {};
    }
}

QVariant TMemTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_titles[section].isNull() ? column_field(section)->display_label
                                          : m_titles[section];
    case Qt::TextAlignmentRole:
        return static_cast<int>(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

// A set read again, sorted or filtered has already changed when it says so.  With as many
// rows as before, the rows the view shows are only painted again: a reset would make the
// view lay out its header, scroll bars and selection anew for every document a book steps
// through, whose payments are read again each time.
void TMemTableModel::reset_rows()
{
    if (rowCount() == m_rows && m_rows > 0 && columnCount() > 0) {
        emit dataChanged(index(0, 0), index(m_rows - 1, columnCount() - 1));
        return;
    }
    beginResetModel();
    m_rows = rowCount();
    endResetModel();
}

void TMemTableModel::refresh_row(int row)
{
    if (row < 0 || row >= rowCount() || columnCount() == 0)
        return;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}
