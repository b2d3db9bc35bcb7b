#pragma once
// A table model over one record set: one column per visible field in field order (or an
// explicit list of fields), titles from the display labels, cell texts through the set's
// display text (text hooks such as "ano"/"ne", display formats), the field's alignment,
// alternating row colours and an optional row text colour.  Nothing is cached per row:
// a view asks only for the rows it paints, so a set of hundreds of thousands of rows shows
// at once.

#include "data/memtable.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <vector>

class TMemTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // Text colour of a row given by its position in the set's order; an invalid colour
    // keeps the view's own.
    using RowTextColor = std::function<QColor(const TMemTable &set, int row)>;

    explicit TMemTableModel(QObject *parent = nullptr);

    TMemTable *table() const { return m_table; }
    // Shows the set (null shows nothing) with columns bound to the named fields in this
    // order (unknown names are left out); no names give the set's visible fields.
    void set_table(TMemTable *table, const QStringList &columns = {});
    TField *column_field(int column) const;

    void set_column_title(int column, const QString &title);
    void set_row_text_color(RowTextColor hook);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void bind_columns(const QStringList &names);
    void reset_rows();
    void refresh_row(int row);

    QPointer<TMemTable> m_table;
    std::vector<int> m_fields;
    std::vector<QString> m_titles;
    RowTextColor m_row_text_color;
    int m_rows = 0; // as the view last learnt them
    QMetaObject::Connection m_links[3];
};
