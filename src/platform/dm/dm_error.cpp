#include "platform/dm/dm_error.h"
#include "platform/dm/dm.h"

namespace dm {
namespace {

std::string &error_text()
{
    static std::string text;
    return text;
}

} // namespace

void clear_error()
{
    error_text().clear();
}

void set_error(std::string text)
{
    error_text() = std::move(text);
}

void set_sqlite_error(sqlite3 *db)
{
    set_error(sqlite3_errmsg(db));
}

const std::string &last_error()
{
    return error_text();
}

} // namespace dm

const char *dm_last_error(void)
{
    return dm::last_error().c_str();
}
