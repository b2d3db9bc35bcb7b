#include "platform/dm/dm.h"
#include "platform/dm/dm_error.h"
#include "platform/dm/sqlite_handle.h"
#include "platform/dm/tallyra_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr char kBaseSchema[] = ":/tallyra/schema/base.sql";

QByteArray base_schema()
{
    QFile schema(kBaseSchema);
    return schema.open(QIODevice::ReadOnly) ? schema.readAll() : QByteArray();
}

// O_EXCL makes the refusal of an existing file race-free: the schema never runs on a file
// that somebody else created in the meantime.
bool create_empty_file(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
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
    if (!create_empty_file(file)) {
        dm::set_error(QFileInfo(file).exists() || QFileInfo(file).isSymLink()
                          ? "Soubor již existuje: " + file.toStdString()
                          : "Soubor databáze nelze vytvořit: " + file.toStdString());
        return 0;
    }
    if (!fill_with_schema(file, schema)) {
        remove_database_files(file);
        return 0;
    }
    return 1;
}
