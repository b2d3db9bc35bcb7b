#include "platform/dm/tallyra_file.h"
#include "platform/dm/dm_error.h"

#include <QFileInfo>
#include <QUrl>

#include <unistd.h>

namespace dm {
namespace {

constexpr int kBusyTimeoutMs = 5000;

bool is_writable(const QString &path)
{
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0;
}

// A read-only connection to a WAL database needs its -shm file, which SQLite cannot create
// in a folder that cannot be written.  An immutable file is read without any side file.
std::string immutable_uri(const std::string &path)
{
    return "file:" + QUrl::toPercentEncoding(QString::fromStdString(path), "/").toStdString() +
           "?immutable=1";
}

DatabasePtr open_connection(const std::string &name, int flags)
{
    sqlite3 *raw = nullptr;
    // One thread uses a connection, so SQLite's per-call locking would only cost time.
    const int rc = sqlite3_open_v2(name.c_str(), &raw, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    DatabasePtr db(raw);
    if (rc != SQLITE_OK) {
        set_error(raw ? sqlite_reason(raw) : "Nedostatek paměti.");
        return nullptr;
    }
    sqlite3_busy_timeout(raw, kBusyTimeoutMs);
    return db;
}

enum class Probe { Ours, Foreign, Damaged, CannotRead };

Probe probe(sqlite3 *db)
{
    StatementPtr id = prepare(db, "PRAGMA application_id");
    int rc = id ? sqlite3_step(id.get()) : sqlite3_errcode(db);
    if (rc == SQLITE_ROW && sqlite3_column_int(id.get(), 0) != kApplicationId)
        return Probe::Foreign;
    if (rc == SQLITE_ROW) {
        // Parsing the whole schema finds a damaged file before any window relies on it.
        StatementPtr schema = prepare(db, "SELECT count(*) FROM sqlite_schema");
        rc = schema ? sqlite3_step(schema.get()) : sqlite3_errcode(db);
        if (rc == SQLITE_ROW)
            return Probe::Ours;
    }
    if ((rc & 0xff) == SQLITE_NOTADB || (rc & 0xff) == SQLITE_CORRUPT)
        return Probe::Damaged;
    return Probe::CannotRead;
}

} // namespace

std::optional<OpenedFile> open_tallyra_file(const std::string &path, Access access)
{
    const QString file = QString::fromStdString(path);
    const QFileInfo info(file);
    if (!info.exists()) {
        set_error("Databázový soubor neexistuje: " + path);
        return std::nullopt;
    }
    if (!info.isFile()) {
        set_error("Databázový soubor není obyčejný soubor: " + path);
        return std::nullopt;
    }
    if (info.size() == 0) {
        set_error("Databázový soubor je prázdný: " + path);
        return std::nullopt;
    }

    OpenedFile opened;
    opened.read_only =
        access == Access::ReadOnly || !is_writable(file) || !is_writable(info.absolutePath());
    // Without a -wal file the main file is complete.  A file opened only to be looked at or
    // copied is then read as immutable, which leaves no -wal and -shm files behind.
    const bool complete = !QFileInfo::exists(file + "-wal");
    const bool immutable = access == Access::ReadOnly && complete;
    opened.db = immutable
                    ? open_connection(immutable_uri(path), SQLITE_OPEN_READONLY | SQLITE_OPEN_URI)
                    : open_connection(path, opened.read_only ? SQLITE_OPEN_READONLY
                                                             : SQLITE_OPEN_READWRITE);
    if (!opened.db)
        return std::nullopt;

    Probe result = probe(opened.db.get());
    if (result == Probe::CannotRead && opened.read_only && !immutable && complete) {
        DatabasePtr fallback =
            open_connection(immutable_uri(path), SQLITE_OPEN_READONLY | SQLITE_OPEN_URI);
        if (!fallback)
            return std::nullopt;
        opened.db = std::move(fallback);
        result = probe(opened.db.get());
    }

    switch (result) {
    case Probe::Ours:
        return opened;
    case Probe::Foreign:
        set_error("Soubor není databáze programu Tallyra: " + path);
        break;
    case Probe::Damaged:
        set_error("Soubor není databáze SQLite nebo je poškozený: " + path);
        break;
    case Probe::CannotRead:
        set_error("Databázi nelze otevřít: " + path + ". " + sqlite_reason(opened.db.get()));
        break;
    }
    return std::nullopt;
}

bool passes_quick_check(sqlite3 *db, const std::string &path)
{
    StatementPtr check = prepare(db, "PRAGMA quick_check(1)");
    const int rc = check ? sqlite3_step(check.get()) : sqlite3_errcode(db);
    if (rc != SQLITE_ROW) {
        set_error("Soubor je poškozený: " + path + ". " + sqlite_reason(db));
        return false;
    }
    const auto *verdict = reinterpret_cast<const char *>(sqlite3_column_text(check.get(), 0));
    const std::string text = verdict ? verdict : "";
    if (text != "ok") {
        set_error("Soubor je poškozený: " + path + " (" + text + ")");
        return false;
    }
    return true;
}

} // namespace dm
