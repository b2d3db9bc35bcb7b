#include "platform/dm/dm.h"
#include "platform/dm/dm_error.h"
#include "platform/dm/dm_session.h"
#include "platform/dm/record_slots.h"
#include "platform/dm/select_cursor.h"

namespace {

int free_handle()
{
    int handle = 1;
    for (const auto &[used, cursor] : dm::session().selects) {
        if (used != handle)
            break;
        ++handle;
    }
    return handle;
}

std::string not_open(int handle)
{
    return "Dotaz s číslem " + std::to_string(handle) + " není otevřen.";
}

// The cursor of an open select, or null with the error text set.
dm::SelectCursor *open_select(int handle)
{
    const auto found = dm::session().selects.find(handle);
    if (found == dm::session().selects.end()) {
        dm::set_error(not_open(handle));
        return nullptr;
    }
    return found->second.get();
}

} // namespace

int dm_init_sql_select(const char *select, DmRecord *record)
{
    dm::clear_error();
    if (!record) {
        dm::set_error("Chybí záznam pro výsledek dotazu.");
        return 0;
    }
    dm::free_owned_slots(record);
    record->eof = 1;
    sqlite3 *db = dm::open_connection();
    if (!db)
        return 0;
    std::unique_ptr<dm::SelectCursor> cursor = dm::SelectCursor::open(db, select);
    if (!cursor)
        return 0;
    if (cursor->step(record) == dm::SelectCursor::Step::Failed)
        return 0;
    const int handle = free_handle();
    dm::session().selects.emplace(handle, std::move(cursor));
    return handle;
}

int dm_next_sql_select(int handle, DmRecord *record)
{
    dm::clear_error();
    if (!record) {
        dm::set_error("Chybí záznam pro výsledek dotazu.");
        return -1;
    }
    dm::SelectCursor *cursor = open_select(handle);
    if (!cursor) {
        record->eof = 1;
        return -1;
    }
    switch (cursor->step(record)) {
    case dm::SelectCursor::Step::Row:
        return 0;
    case dm::SelectCursor::Step::End:
        return 1;
    case dm::SelectCursor::Step::Failed:
        break;
    }
    return -1;
}

void dm_close_sql_select(int handle)
{
    dm::clear_error();
    if (dm::session().selects.erase(handle) == 0)
        dm::set_error(not_open(handle));
}

int dm_select_text_width(int handle, int slot)
{
    dm::clear_error();
    const auto found = dm::session().selects.find(handle);
    return found == dm::session().selects.end() ? 0 : found->second->text_width(slot);
}

int dm_fetch_record(const char *select, DmRecord *record)
{
    const int handle = dm_init_sql_select(select, record);
    if (handle == 0)
        return 0;
    const bool placed = record->eof == 0;
    dm::session().selects.erase(handle);
    return placed ? 1 : 0;
}

void dm_free_record(DmRecord *record)
{
    dm::clear_error();
    if (!record)
        return;
    dm::free_owned_slots(record);
    // A select in progress fills this record again with the next row; keep its storage.
    for (const auto &[handle, cursor] : dm::session().selects)
        if (cursor->fills(record))
            return;
    dm::release_storage(record);
}

int dm_drain_sql_select(int handle, DmRowReceiver receiver, void *context)
{
    dm::clear_error();
    if (!receiver) {
        dm::set_error("Chybí příjemce řádků dotazu.");
        return -1;
    }
    dm::SelectCursor *cursor = open_select(handle);
    if (!cursor)
        return -1;
    return cursor->drain(receiver, context) == dm::SelectCursor::Step::End ? 1 : -1;
}
