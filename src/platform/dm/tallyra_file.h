#pragma once

#include "platform/dm/sqlite_handle.h"

#include <optional>
#include <string>

namespace dm {

// Written into every database by the base schema; a file without it is not ours.
inline constexpr int kApplicationId = 1413565529;

enum class Access { ReadWriteWhenPossible, ReadOnly };

struct OpenedFile {
    DatabasePtr db;
    bool read_only = false;
};

// Opens an existing Tallyra database and never creates one.  A file that cannot be
// written, or lies in a folder that cannot be written, opens read-only.  On failure the
// result is empty and the error text says why.
std::optional<OpenedFile> open_tallyra_file(const std::string &path, Access access);

// PRAGMA quick_check; false with the error text set when the file is damaged.
bool passes_quick_check(sqlite3 *db, const std::string &path);

} // namespace dm
