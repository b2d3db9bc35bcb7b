#include "data/memtable.h"

#include "text/format_settings.h"
#include "data/memtable_filter.h"
#include "text/number_format.h"
#include "data/tdatetime.h"

#include <QCollator>
#include <QLocale>
#include <QtDebug>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>

namespace {

QString float_text(double value)
{
    // Up to 15 significant digits, the way a plain number is shown anywhere in the program.
    QString text = QString::number(value, 'g', 15);
    if (decimal_separator() != u'.')
        text.replace(u'.', decimal_separator());
    return text;
}

QString datetime_text(double days)
{
    const QDateTime moment = datetime_from_days(days);
    QString text = format_short_date(moment.date());
    if (moment.time() != QTime(0, 0))
        text += u' ' + moment.time().toString(QStringLiteral("H:mm:ss"));
    return text;
}

// The first `characters` characters: a letter outside the BMP is one character of two
// UTF-16 units, and the cut never falls between them.
QString first_characters(const QString &text, int characters)
{
    qsizetype units = 0;
    for (int taken = 0; taken < characters && units < text.size(); ++taken)
        units += text.at(units).isHighSurrogate() && units + 1 < text.size() ? 2 : 1;
    return units >= text.size() ? text : text.left(units);
}

double number_from_text(const QString &text, bool *ok)
{
    QString plain = text.trimmed();
    plain.replace(decimal_separator(), u'.');
    return plain.toDouble(ok);
}

TMemTable &detached_table()
{
    static TMemTable table;
    return table;
}

QStringList split_field_list(const QString &list)
{
    QStringList names;
    for (const QString &part : list.split(u';', Qt::SkipEmptyParts)) {
        const QString name = part.trimmed();
        if (!name.isEmpty())
            names << name;
    }
    return names;
}

// A number as an unsigned integer of the same order; both zeros compare equal.
uint64_t ordered_bits(double value)
{
    if (value == 0.0)
        value = 0.0;
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    constexpr uint64_t sign = uint64_t(1) << 63;
    return (bits & sign) ? ~bits : bits | sign;
}

} // namespace

TField::TField(TMemTable *table, int index, QString name, FieldType type, int size)
    : display_label(name), m_table(table), m_index(index), m_name(std::move(name)), m_type(type),
      m_size(size)
{
    if (type != FieldType::Text)
        alignment = Qt::AlignRight | Qt::AlignVCenter;
}

bool TField::is_null() const
{
    const TMemTable::Cell *cell = m_table->current_cell(m_index);
    return !cell || cell->null;
}

QString TField::as_string() const
{
    const TMemTable::Cell *cell = m_table->current_cell(m_index);
    if (!cell || cell->null)
        return {};
    switch (m_type) {
    case FieldType::Integer:
        return QString::number(cell->integer);
    case FieldType::Float:
        return float_text(cell->number);
    case FieldType::DateTime:
        return datetime_text(cell->number);
    case FieldType::Text:
        return cell->text;
    }
    return {};
}

int TField::as_integer() const
{
    const TMemTable::Cell *cell = m_table->current_cell(m_index);
    if (!cell || cell->null)
        return 0;
    switch (m_type) {
    case FieldType::Integer:
        return cell->integer;
    case FieldType::Float:
    case FieldType::DateTime:
        return static_cast<int>(std::llround(cell->number));
    case FieldType::Text:
        return cell->text.trimmed().toInt();
    }
    return 0;
}

double TField::as_float() const
{
    const TMemTable::Cell *cell = m_table->current_cell(m_index);
    if (!cell || cell->null)
        return 0.0;
    switch (m_type) {
    case FieldType::Integer:
        return cell->integer;
    case FieldType::Float:
    case FieldType::DateTime:
        return cell->number;
    case FieldType::Text: {
        bool ok = false;
        const double value = number_from_text(cell->text, &ok);
        return ok ? value : 0.0;
    }
    }
    return 0.0;
}

double TField::as_datetime() const
{
    if (m_type == FieldType::Text) {
        const QDate date = parse_short_date(as_string());
        return date.isValid() ? days_from_date(date) : 0.0;
    }
    return as_float();
}

