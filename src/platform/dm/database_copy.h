#pragma once

#include <sqlite3.h>

#include <QString>

#include <functional>

namespace dm {

// Writes a consistent copy of the source database to the target with SQLite's online
// backup, under a temporary name that is renamed over the target only once the copy is
// complete, checked and on disk: the target is never half-written.  False with the
// error text set.  `before_replace` runs when the copy is ready, just before the rename;
// when it fails the target stays as it was.
bool write_database_copy(sqlite3 *source, const QString &target,
                         const std::function<bool()> &before_replace = {});

// Flushes a file or a folder (a rename lives in its folder) to the disk.
void sync_to_disk(const QString &path);

} // namespace dm
