#pragma once

#include "platform/dm/dm.h"
#include "platform/dm/record_slots.h"
#include "platform/dm/sqlite_handle.h"

#include <memory>
#include <string>
#include <vector>

namespace dm {

// One running select: describes its columns as record slots and places row after row.
class SelectCursor {
public:
    enum class Step { Row, End, Failed };

    // Null with the error text set when the statement cannot be prepared or does not
    // fit into a record.
    static std::unique_ptr<SelectCursor> open(sqlite3 *db, const char *sql);

    // Places the next row into the record, or at the end the described slots without
    // values.  The first call also settles the types of columns without a declared type.
    Step step(DmRecord *record);
    // Hands the row the cursor stands on and every further row to the receiver: End or
    // Failed.
    Step drain(DmRowReceiver receiver, void *context);
    // The record this select places its rows into.
    bool fills(const DmRecord *record) const { return record == m_record; }
    // Characters of a text column as declared; 0 for other columns.
    int text_width(int slot) const;

private:
    struct Column {
        DmFieldType type = dmNone;
        bool typed_by_value = false;
        int32_t size = 0;
        std::string name;
    };

    SelectCursor(sqlite3 *db, StatementPtr statement);
    void settle_types_from_first_row(bool has_row);
    // Steps to the next row (the first step settles the types).
    Step advance();
    bool place_row(DmRecord *record);
    Step place_described(DmRecord *record);
    // The value of the current row in `slot`, converted to the column's type; false with
    // the error text set when the column's type cannot hold it.
    bool read_value(int slot, DmValue &value) const;

    sqlite3 *m_db;
    StatementPtr m_statement;
    std::vector<Column> m_columns;
    bool m_started = false;
    bool m_finished = false;
    bool m_on_row = false;
    const DmRecord *m_record = nullptr;
};

} // namespace dm
