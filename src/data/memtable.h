#pragma once
// The record set: the in-memory table that every SQL select becomes.  Columns are typed
// (integer, float, text of a maximum length, date-time), rows ordered, one row current;
// the set browses, edits the current row or inserts a new one.  Views (grids, data-aware
// edits) listen to its signals.

#include "data/column_store.h"

#include <QObject>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

class TMemTable;
class RowFilter;

class TField {
public:
    // Supplies the text a grid or edit shows for the cell of `row` (a position in the
    // set's order) instead of the cell's own text.
    using TextHook = std::function<QString(const TMemTable &set, int row, const TField &field)>;

    const QString &name() const { return m_name; }
    FieldType type() const { return m_type; }
    int size() const { return m_size; }
    int index() const { return m_index; }
    TMemTable &table() const { return *m_table; }

    QString display_label;
    bool visible = true;
    QString display_format;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    TextHook text_hook;

    // Values of the current row (the edit buffer while editing or inserting).
    bool is_null() const;
    QString as_string() const;
    int as_integer() const;
    double as_float() const;
    double as_datetime() const;
    QVariant value() const;

    void clear();
    // A text longer than the column's width is cut to its width in characters.
    void set_as_string(const QString &value);
    // A value as the database holds it: a text is kept whole, also when it is longer than
    // the column's declared width (written by an import or another program), so that saving
    // the row for another reason never shortens it.
    void set_stored_string(const QString &value);
    void set_as_integer(int value);
    void set_as_float(double value);
    void set_as_datetime(double days);
    void set_value(const QVariant &value);

    // What a grid shows for the current row: the hook's text, else the value formatted.
    QString display_text() const;

private:
    friend class TMemTable;
    TField(TMemTable *table, int index, QString name, FieldType type, int size);
    void set_text(const QString &value);

    TMemTable *m_table;
    int m_index;
    QString m_name;
    FieldType m_type;
    int m_size;
};

class TMemTable : public QObject {
    Q_OBJECT

public:
    enum class State { Inactive, Browse, Edit, Insert };
    enum LocateOption { loExact = 0, loCaseInsensitive = 1, loPartialKey = 2 };

    explicit TMemTable(QObject *parent = nullptr);
    ~TMemTable() override;

    // Definition: columns are added before open().
    TField &add_field(const QString &name, FieldType type, int size = 0);
    void open();
    void close();
    bool active() const { return m_state != State::Inactive; }
    State state() const { return m_state; }

    int field_count() const { return static_cast<int>(m_fields.size()); }
    TField &field(int index) const { return *m_fields[index]; }
    // An unknown name is a programmer's error: it is logged and a detached null field
    // is returned, which reads empty and ignores writes.
    TField &field_by_name(const QString &name) const;
    TField *find_field(const QString &name) const;

    // Navigation over the set's order (sort, filter and master-detail applied).
    void first();
    void next();
    void prior();
    void last();
    bool eof() const { return m_eof; }
    bool is_empty() const { return m_view.empty() && m_state != State::Insert; }
    int record_count() const { return static_cast<int>(m_view.size()); }
    int row_number() const; // 1-based, 0 when there is no current row
    void set_row_number(int number);
    int current_index() const { return m_current; } // 0-based position, -1 for none

    // Editing.  append() adds a row at the end, insert() before the current row; both
    // run the after-insert hook.  post() stores the buffer, cancel() drops it.
    void append();
    void insert();
    void edit();
    void post();
    void cancel();
    void remove();

    bool locate(const QString &field_name, const QVariant &value, int options = loExact);

    // Filters compare a column with a quoted value (=, <>, <, >, <=, >=), joined with
    // and/or and grouped in parentheses.  Text that does not parse is refused (false)
    // and the previous filter stays.
    bool set_filter_text(const QString &text);
    QString filter_text() const { return m_filter_text; }
    void set_filtered(bool on);
    bool filtered() const { return m_filtered; }

    // Sorts by semicolon-separated columns, letter case ignored, all keys one way.
    void sort_on(const QString &field_list, bool descending);

    // Shows only the rows whose detail fields equal the master fields of the master's
    // current row, following the master as it moves.  Null master clears the link.
    void set_master(TMemTable *master, const QString &detail_fields,
                    const QString &master_fields);
    TMemTable *master() const { return m_master; }

    void disable_controls();
    void enable_controls();
    bool controls_disabled() const { return m_disabled > 0; }

    // Cells by position in the set's order, for views that show many rows at once.
    bool cell_is_null(int row, int column) const;
    QString cell_text(int row, int column) const;
    QVariant cell_value(int row, int column) const;
    QString cell_display_text(int row, int column) const;

    // Bulk loading of a freshly opened set (a select): every column gets one load_* call
    // per row, in column order, then load_row_done(); no signals until end_load().
    void begin_load();
    // The same for a browsing set whose rows a new select replaces: its rows and their sort
    // go, its columns and its filter stay.
    void begin_reload();
    void load_null(int column) { m_columns[column].append_null(); }
    void load_integer(int column, int32_t value) { m_columns[column].append_integer(value); }
    void load_number(int column, double value) { m_columns[column].append_number(value); }
    void load_text(int column, std::string_view utf8) { m_columns[column].append_text(utf8); }
    void load_row_done() { ++m_rows; }
    void end_load();

    size_t memory_bytes() const;

    QString name;
    int tag = 0;
    std::function<void(TMemTable &)> after_insert;

signals:
    void current_changed();
    void row_changed(int row);
    // A value of the current row's buffer was written (while editing or inserting).
    void field_changed(int column);
    void state_changed();
    void layout_changed();

private:
    friend class TField;

    struct Cell {
        bool null = true;
        int32_t integer = 0;
        double number = 0.0;
        QString text;
    };

    bool in_buffer() const { return m_state == State::Edit || m_state == State::Insert; }
    // A row edited shows its changes while they are made; a row being inserted has no place
    // among the rows until it is posted, so no row shows it.
    bool shows_buffer(int row) const { return m_state == State::Edit && row == m_current; }
    int physical(int row) const { return m_view[row]; }
    Cell stored_cell(int physical_row, int column) const;
    const Cell *current_cell(int column) const;
    Cell *writable_cell(int column);
    void start_insert(int position);
    void set_current(int row);
    void rebuild_view(int keep_physical);
    bool row_matches(int physical_row) const;
    bool master_matches(int physical_row) const;
    void fill_detail_fields();
    void notify_layout();
    void notify_current();
    void notify_field(int column);
    int compare_cells(int column, int a, int b) const;
    // Fill m_order: by up to two number or date columns, or by any columns.
    void sort_by_numbers(const std::vector<int> &columns, bool descending);
    void sort_by_cells(const std::vector<int> &columns, bool descending);

    std::vector<std::unique_ptr<TField>> m_fields;
    std::vector<ColumnStore> m_columns;
    int m_rows = 0;

    std::vector<int> m_order; // physical rows in sort order; empty: natural order
    std::vector<int> m_view;  // physical rows shown, in order
    int m_current = -1;
    bool m_eof = true;

    State m_state = State::Inactive;
    std::vector<Cell> m_buffer;
    int m_insert_position = -1;

    QString m_filter_text;
    std::unique_ptr<RowFilter> m_filter;
    bool m_filtered = false;

    TMemTable *m_master = nullptr;
    std::vector<int> m_detail_columns;
    std::vector<int> m_master_columns;
    QMetaObject::Connection m_master_link[3];

    int m_disabled = 0;
    bool m_loading = false;
};
