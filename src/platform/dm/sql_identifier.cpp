#include "platform/dm/sql_identifier.h"

namespace dm {

std::string quoted_identifier(std::string_view name)
{
    std::string quoted = "\"";
    for (const char c : name) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

} // namespace dm
