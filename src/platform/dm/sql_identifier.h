#pragma once

#include <string>
#include <string_view>

namespace dm {

// Table and column names come from the program, never from the user, but they still go
// into SQL quoted, so that no name can end the identifier and add SQL of its own.
std::string quoted_identifier(std::string_view name);

} // namespace dm