QVariant TField::value() const
{
    const TMemTable::Cell *cell = m_table->current_cell(m_index);
    if (!cell || cell->null)
        return {};
    switch (m_type) {
    case FieldType::Integer:
        return cell->integer;
    case FieldType::Float:
        return cell->number;
    case FieldType::DateTime:
        return datetime_from_days(cell->number);
    case FieldType::Text:
        return cell->text;
    }
    return {};
}

void TField::clear()
{
    if (TMemTable::Cell *cell = m_table->writable_cell(m_index)) {
        *cell = {};
        m_table->notify_field(m_index);
    }
}

void TField::set_as_string(const QString &value)
{
    if (m_type == FieldType::Text)
        return set_text(m_size > 0 ? first_characters(value, m_size) : value);
    TMemTable::Cell *cell = m_table->writable_cell(m_index);
    if (!cell)
        return;
    if (value.trimmed().isEmpty()) {
        *cell = {};
        m_table->notify_field(m_index);
        return;
    }
    bool ok = false;
    double number = 0.0;
    if (m_type == FieldType::DateTime) {
        const QDate date = parse_short_date(value);
        ok = date.isValid();
        number = ok ? days_from_date(date) : 0.0;
    } else {
        number = number_from_text(value, &ok);
    }
    if (!ok) {
        qWarning("TMemTable: '%s' is no value of column %s", qUtf8Printable(value),
                 qUtf8Printable(m_name));
        return;
    }
    cell->null = false;
    if (m_type == FieldType::Integer)
        cell->integer = static_cast<int32_t>(std::llround(number));
    else
        cell->number = number;
    m_table->notify_field(m_index);
}

void TField::set_stored_string(const QString &value)
{
    if (m_type == FieldType::Text)
        return set_text(value);
    set_as_string(value);
}

void TField::set_text(const QString &value)
{
    TMemTable::Cell *cell = m_table->writable_cell(m_index);
    if (!cell)
        return;
    cell->text = value;
    cell->null = false;
    m_table->notify_field(m_index);
}

void TField::set_as_integer(int value)
{
    if (m_type == FieldType::Text)
        return set_as_string(QString::number(value));
    if (TMemTable::Cell *cell = m_table->writable_cell(m_index)) {
        cell->null = false;
        cell->integer = value;
        cell->number = value;
        m_table->notify_field(m_index);
    }
}

void TField::set_as_float(double value)
{
    if (m_type == FieldType::Text)
        return set_as_string(float_text(value));
    if (TMemTable::Cell *cell = m_table->writable_cell(m_index)) {
        cell->null = false;
        cell->number = value;
        cell->integer = static_cast<int32_t>(std::llround(value));
        m_table->notify_field(m_index);
    }
}

void TField::set_as_datetime(double days)
{
    if (m_type == FieldType::Text)
        return set_as_string(datetime_text(days));
    set_as_float(days);
}

void TField::set_value(const QVariant &value)
{
    if (value.isNull() || !value.isValid())
        return clear();
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        return set_as_datetime(days_from_datetime(value.toDateTime()));
    case QMetaType::QDate:
        return set_as_datetime(days_from_date(value.toDate()));
    case QMetaType::Int:
    case QMetaType::LongLong:
        return set_as_integer(value.toInt());
    case QMetaType::Double:
        return set_as_float(value.toDouble());
    default:
        return set_as_string(value.toString());
    }
}

QString TField::display_text() const
{
    const int row = m_table->m_current;
    if (text_hook && row >= 0 && !m_table->in_buffer())
        return text_hook(*m_table, row, *this);
    if (m_type == FieldType::Float && !display_format.isEmpty() && !is_null())
        return format_number(as_float(), display_format);
    return as_string();
}

TMemTable::TMemTable(QObject *parent) : QObject(parent) {}

TMemTable::~TMemTable() = default;

TField &TMemTable::add_field(const QString &name, FieldType type, int size)
{
    Q_ASSERT(!active());
    m_fields.push_back(std::unique_ptr<TField>(
        new TField(this, static_cast<int>(m_fields.size()), name, type, size)));
    m_columns.emplace_back(type);
    return *m_fields.back();
}

