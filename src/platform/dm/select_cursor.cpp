#include "platform/dm/select_cursor.h"
#include "platform/dm/dm_error.h"
#include "platform/dm/record_slots.h"
#include "platform/dm/stored_date.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string_view>

namespace dm {
namespace {

// Text columns without a declared width get a size that no stored text reaches, so the
// program never cuts one.
constexpr int32_t kTextCapacity = 65536;

struct DeclaredType {
    DmFieldType type = dmNone;
    int32_t size = 0;
    bool known = false;
};

int32_t text_capacity(const std::string &declared)
{
    const size_t open = declared.find('(');
    if (open == std::string::npos)
        return kTextCapacity;
    const long width = std::strtol(declared.c_str() + open + 1, nullptr, 10);
    if (width <= 0 || width >= kTextCapacity)
        return kTextCapacity;
    return static_cast<int32_t>(width) + 1;
}

DeclaredType declared_type(const char *declared)
{
    if (!declared || !*declared)
        return {};
    std::string text(declared);
    for (char &c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const auto has = [&text](const char *part) { return text.find(part) != std::string::npos; };

    if (text.starts_with("DATE") || text.starts_with("TIMESTAMP"))
        return {dmDateTime, sizeof(double), true};
    if (has("INT"))
        return {dmInt, sizeof(int32_t), true};
    if (has("CHAR") || has("CLOB") || has("TEXT"))
        return {dmText, text_capacity(text), true};
    if (has("REAL") || has("FLOA") || has("DOUB") || has("NUMERIC") || has("DECIMAL"))
        return {dmFloat, sizeof(double), true};
    if (has("BLOB"))
        return {dmNone, 0, true};
    return {};
}

bool fits_int32(sqlite3_int64 value)
{
    return value >= std::numeric_limits<int32_t>::min() &&
           value <= std::numeric_limits<int32_t>::max();
}

std::string_view value_text(sqlite3_value *value)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(value));
    return text ? std::string_view(text, static_cast<size_t>(sqlite3_value_bytes(value)))
                : std::string_view();
}

template <typename Number> std::optional<Number> parse_number(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

} // namespace

SelectCursor::SelectCursor(sqlite3 *db, StatementPtr statement)
    : m_db(db), m_statement(std::move(statement))
{
}

std::unique_ptr<SelectCursor> SelectCursor::open(sqlite3 *db, const char *sql)
{
    StatementPtr statement = prepare_single(db, sql);
    if (!statement)
        return nullptr;

    const int count = sqlite3_column_count(statement.get());
    if (count == 0) {
        set_error("Příkaz nevrací žádné sloupce, není to dotaz SELECT.");
        return nullptr;
    }
    if (count > DM_MAX_FIELDS) {
        set_error("Dotaz vrací " + std::to_string(count) + " sloupců, záznam jich pojme nejvýše " +
                  std::to_string(DM_MAX_FIELDS) + ".");
        return nullptr;
    }

    std::unique_ptr<SelectCursor> cursor(new SelectCursor(db, std::move(statement)));
    sqlite3_stmt *prepared = cursor->m_statement.get();
    cursor->m_columns.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        Column &column = cursor->m_columns[static_cast<size_t>(i)];
        const char *name = sqlite3_column_name(prepared, i);
        column.name = name ? name : "";
        const DeclaredType declared = declared_type(sqlite3_column_decltype(prepared, i));
        column.type = declared.type;
        column.size = declared.size;
        column.typed_by_value = !declared.known;
    }
    return cursor;
}

void SelectCursor::settle_types_from_first_row(bool has_row)
{
    for (size_t i = 0; i < m_columns.size(); ++i) {
        Column &column = m_columns[i];
        if (!column.typed_by_value)
            continue;
        const int storage =
            has_row ? sqlite3_column_type(m_statement.get(), static_cast<int>(i)) : SQLITE_NULL;
        if (storage == SQLITE_INTEGER &&
            fits_int32(sqlite3_column_int64(m_statement.get(), static_cast<int>(i)))) {
            column.type = dmInt;
            column.size = sizeof(int32_t);
        } else if (storage == SQLITE_INTEGER || storage == SQLITE_FLOAT) {
            column.type = dmFloat;
            column.size = sizeof(double);
        } else {
            column.type = dmText;
            column.size = kTextCapacity;
        }
    }
}

int SelectCursor::text_width(int slot) const
{
    if (slot < 0 || slot >= static_cast<int>(m_columns.size()))
        return 0;
    const Column &column = m_columns[static_cast<size_t>(slot)];
    return column.type == dmText ? column.size - 1 : 0;
}

SelectCursor::Step SelectCursor::advance()
{
    m_on_row = false;
    if (m_finished)
        return Step::End;
    const int rc = sqlite3_step(m_statement.get());
    if (!m_started) {
        m_started = true;
        settle_types_from_first_row(rc == SQLITE_ROW);
    }
    if (rc == SQLITE_ROW) {
        m_on_row = true;
        return Step::Row;
    }
    m_finished = true;
    if (rc != SQLITE_DONE) {
        set_sqlite_error(m_db);
        return Step::Failed;
    }
    return Step::End;
}

