#pragma once
// The record-set grid: a read-only table view over a TMemTableModel whose current row and
// the set's current row follow each other (clicking a row moves the set; locate, next or a
// refresh of the set moves the view and scrolls to the row).  A click on a column title
// sorts the set through the title-click handler, by default the data module's
// sort_by_title.  Rows have one fixed height and columns are sized from their title and a
// sample of the first rows, so opening and scrolling never visit every row.

#include "widgets/memtable_model.h"

#include <QTableView>
#include <functional>

class TDBGrid : public QTableView {
    Q_OBJECT

public:
    using TitleClick = std::function<void(const TField &column)>;

    explicit TDBGrid(QWidget *parent = nullptr);

    TMemTableModel &table_model() { return m_model; }
    const TMemTableModel &table_model() const { return m_model; }
    TMemTable *table() const { return m_model.table(); }

    // Shows the set (null shows nothing); see TMemTableModel::set_table for `columns`.
    void set_table(TMemTable *table, const QStringList &columns = {});
    TField *column_field(int column) const { return m_model.column_field(column); }

    // Replaces the title-click handler; an empty one turns sorting by title off.
    void set_title_click(TitleClick handler) { m_title_click = std::move(handler); }

    // Column widths from the titles and the first rows' texts.
    void fit_columns();
    // A detail grid that gets a new set of the same columns at every move of its master
    // keeps the widths it has (measured for the first set, or given by the user) instead of
    // measuring every set anew.
    void set_keep_column_widths(bool keep) { m_keep_widths = keep; }

signals:
    void record_double_clicked();
    void enter_pressed();
    // Printable text typed while the grid has the focus (the search strip takes it).
    void text_typed(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyboardSearch(const QString &search) override;

private:
    void follow_set();
    void follow_view(const QModelIndex &current);
    void title_clicked(int column);

    TMemTableModel m_model;
    TitleClick m_title_click;
    bool m_following = false;
    // The column the user was in, kept when a refresh of the set leaves no current cell.
    int m_column = 0;
    bool m_keep_widths = false;
    // Widths measured on rows, not on the titles alone, are worth keeping.
    bool m_fitted_on_rows = false;
};