void TMemTable::open()
{
    m_state = State::Browse;
    rebuild_view(-1);
    notify_layout();
}

void TMemTable::close()
{
    m_state = State::Inactive;
    m_rows = 0;
    for (ColumnStore &column : m_columns)
        column = ColumnStore(column.type());
    m_order.clear();
    m_view.clear();
    m_current = -1;
    m_eof = true;
    notify_layout();
}

TField *TMemTable::find_field(const QString &name) const
{
    for (const auto &field : m_fields)
        if (field->name().compare(name, Qt::CaseInsensitive) == 0)
            return field.get();
    return nullptr;
}

TField &TMemTable::field_by_name(const QString &name) const
{
    if (TField *found = find_field(name))
        return *found;
    qWarning("TMemTable %s: no column %s", qUtf8Printable(this->name), qUtf8Printable(name));
    static TField *detached = nullptr;
    if (!detached)
        detached = new TField(&detached_table(), -1, QString(), FieldType::Text, 0);
    return *detached;
}

int TMemTable::row_number() const
{
    return m_current < 0 ? 0 : m_current + 1;
}

void TMemTable::set_current(int row)
{
    if (in_buffer())
        post();
    const int target = m_view.empty() ? -1 : std::clamp(row, 0, record_count() - 1);
    m_eof = m_view.empty();
    if (target == m_current)
        return;
    m_current = target;
    notify_current();
}

void TMemTable::first()
{
    set_current(0);
}

void TMemTable::last()
{
    set_current(record_count() - 1);
}

void TMemTable::next()
{
    if (m_current + 1 >= record_count()) {
        if (in_buffer())
            post();
        m_eof = true;
        return;
    }
    set_current(m_current + 1);
}

void TMemTable::prior()
{
    set_current(m_current - 1);
}

void TMemTable::set_row_number(int number)
{
    set_current(number - 1);
}

TMemTable::Cell TMemTable::stored_cell(int physical_row, int column) const
{
    Cell cell;
    const ColumnStore &store = m_columns[column];
    if (store.is_null(physical_row))
        return cell;
    cell.null = false;
    switch (store.type()) {
    case FieldType::Integer:
        cell.integer = store.integer(physical_row);
        cell.number = cell.integer;
        break;
    case FieldType::Float:
    case FieldType::DateTime:
        cell.number = store.number(physical_row);
        break;
    case FieldType::Text:
        cell.text = store.text(physical_row);
        break;
    }
    return cell;
}

const TMemTable::Cell *TMemTable::current_cell(int column) const
{
    if (column < 0)
        return nullptr;
    if (in_buffer())
        return &m_buffer[column];
    if (m_current < 0)
        return nullptr;
    // Reads outside an edit come through a one-cell cache so that TField can hand out a
    // pointer; the stores themselves hold no Cell objects.
    static thread_local Cell scratch;
    scratch = stored_cell(physical(m_current), column);
    return &scratch;
}

TMemTable::Cell *TMemTable::writable_cell(int column)
{
    if (column < 0)
        return nullptr;
    if (!in_buffer()) {
        qWarning("TMemTable %s: column %s written outside edit or insert",
                 qUtf8Printable(name), qUtf8Printable(m_fields[column]->name()));
        return nullptr;
    }
    return &m_buffer[column];
}

bool TMemTable::cell_is_null(int row, int column) const
{
    if (shows_buffer(row))
        return m_buffer[column].null;
    return m_columns[column].is_null(physical(row));
}

QString TMemTable::cell_text(int row, int column) const
{
    if (shows_buffer(row)) {
        const Cell &cell = m_buffer[column];
        if (cell.null)
            return {};
        switch (m_fields[column]->type()) {
        case FieldType::Integer:
            return QString::number(cell.integer);
        case FieldType::Float:
            return float_text(cell.number);
        case FieldType::DateTime:
            return datetime_text(cell.number);
        case FieldType::Text:
            return cell.text;
        }
    }
    const ColumnStore &store = m_columns[column];
    const int at = physical(row);
    if (store.is_null(at))
        return {};
    switch (store.type()) {
    case FieldType::Integer:
        return QString::number(store.integer(at));
    case FieldType::Float:
        return float_text(store.number(at));
    case FieldType::DateTime:
        return datetime_text(store.number(at));
    case FieldType::Text:
        return store.text(at);
    }
    return {};
}

