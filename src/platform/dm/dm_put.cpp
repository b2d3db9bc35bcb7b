#include "platform/dm/dm.h"
#include "platform/dm/dm_error.h"
#include "platform/dm/dm_session.h"
#include "platform/dm/sql_identifier.h"
#include "platform/dm/stored_date.h"

#include <QByteArray>

#include <cstring>
#include <optional>
#include <vector>

namespace {

bool is_recid(const char *name)
{
    return qstricmp(name, "RECID") == 0;
}

std::string slot_name(const DmField &field)
{
    return field.name ? field.name : "";
}

// The slots that go into the statement; empty with the error text set when a slot
// cannot be written.  Slots of type 0 carry no value the library could write and are
// left out, so that they never overwrite a stored value with NULL.
std::optional<std::vector<const DmField *>> columns_to_write(const DmRecord &record, PutMode mode)
{
    if (record.used < 0 || record.used > DM_MAX_FIELDS) {
        dm::set_error("Záznam má neplatný počet polí: " + std::to_string(record.used) + ".");
        return std::nullopt;
    }
    std::vector<const DmField *> columns;
    for (int i = 0; i < record.used; ++i) {
        const DmField &field = record.fields[i];
        if (field.type == dmNone)
            continue;
        if (!field.name || !*field.name) {
            dm::set_error("Pole č. " + std::to_string(i + 1) + " záznamu nemá jméno.");
            return std::nullopt;
        }
        if (field.type > dmDateTime) {
            dm::set_error("Pole " + slot_name(field) + " má neznámý typ " +
                          std::to_string(field.type) + ".");
            return std::nullopt;
        }
        if (mode == pmUpdate && is_recid(field.name))
            continue;
        for (const DmField *earlier : columns) {
            if (qstricmp(earlier->name, field.name) == 0) {
                dm::set_error("Pole " + slot_name(field) + " je v záznamu dvakrát.");
                return std::nullopt;
            }
        }
        columns.push_back(&field);
    }
    return columns;
}

bool bind_value(sqlite3_stmt *statement, int index, const DmField &field)
{
    if (!field.value)
        return sqlite3_bind_null(statement, index) == SQLITE_OK;
    switch (field.type) {
    case dmInt: {
        int32_t number = 0;
        std::memcpy(&number, field.value, sizeof number);
        return sqlite3_bind_int(statement, index, number) == SQLITE_OK;
    }
    case dmFloat: {
        double number = 0;
        std::memcpy(&number, field.value, sizeof number);
        return sqlite3_bind_double(statement, index, number) == SQLITE_OK;
    }
    case dmText: {
        const auto *text = static_cast<const char *>(field.value);
        const size_t length =
            field.size > 0 ? strnlen(text, static_cast<size_t>(field.size)) : std::strlen(text);
        return sqlite3_bind_text(statement, index, text, static_cast<int>(length),
                                 SQLITE_TRANSIENT) == SQLITE_OK;
    }
    case dmDateTime: {
        double days = 0;
        std::memcpy(&days, field.value, sizeof days);
        const std::optional<std::string> text = dm::format_stored_date(days);
        if (!text) {
            dm::set_error("Pole " + slot_name(field) + " obsahuje neplatné datum.");
            return false;
        }
        return sqlite3_bind_text(statement, index, text->data(), static_cast<int>(text->size()),
                                 SQLITE_TRANSIENT) == SQLITE_OK;
    }
    }
    return false;
}

std::string build_sql(PutMode mode, const std::string &table,
                      const std::vector<const DmField *> &columns)
{
    std::string sql;
    if (mode == pmInsert) {
        std::string values;
        for (const DmField *field : columns) {
            sql += (sql.empty() ? "" : ", ") + dm::quoted_identifier(field->name);
            values += values.empty() ? "?" : ", ?";
        }
        return "INSERT INTO " + table + " (" + sql + ") VALUES (" + values + ")";
    }
    if (mode == pmDelete)
        return "DELETE FROM " + table + " WHERE RECID = ?";
    if (columns.empty()) // nothing to change: the row must still exist
        return "SELECT 1 FROM " + table + " WHERE RECID = ?";
    for (const DmField *field : columns)
        sql += (sql.empty() ? "" : ", ") + dm::quoted_identifier(field->name) + " = ?";
    return "UPDATE " + table + " SET " + sql + " WHERE RECID = ?";
}

} // namespace

int dm_put_record(PutMode mode, DmRecord *record)
{
    dm::clear_error();
    sqlite3 *db = dm::writable_connection();
    if (!db)
        return 0;
    if (!record || !record->table || !*record->table) {
        dm::set_error("Záznam neuvádí tabulku.");
        return 0;
    }
    if (mode != pmInsert && mode != pmUpdate && mode != pmDelete) {
        dm::set_error("Neznámý způsob zápisu záznamu: " + std::to_string(int(mode)) + ".");
        return 0;
    }
    std::vector<const DmField *> columns;
    if (mode != pmDelete) {
        std::optional<std::vector<const DmField *>> wanted = columns_to_write(*record, mode);
        if (!wanted)
            return 0;
        columns = std::move(*wanted);
    }
    if (mode == pmInsert && columns.empty()) {
        dm::set_error("Záznam neobsahuje žádné pole k uložení.");
        return 0;
    }

    const std::string sql = build_sql(mode, dm::quoted_identifier(record->table), columns);
    const dm::StatementCache::Lease statement = dm::session().statements.acquire(db, sql);
    if (!statement) {
        dm::set_sqlite_error(db);
        return 0;
    }
    int index = 1;
    for (const DmField *field : columns) {
        if (!bind_value(statement.get(), index++, *field)) {
            if (dm::last_error().empty())
                dm::set_sqlite_error(db);
            return 0;
        }
    }
    if (mode != pmInsert)
        sqlite3_bind_int(statement.get(), index, record->id);

    const int rc = sqlite3_step(statement.get());
    if (rc != SQLITE_DONE && rc != SQLITE_ROW) {
        dm::set_sqlite_error(db);
        return 0;
    }
    bool row_missing = false;
    if (mode == pmUpdate && columns.empty())
        row_missing = rc != SQLITE_ROW;
    else if (mode != pmInsert)
        row_missing = sqlite3_changes(db) == 0;
    if (row_missing) {
        dm::set_error("Záznam s RECID " + std::to_string(record->id) + " v tabulce " +
                      record->table + " neexistuje.");
        return 0;
    }
    return 1;
}
