#include "platform/dm/database_copy.h"
#include "platform/dm/dm.h"
#include "platform/dm/dm_error.h"
#include "platform/dm/sqlite_handle.h"
#include "platform/dm/tallyra_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char kBaseSchema[] = ":/tallyra/schema/base.sql";

QByteArray base_schema()
{
    QFile schema(kBaseSchema);
    return schema.open(QIODevice::ReadOnly) ? schema.readAll() : QByteArray();
}

bool run(sqlite3 *db, const char *sql)
{
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK)
        return true;
    dm::set_sqlite_error(db);
    return false;
}

bool has_application_id(sqlite3 *db)
{
    dm::StatementPtr id = dm::prepare(db, "PRAGMA application_id");
    if (id && sqlite3_step(id.get()) == SQLITE_ROW &&
        sqlite3_column_int(id.get(), 0) == dm::kApplicationId)
        return true;
    dm::set_error("Základní schéma nenastavilo identifikátor databáze Tallyra.");
    return false;
}

bool fill_with_schema(const QString &path, const QByteArray &schema)
{
    sqlite3 *raw = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    dm::DatabasePtr db(raw);
    if (!raw || sqlite3_errcode(raw) != SQLITE_OK) {
        dm::set_error(raw ? dm::sqlite_reason(raw) : "Nedostatek paměti.");
        return false;
    }
    if (!run(raw, "BEGIN IMMEDIATE"))
        return false;
    if (!run(raw, schema.constData()) || !has_application_id(raw)) {
        sqlite3_exec(raw, "ROLLBACK", nullptr, nullptr, nullptr);
        return false;
    }
    if (!run(raw, "COMMIT") || !run(raw, "PRAGMA journal_mode=WAL"))
        return false;
    if (sqlite3_close(db.release()) != SQLITE_OK) {
        dm::set_error("Novou databázi nelze uzavřít: " + path.toStdString());
        return false;
    }
    return true;
}

void remove_database_files(const QString &path)
{
    for (const char *suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(path + suffix);
}

// Beside the target, hidden, so that the finished file only has to be renamed.
QString partial_pattern(const QString &target)
{
    const QFileInfo info(target);
    return info.absolutePath() + "/." + info.fileName() + ".nova-";
}

// What an interrupted creation of the same file left behind.
void remove_partial_leftovers(const QString &target)
{
    const QFileInfo pattern(partial_pattern(target));
    const QStringList leftovers =
        QDir(pattern.absolutePath()).entryList({pattern.fileName() + "??????*"},
                                               QDir::Files | QDir::Hidden);
    for (const QString &name : leftovers)
        QFile::remove(pattern.absolutePath() + u'/' + name);
}

// An empty partial file of our own: mkstemp creates it exclusively, with the permissions a
// plainly created file would get.
QString create_partial_file(const QString &target)
{
    QByteArray name = QFile::encodeName(partial_pattern(target)) + "XXXXXX";
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        return {};
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0644 & ~mask);
    ::close(fd);
    return QFile::decodeName(name);
}

// Never replaces a file that appeared at the target in the meantime.
bool rename_without_replacing(const QString &from, const QString &to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(),
                    RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system without the flag: a hard link fails on an existing target too.
    if (::link(source.constData(), target.constData()) != 0)
        return false;
    ::unlink(source.constData());
    return true;
}

} // namespace

int dm_create_database(const char *path)
{
    dm::clear_error();
    if (!path || !*path) {
        dm::set_error("Chybí cesta k nové databázi.");
        return 0;
    }
    const QString file = QFileInfo(QString::fromUtf8(path)).absoluteFilePath();
    const QByteArray schema = base_schema();
    if (schema.isEmpty()) {
        dm::set_error("Program neobsahuje základní schéma databáze.");
        return 0;
    }
    if (!QDir().mkpath(QFileInfo(file).absolutePath())) {
        dm::set_error("Složku pro databázi nelze vytvořit: " +
                      QFileInfo(file).absolutePath().toStdString());
        return 0;
    }
    if (QFileInfo(file).exists() || QFileInfo(file).isSymLink()) {
        dm::set_error("Soubor již existuje: " + file.toStdString());
        return 0;
    }
    remove_partial_leftovers(file);
    const QString partial = create_partial_file(file);
    if (partial.isEmpty()) {
        dm::set_error("Soubor databáze nelze vytvořit: " + file.toStdString());
        return 0;
    }
    if (!fill_with_schema(partial, schema)) {
        remove_database_files(partial);
        return 0;
    }
    dm::sync_to_disk(partial);
    if (!rename_without_replacing(partial, file)) {
        dm::set_error(QFileInfo(file).exists() ? "Soubor již existuje: " + file.toStdString()
                                               : "Soubor databáze nelze vytvořit: " +
                                                     file.toStdString());
        remove_database_files(partial);
        return 0;
    }
    dm::sync_to_disk(QFileInfo(file).absolutePath());
    return 1;
}