QVariant TMemTable::cell_value(int row, int column) const
{
    if (cell_is_null(row, column))
        return {};
    const Cell cell = shows_buffer(row) ? m_buffer[column]
                                                         : stored_cell(physical(row), column);
    switch (m_fields[column]->type()) {
    case FieldType::Integer:
        return cell.integer;
    case FieldType::Float:
        return cell.number;
    case FieldType::DateTime:
        return datetime_from_days(cell.number);
    case FieldType::Text:
        return cell.text;
    }
    return {};
}

QString TMemTable::cell_display_text(int row, int column) const
{
    const TField &field = *m_fields[column];
    if (field.text_hook)
        return field.text_hook(*this, row, field);
    if (field.type() == FieldType::Float && !field.display_format.isEmpty() &&
        !cell_is_null(row, column))
        return format_number(cell_value(row, column).toDouble(), field.display_format);
    return cell_text(row, column);
}

void TMemTable::start_insert(int position)
{
    if (!active())
        return;
    if (in_buffer())
        post();
    m_buffer.assign(m_fields.size(), Cell{});
    m_insert_position = position;
    m_state = State::Insert;
    fill_detail_fields();
    if (after_insert)
        after_insert(*this);
    emit state_changed();
}

void TMemTable::append()
{
    start_insert(record_count());
}

void TMemTable::insert()
{
    start_insert(m_current < 0 ? 0 : m_current);
}

void TMemTable::edit()
{
    if (m_state != State::Browse || m_current < 0)
        return;
    m_buffer.clear();
    m_buffer.reserve(m_fields.size());
    for (int c = 0; c < field_count(); ++c)
        m_buffer.push_back(stored_cell(physical(m_current), c));
    m_state = State::Edit;
    emit state_changed();
}

void TMemTable::post()
{
    if (!in_buffer())
        return;
    int at = 0;
    if (m_state == State::Insert) {
        at = m_rows++;
        for (ColumnStore &column : m_columns)
            column.append_null();
    } else {
        at = physical(m_current);
    }
    for (int c = 0; c < field_count(); ++c) {
        const Cell &cell = m_buffer[c];
        ColumnStore &store = m_columns[c];
        if (cell.null) {
            store.set_null(at);
            continue;
        }
        switch (store.type()) {
        case FieldType::Integer:
            store.set_integer(at, cell.integer);
            break;
        case FieldType::Float:
        case FieldType::DateTime:
            store.set_number(at, cell.number);
            break;
        case FieldType::Text:
            store.set_text(at, cell.text.toUtf8().toStdString());
            break;
        }
    }
    const bool inserted = m_state == State::Insert;
    m_state = State::Browse;
    m_buffer.clear();
    if (inserted) {
        // The new row stands where it was inserted, also in a sorted or filtered set,
        // until the order is rebuilt.
        const int position = std::clamp(m_insert_position, 0, record_count());
        if (!m_order.empty()) {
            auto sorted_at = position < record_count()
                                 ? std::find(m_order.begin(), m_order.end(), m_view[position])
                                 : m_order.end();
            m_order.insert(sorted_at, at);
        }
        m_view.insert(m_view.begin() + position, at);
        m_current = position;
        m_eof = false;
        emit state_changed();
        notify_layout();
        notify_current();
    } else {
        emit state_changed();
        if (!controls_disabled())
            emit row_changed(m_current);
        notify_current();
    }
}

void TMemTable::cancel()
{
    if (!in_buffer())
        return;
    m_state = State::Browse;
    m_buffer.clear();
    emit state_changed();
    if (!controls_disabled() && m_current >= 0)
        emit row_changed(m_current);
}

