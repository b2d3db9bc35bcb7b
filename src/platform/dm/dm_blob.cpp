#include "platform/dm/dm.h"
#include "platform/dm/dm_error.h"
#include "platform/dm/dm_session.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

constexpr qint64 kMaxBlobBytes = 32 * 1024 * 1024;

QString file_name(const char *file)
{
    return QString::fromUtf8(file ? file : "");
}

bool remove_blob(sqlite3 *db, int blob_id)
{
    const dm::StatementCache::Lease remove =
        dm::session().statements.acquire(db, "DELETE FROM BLOBDATA WHERE RECID = ?");
    if (!remove) {
        dm::set_sqlite_error(db);
        return false;
    }
    sqlite3_bind_int(remove.get(), 1, blob_id);
    if (sqlite3_step(remove.get()) != SQLITE_DONE) {
        dm::set_sqlite_error(db);
        return false;
    }
    return true;
}

bool store_blob(sqlite3 *db, int blob_id, const QByteArray &data)
{
    const dm::StatementCache::Lease store = dm::session().statements.acquire(
        db, "INSERT INTO BLOBDATA (RECID, DATA) VALUES (?1, ?2) "
            "ON CONFLICT (RECID) DO UPDATE SET DATA = excluded.DATA");
    if (!store) {
        dm::set_sqlite_error(db);
        return false;
    }
    sqlite3_bind_int(store.get(), 1, blob_id);
    sqlite3_bind_blob(store.get(), 2, data.constData(), static_cast<int>(data.size()),
                      SQLITE_STATIC);
    if (sqlite3_step(store.get()) != SQLITE_DONE) {
        dm::set_sqlite_error(db);
        return false;
    }
    return true;
}

} // namespace

int dm_read_blob(const char *file, int blob_id)
{
    dm::clear_error();
    sqlite3 *db = dm::open_connection();
    if (!db)
        return -1;
    const QString path = file_name(file);
    if (path.isEmpty()) {
        dm::set_error("Chybí jméno souboru, do kterého se má obsah zapsat.");
        return -1;
    }
    const dm::StatementCache::Lease read =
        dm::session().statements.acquire(db, "SELECT DATA FROM BLOBDATA WHERE RECID = ?");
    if (!read) {
        dm::set_sqlite_error(db);
        return -1;
    }
    sqlite3_bind_int(read.get(), 1, blob_id);
    const int rc = sqlite3_step(read.get());
    if (rc == SQLITE_DONE)
        return 0;
    if (rc != SQLITE_ROW) {
        dm::set_sqlite_error(db);
        return -1;
    }
    const void *data = sqlite3_column_blob(read.get(), 0);
    const int bytes = sqlite3_column_bytes(read.get(), 0);
    if (!data || bytes == 0)
        return 0;

    QSaveFile target(path);
    if (target.open(QIODevice::WriteOnly) &&
        target.write(static_cast<const char *>(data), bytes) == bytes && target.commit())
        return bytes;
    dm::set_error("Soubor nelze zapsat: " + path.toStdString() + " (" +
                  target.errorString().toStdString() + ")");
    return -1;
}

int dm_write_blob(const char *file, int blob_id, int)
{
    dm::clear_error();
    sqlite3 *db = dm::writable_connection();
    if (!db)
        return 0;
    const QString path = file_name(file);
    if (path.isEmpty()) {
        dm::set_error("Chybí jméno souboru s obsahem k uložení.");
        return 0;
    }
    const QFileInfo info(path);
    // The program hands over a missing file when the text or picture was emptied.
    if (!info.exists() || (info.isFile() && info.size() == 0))
        return remove_blob(db, blob_id) ? 1 : 0;
    if (!info.isFile()) {
        dm::set_error("Soubor není obyčejný soubor: " + path.toStdString());
        return 0;
    }
    if (info.size() > kMaxBlobBytes) {
        dm::set_error("Soubor je příliš velký (nejvýše 32 MiB).");
        return 0;
    }
    QFile source(path);
    if (!source.open(QIODevice::ReadOnly)) {
        dm::set_error("Soubor nelze přečíst: " + path.toStdString());
        return 0;
    }
    const QByteArray data = source.readAll();
    if (data.isEmpty())
        return remove_blob(db, blob_id) ? 1 : 0;
    return store_blob(db, blob_id, data) ? 1 : 0;
}

int dm_blob_file_ok(const char *file)
{
    dm::clear_error();
    const QString path = file_name(file);
    const QFileInfo info(path);
    const char *refusal = nullptr;
    if (path.isEmpty())
        refusal = "Soubor nebyl zadán.";
    else if (!info.exists())
        refusal = "Soubor neexistuje.";
    else if (!info.isFile())
        refusal = "Soubor není obyčejný soubor.";
    else if (info.size() == 0)
        refusal = "Soubor je prázdný.";
    else if (info.size() > kMaxBlobBytes)
        refusal = "Soubor je příliš velký (nejvýše 32 MiB).";
    if (refusal) {
        dm::set_error(refusal);
        return 0;
    }

    QFile source(path);
    QByteArray head;
    if (source.open(QIODevice::ReadOnly))
        head = source.read(4096);
    if (head.isEmpty()) {
        dm::set_error("Soubor nelze přečíst.");
        return 0;
    }
    // A text file (".rtf", ".txt") becomes a document's text; any other file a picture.
    const QString suffix = info.suffix().toLower();
    if (suffix == QLatin1String("rtf") || suffix == QLatin1String("txt")) {
        if (!head.startsWith("{\\rtf") && head.contains('\0')) {
            dm::set_error("Soubor není text.");
            return 0;
        }
    } else if (!head.startsWith("\xFF\xD8\xFF")) {
        dm::set_error("Soubor není obrázek JPEG.");
        return 0;
    }
    return 1;
}
