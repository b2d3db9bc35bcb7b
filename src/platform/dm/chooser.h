#pragma once

#include "platform/dm/dm.h"

#include <optional>
#include <string>

namespace dm {

// Asks through the installed chooser; without one every non-empty proposal is accepted.
// Empty when the user cancels or chooses nothing.
std::optional<std::string> choose_path(DmChoice kind, void *parent, const std::string &proposal,
                                       const std::string &detail = {});

} // namespace dm