void TMemTable::remove()
{
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    if (m_state == State::Edit)
        cancel();
    if (m_current < 0)
        return;
    const int gone = physical(m_current);
    for (ColumnStore &column : m_columns)
        column.erase(gone);
    --m_rows;
    auto drop = [gone](std::vector<int> &rows) {
        rows.erase(std::remove(rows.begin(), rows.end(), gone), rows.end());
        for (int &row : rows)
            if (row > gone)
                --row;
    };
    drop(m_order);
    drop(m_view);
    if (m_current >= record_count())
        m_current = record_count() - 1;
    m_eof = m_view.empty();
    notify_layout();
    notify_current();
}

bool TMemTable::locate(const QString &field_name, const QVariant &value, int options)
{
    const TField *field = find_field(field_name);
    if (!field || !active())
        return false;
    if (in_buffer())
        post();
    const int column = field->index();
    const ColumnStore &store = m_columns[column];
    const bool ignore_case = options & loCaseInsensitive;
    const bool prefix = options & loPartialKey;
    const QString wanted = value.toString();
    double wanted_number = 0.0;
    if (value.typeId() == QMetaType::QDateTime)
        wanted_number = days_from_datetime(value.toDateTime());
    else if (value.typeId() == QMetaType::QDate)
        wanted_number = days_from_date(value.toDate());
    else if (store.type() != FieldType::Text) {
        bool ok = false;
        wanted_number = number_from_text(wanted, &ok);
        if (!ok)
            return false;
    }
    for (int row = 0; row < record_count(); ++row) {
        const int at = physical(row);
        if (store.is_null(at)) {
            if (value.isNull() || wanted.isEmpty()) {
                set_current(row);
                return true;
            }
            continue;
        }
        bool found = false;
        switch (store.type()) {
        case FieldType::Integer:
            found = store.integer(at) == wanted_number;
            break;
        case FieldType::Float:
        case FieldType::DateTime:
            found = store.number(at) == wanted_number;
            break;
        case FieldType::Text: {
            const QString text = store.text(at);
            const Qt::CaseSensitivity cs = ignore_case ? Qt::CaseInsensitive : Qt::CaseSensitive;
            found = prefix ? text.startsWith(wanted, cs) : text.compare(wanted, cs) == 0;
            break;
        }
        }
        if (found) {
            set_current(row);
            return true;
        }
    }
    return false;
}

bool TMemTable::set_filter_text(const QString &text)
{
    std::unique_ptr<RowFilter> parsed;
    if (!text.trimmed().isEmpty()) {
        parsed = RowFilter::parse(text, [this](const QString &column_name) {
            std::optional<RowFilter::Column> column;
            if (const TField *field = find_field(column_name))
                column = RowFilter::Column{field->index(), field->type()};
            return column;
        });
        if (!parsed) {
            qWarning("TMemTable %s: filter not understood: %s", qUtf8Printable(name),
                     qUtf8Printable(text));
            return false;
        }
    }
    m_filter_text = text;
    m_filter = std::move(parsed);
    if (m_filtered && active()) {
        rebuild_view(-1);
        notify_layout();
        notify_current();
    }
    return true;
}

void TMemTable::set_filtered(bool on)
{
    if (on == m_filtered)
        return;
    m_filtered = on;
    if (!active())
        return;
    const int keep = m_current >= 0 ? physical(m_current) : -1;
    rebuild_view(keep);
    notify_layout();
    notify_current();
}

bool TMemTable::row_matches(int physical_row) const
{
    if (m_filtered && m_filter && !m_filter->matches(m_columns, physical_row))
        return false;
    return master_matches(physical_row);
}

int TMemTable::compare_cells(int column, int a, int b) const
{
    const ColumnStore &store = m_columns[column];
    const bool null_a = store.is_null(a);
    const bool null_b = store.is_null(b);
    if (null_a || null_b)
        return null_a == null_b ? 0 : (null_a ? -1 : 1);
    switch (store.type()) {
    case FieldType::Integer:
        return store.integer(a) < store.integer(b) ? -1 : store.integer(a) > store.integer(b);
    case FieldType::Float:
    case FieldType::DateTime:
        return store.number(a) < store.number(b) ? -1 : store.number(a) > store.number(b);
    case FieldType::Text:
        break;
    }
    return 0;
}

