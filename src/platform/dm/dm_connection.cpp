#include "platform/dm/dm.h"
#include "platform/dm/dm_error.h"
#include "platform/dm/dm_session.h"
#include "platform/dm/tallyra_file.h"

#include <QFile>
#include <QFileInfo>
#include <QString>

namespace {

constexpr int kInterfaceVersion = 1;
constexpr char kSqliteScheme[] = "sqlite:";

bool run(sqlite3 *db, const char *sql)
{
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK)
        return true;
    dm::set_sqlite_error(db);
    return false;
}

// WAL lets a backup read while the program writes; FULL makes every committed
// transaction survive a power cut, not only the database file itself.
bool configure(sqlite3 *db, bool read_only)
{
    sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    if (!run(db, "PRAGMA foreign_keys=ON"))
        return false;
    if (read_only)
        return true;
    return run(db, "PRAGMA journal_mode=WAL") && run(db, "PRAGMA synchronous=FULL");
}

// Checking every page costs about a second per 100 MB on a cold start, so it runs only when
// the program last ended without closing the database: the marker beside the file says so.
std::string open_marker(const std::string &path)
{
    return path + "-open";
}

bool write_marker(const std::string &marker)
{
    QFile file(QString::fromStdString(marker));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

int open_path(const std::string &path)
{
    std::optional<dm::OpenedFile> opened =
        dm::open_tallyra_file(path, dm::Access::ReadWriteWhenPossible);
    if (!opened)
        return 0;
    bool damaged = false;
    const std::string marker = open_marker(path);
    if (!opened->read_only && QFileInfo::exists(QString::fromStdString(marker)) &&
        !dm::passes_quick_check(opened->db.get(), path)) {
        opened.reset();
        opened = dm::open_tallyra_file(path, dm::Access::ReadOnly);
        if (!opened)
            return 0;
        opened->read_only = true;
        damaged = true;
    }
    if (!configure(opened->db.get(), opened->read_only))
        return 0;

    dm::close_session();
    dm::Session &session = dm::session();
    session.db = std::move(opened->db);
    session.read_only = opened->read_only;
    session.damaged = damaged;
    session.last_path = path;
    // A damaged file keeps its marker, so that it is checked again until it is restored.
    if (!session.read_only && write_marker(marker))
        session.open_marker = marker;
    dm::clear_error();
    return 1;
}

} // namespace

int dm_open_database(const char *connection)
{
    dm::clear_error();
    dm::session().failed_open.clear();
    const QString text = QString::fromUtf8(connection ? connection : "").trimmed();
    if (text.isEmpty()) {
        dm::set_error("Chybí připojení k databázi.");
        return 0;
    }
    if (!text.startsWith(kSqliteScheme, Qt::CaseInsensitive)) {
        dm::set_error("Nepodporovaný druh připojení k databázi: " + text.toStdString());
        return 0;
    }
    const QString file = text.mid(int(sizeof kSqliteScheme) - 1).trimmed();
    if (file.isEmpty()) {
        dm::set_error("Připojení neobsahuje cestu k databázi.");
        return 0;
    }
    // Backup and restore find the database by this path after the working folder changed.
    const std::string path = QFileInfo(file).absoluteFilePath().toStdString();
    if (open_path(path))
        return 1;
    dm::session().failed_open =
        "Databázi " + path + " se nepodařilo otevřít. " + dm::last_error();
    return 0;
}

int dm_close_database(void)
{
    dm::clear_error();
    dm::close_session();
    return 1;
}

int dm_database_attributes(void)
{
    dm::clear_error();
    return (dm::session().read_only ? 1 : 0) | (dm::session().damaged ? 2 : 0);
}

int dm_database_file_state(const char *path)
{
    dm::clear_error();
    const QString file = QString::fromUtf8(path ? path : "");
    if (file.isEmpty() || !QFileInfo::exists(file))
        return 0;
    return dm::open_tallyra_file(QFileInfo(file).absoluteFilePath().toStdString(),
                                 dm::Access::ReadOnly)
               ? 1
               : 2;
}

int dm_version(void)
{
    dm::clear_error();
    return kInterfaceVersion;
}