SelectCursor::Step SelectCursor::step(DmRecord *record)
{
    m_record = record;
    free_owned_slots(record);
    record->used = static_cast<int32_t>(m_columns.size());
    record->eof = 1;
    switch (advance()) {
    case Step::Row:
        if (place_row(record)) {
            record->eof = 0;
            return Step::Row;
        }
        free_owned_slots(record);
        m_finished = true;
        m_on_row = false;
        return Step::Failed;
    case Step::Failed:
        return Step::Failed;
    case Step::End:
        break;
    }
    return place_described(record);
}

SelectCursor::Step SelectCursor::drain(DmRowReceiver receiver, void *context)
{
    std::array<DmValue, DM_MAX_FIELDS> values{};
    const int count = static_cast<int>(m_columns.size());
    Step moved = m_on_row ? Step::Row : advance();
    while (moved == Step::Row) {
        for (int slot = 0; slot < count; ++slot) {
            if (!read_value(slot, values[static_cast<size_t>(slot)])) {
                m_finished = true;
                m_on_row = false;
                return Step::Failed;
            }
        }
        receiver(context, values.data(), count);
        moved = advance();
    }
    return moved;
}

SelectCursor::Step SelectCursor::place_described(DmRecord *record)
{
    RecordStorage &storage = storage_of(record);
    for (size_t i = 0; i < m_columns.size(); ++i) {
        const Column &column = m_columns[i];
        storage.place_null(record, static_cast<int>(i), column.type, column.name, column.size);
    }
    return Step::End;
}

bool SelectCursor::place_row(DmRecord *record)
{
    RecordStorage &storage = storage_of(record);
    DmValue value{};
    for (size_t i = 0; i < m_columns.size(); ++i) {
        const int slot = static_cast<int>(i);
        if (!read_value(slot, value))
            return false;
        const Column &column = m_columns[i];
        switch (value.type) {
        case dmInt:
            storage.place_int(record, slot, column.name, value.integer);
            break;
        case dmFloat:
        case dmDateTime:
            storage.place_double(record, slot, column.type, column.name, value.real);
            break;
        case dmText:
            storage.place_text(record, slot, column.name, column.size,
                               std::string_view(value.text, static_cast<size_t>(value.bytes)));
            break;
        default:
            storage.place_null(record, slot, column.type, column.name, column.size);
            break;
        }
    }
    return true;
}

bool SelectCursor::read_value(int slot, DmValue &value) const
{
    // One call into the statement per value; the value accessors then read it directly.
    sqlite3_value *cell = sqlite3_column_value(m_statement.get(), slot);
    const Column &column = m_columns[static_cast<size_t>(slot)];
    value.type = dmNone;
    const int storage_class = sqlite3_value_type(cell);
    if (storage_class == SQLITE_NULL)
        return true;
    switch (column.type) {
    case dmInt: {
        std::optional<sqlite3_int64> number;
        if (storage_class == SQLITE_INTEGER) {
            number = sqlite3_value_int64(cell);
        } else if (storage_class == SQLITE_FLOAT) {
            const double real = sqlite3_value_double(cell);
            if (real == std::trunc(real) && std::fabs(real) < 4e9)
                number = static_cast<sqlite3_int64>(real);
            else
                number = std::numeric_limits<sqlite3_int64>::max();
        } else {
            number = parse_number<sqlite3_int64>(value_text(cell));
        }
        if (number && !fits_int32(*number)) {
            // Cutting the value would hand the program a wrong number without a word.
            set_error("Sloupec " + column.name + ": hodnota " + std::string(value_text(cell)) +
                      " není celé číslo v rozsahu 32 bitů.");
            return false;
        }
        if (number) {
            value.type = dmInt;
            value.integer = static_cast<int32_t>(*number);
        }
        return true;
    }
    case dmFloat: {
        std::optional<double> number;
        if (storage_class == SQLITE_INTEGER || storage_class == SQLITE_FLOAT)
            number = sqlite3_value_double(cell);
        else
            number = parse_number<double>(value_text(cell));
        if (number) {
            value.type = dmFloat;
            value.real = *number;
        }
        return true;
    }
    case dmDateTime: {
        const std::optional<double> days =
            storage_class == SQLITE_TEXT ? parse_stored_date(value_text(cell)) : std::nullopt;
        if (days) {
            value.type = dmDateTime;
            value.real = *days;
        }
        return true;
    }
    case dmText: {
        const std::string_view text = value_text(cell);
        value.type = dmText;
        value.text = text.data() ? text.data() : "";
        value.bytes = static_cast<int32_t>(text.size());
        return true;
    }
    case dmNone:
        break;
    }
    return true;
}

} // namespace dm