void TMemTable::sort_on(const QString &field_list, bool descending)
{
    if (!active())
        return;
    if (in_buffer())
        post();
    std::vector<int> columns;
    for (const QString &name : split_field_list(field_list))
        if (const TField *field = find_field(name))
            columns.push_back(field->index());
    const int keep = m_current >= 0 ? physical(m_current) : -1;
    const bool numeric =
        columns.size() <= 2 && std::none_of(columns.begin(), columns.end(), [this](int c) {
            return m_columns[c].type() == FieldType::Text;
        });
    if (numeric)
        sort_by_numbers(columns, descending);
    else
        sort_by_cells(columns, descending);
    rebuild_view(keep);
    notify_layout();
    notify_current();
}

void TMemTable::sort_by_numbers(const std::vector<int> &columns, bool descending)
{
    // The keys go into the entries themselves, so that the sort compares plain integers in
    // memory it walks in order; the row breaks ties, as a stable sort would.
    struct Entry {
        uint64_t first;
        uint64_t second;
        int row;
    };
    const auto key = [this, descending](int column, int row) {
        const ColumnStore &store = m_columns[column];
        uint64_t bits = 0; // a null comes before every value
        if (!store.is_null(row))
            bits = ordered_bits(store.type() == FieldType::Integer ? store.integer(row)
                                                                   : store.number(row));
        return descending ? ~bits : bits;
    };
    // In the order the set has: a sort of a sorted or reversed set, the common case, then
    // meets its best case instead of patterns that lead its pivots astray.
    std::vector<Entry> entries(static_cast<size_t>(m_rows));
    for (int i = 0; i < m_rows; ++i) {
        const int row = m_order.empty() ? i : m_order[static_cast<size_t>(i)];
        Entry &entry = entries[static_cast<size_t>(i)];
        entry.first = columns.empty() ? 0 : key(columns[0], row);
        entry.second = columns.size() < 2 ? 0 : key(columns[1], row);
        entry.row = row;
    }
    std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        if (a.first != b.first)
            return a.first < b.first;
        if (a.second != b.second)
            return a.second < b.second;
        return a.row < b.row;
    });
    m_order.resize(static_cast<size_t>(m_rows));
    for (size_t i = 0; i < entries.size(); ++i)
        m_order[i] = entries[i].row;
}

void TMemTable::sort_by_cells(const std::vector<int> &columns, bool descending)
{
    m_order.resize(m_rows);
    std::iota(m_order.begin(), m_order.end(), 0);

    // Text keys are collated once per row, not once per comparison.
    QCollator collator{QLocale(QLocale::Czech, QLocale::CzechRepublic)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);
    std::vector<std::vector<QCollatorSortKey>> text_keys(columns.size());
    for (size_t k = 0; k < columns.size(); ++k) {
        const ColumnStore &store = m_columns[columns[k]];
        if (store.type() != FieldType::Text)
            continue;
        text_keys[k].reserve(m_rows);
        for (int row = 0; row < m_rows; ++row)
            text_keys[k].push_back(collator.sortKey(store.text(row)));
    }
    std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) {
        for (size_t k = 0; k < columns.size(); ++k) {
            int order = 0;
            if (m_columns[columns[k]].type() == FieldType::Text) {
                const ColumnStore &store = m_columns[columns[k]];
                const bool null_a = store.is_null(a);
                const bool null_b = store.is_null(b);
                if (null_a || null_b)
                    order = null_a == null_b ? 0 : (null_a ? -1 : 1);
                else
                    order = text_keys[k][a].compare(text_keys[k][b]);
            } else {
                order = compare_cells(columns[k], a, b);
            }
            if (order != 0)
                return descending ? order > 0 : order < 0;
        }
        return false;
    });
}

