#include "platform/dm/database_copy.h"
#include "platform/dm/dm_error.h"
#include "platform/dm/sqlite_handle.h"
#include "platform/dm/tallyra_file.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace dm {
namespace {

bool copy_pages(sqlite3 *source, sqlite3 *target)
{
    sqlite3_backup *backup = sqlite3_backup_init(target, "main", source, "main");
    if (!backup) {
        set_sqlite_error(target);
        return false;
    }
    const int rc = sqlite3_backup_step(backup, -1);
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE) {
        set_error("Kopii databáze nelze vytvořit: " + sqlite_reason(rc));
        return false;
    }
    return true;
}

// The copy is one self-contained file: it leaves WAL mode, which the program turns on
// again when it opens the file as its database.
bool finish_copy(sqlite3 *target, const std::string &name)
{
    if (sqlite3_exec(target, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr) !=
        SQLITE_OK) {
        set_sqlite_error(target);
        return false;
    }
    return passes_quick_check(target, name);
}

} // namespace

bool write_database_copy(sqlite3 *source, const QString &target,
                         const std::function<bool()> &before_replace)
{
    QTemporaryFile partial(target + ".XXXXXX");
    if (!partial.open()) {
        set_error("Soubor nelze vytvořit: " + target.toStdString() + " (" +
                  partial.errorString().toStdString() + ")");
        return false;
    }
    partial.close();
    const QByteArray partial_name = QFile::encodeName(partial.fileName());

    sqlite3 *raw = nullptr;
    sqlite3_open_v2(partial_name.constData(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    DatabasePtr copy(raw);
    if (!raw || sqlite3_errcode(raw) != SQLITE_OK) {
        set_error(raw ? sqlite_reason(raw) : "Nedostatek paměti.");
        return false;
    }
    if (!copy_pages(source, raw) || !finish_copy(raw, target.toStdString()))
        return false;
    if (sqlite3_close(copy.release()) != SQLITE_OK) {
        set_error("Kopii databáze nelze uzavřít: " + target.toStdString());
        return false;
    }
    sync_to_disk(partial.fileName());
    if (before_replace && !before_replace())
        return false;
    if (std::rename(partial_name.constData(), QFile::encodeName(target).constData()) != 0) {
        set_error("Kopii databáze nelze uložit jako " + target.toStdString() + ".");
        return false;
    }
    sync_to_disk(QFileInfo(target).absolutePath());
    return true;
}

void sync_to_disk(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace dm
