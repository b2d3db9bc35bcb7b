#include "platform/dm/dm.h"
#include "platform/dm/dm_error.h"
#include "platform/dm/dm_session.h"
#include "platform/dm/tallyra_file.h"

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

} // namespace

int dm_open_database(const char *connection)
{
    dm::clear_error();
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

    std::optional<dm::OpenedFile> opened =
        dm::open_tallyra_file(path, dm::Access::ReadWriteWhenPossible);
    if (!opened || !configure(opened->db.get(), opened->read_only))
        return 0;

    dm::close_session();
    dm::Session &session = dm::session();
    session.db = std::move(opened->db);
    session.read_only = opened->read_only;
    session.last_path = path;
    return 1;
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
    return dm::session().read_only ? 1 : 0;
}

int dm_version(void)
{
    dm::clear_error();
    return kInterfaceVersion;
}