void TMemTable::set_master(TMemTable *master, const QString &detail_fields,
                           const QString &master_fields)
{
    for (QMetaObject::Connection &link : m_master_link)
        disconnect(link);
    m_master = master;
    m_detail_columns.clear();
    m_master_columns.clear();
    if (master) {
        const QStringList details = split_field_list(detail_fields);
        const QStringList masters = split_field_list(master_fields);
        for (qsizetype i = 0; i < std::min(details.size(), masters.size()); ++i) {
            const TField *detail = find_field(details[i]);
            const TField *source = master->find_field(masters[i]);
            if (detail && source) {
                m_detail_columns.push_back(detail->index());
                m_master_columns.push_back(source->index());
            }
        }
        auto follow = [this] {
            if (in_buffer())
                cancel();
            rebuild_view(-1);
            notify_layout();
            notify_current();
        };
        m_master_link[0] = connect(master, &TMemTable::current_changed, this, follow);
        m_master_link[1] = connect(master, &TMemTable::layout_changed, this, follow);
        m_master_link[2] = connect(master, &QObject::destroyed, this,
                                   [this] { set_master(nullptr, {}, {}); });
    }
    if (active()) {
        rebuild_view(-1);
        notify_layout();
        notify_current();
    }
}

bool TMemTable::master_matches(int physical_row) const
{
    if (!m_master)
        return true;
    if (m_master->m_current < 0 && !m_master->in_buffer())
        return false;
    for (size_t i = 0; i < m_detail_columns.size(); ++i) {
        const TField &source = m_master->field(m_master_columns[i]);
        const ColumnStore &store = m_columns[m_detail_columns[i]];
        if (store.is_null(physical_row) || source.is_null())
            return false;
        switch (store.type()) {
        case FieldType::Integer:
            if (store.integer(physical_row) != source.as_integer())
                return false;
            break;
        case FieldType::Float:
        case FieldType::DateTime:
            if (store.number(physical_row) != source.as_float())
                return false;
            break;
        case FieldType::Text:
            if (store.text(physical_row) != source.as_string())
                return false;
            break;
        }
    }
    return true;
}

void TMemTable::fill_detail_fields()
{
    if (!m_master)
        return;
    for (size_t i = 0; i < m_detail_columns.size(); ++i)
        m_fields[m_detail_columns[i]]->set_value(m_master->field(m_master_columns[i]).value());
}

void TMemTable::rebuild_view(int keep_physical)
{
    m_view.clear();
    const bool natural = m_order.empty();
    m_view.reserve(m_rows);
    for (int i = 0; i < m_rows; ++i) {
        const int row = natural ? i : m_order[i];
        if (row_matches(row))
            m_view.push_back(row);
    }
    m_current = m_view.empty() ? -1 : 0;
    if (keep_physical >= 0) {
        const auto found = std::find(m_view.begin(), m_view.end(), keep_physical);
        if (found != m_view.end())
            m_current = static_cast<int>(found - m_view.begin());
    }
    m_eof = m_view.empty();
}

void TMemTable::disable_controls()
{
    ++m_disabled;
}

void TMemTable::enable_controls()
{
    if (m_disabled == 0 || --m_disabled > 0)
        return;
    emit layout_changed();
    emit current_changed();
}

void TMemTable::notify_layout()
{
    if (!controls_disabled() && !m_loading)
        emit layout_changed();
}

void TMemTable::notify_field(int column)
{
    if (!controls_disabled() && !m_loading)
        emit field_changed(column);
}

void TMemTable::notify_current()
{
    if (!controls_disabled() && !m_loading)
        emit current_changed();
}

void TMemTable::begin_load()
{
    m_loading = true;
}

void TMemTable::begin_reload()
{
    begin_load();
    m_rows = 0;
    for (ColumnStore &column : m_columns)
        column = ColumnStore(column.type());
    m_order.clear();
    m_view.clear();
    m_current = -1;
    m_eof = true;
}

void TMemTable::end_load()
{
    m_loading = false;
    rebuild_view(-1);
    notify_layout();
    notify_current();
}

size_t TMemTable::memory_bytes() const
{
    size_t bytes = (m_order.capacity() + m_view.capacity()) * sizeof(int);
    for (const ColumnStore &column : m_columns)
        bytes += column.memory_bytes();
    return bytes;
}
