#include "platform/dm/chooser.h"
#include "platform/dm/database_copy.h"
#include "platform/dm/dm.h"
#include "platform/dm/dm_error.h"
#include "platform/dm/dm_session.h"
#include "platform/dm/tallyra_file.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr char kBackupFolder[] = "zalohy";
constexpr char kSafetySuffix[] = ".pred-obnovou";

// A database that was not closed cleanly keeps committed pages in these files.
constexpr const char *kJournalSuffixes[] = {"-wal", "-journal"};

QString backup_folder(const QString &database)
{
    return QFileInfo(database).absolutePath() + u'/' + kBackupFolder;
}

// "<name>-<date>.db", numbered when that day has a backup already, so that no earlier copy
// is ever proposed for overwriting.
QString proposed_backup(const QString &database)
{
    const QString stem = backup_folder(database) + u'/' + QFileInfo(database).completeBaseName() +
                         u'-' + QDate::currentDate().toString(Qt::ISODate);
    QString proposal = stem + ".db";
    for (int n = 2; QFileInfo::exists(proposal); ++n)
        proposal = stem + u'-' + QString::number(n) + ".db";
    return proposal;
}

QString newest_backup(const QString &database)
{
    const QFileInfoList copies =
        QDir(backup_folder(database)).entryInfoList({"*.db"}, QDir::Files, QDir::Time);
    return copies.isEmpty() ? QString() : copies.first().absoluteFilePath();
}

bool same_file(const QString &a, const QString &b)
{
    const QFileInfo first(a), second(b);
    if (first.exists() && second.exists())
        return first.canonicalFilePath() == second.canonicalFilePath();
    return first.absoluteFilePath() == second.absoluteFilePath();
}

std::optional<QString> remembered_database()
{
    const std::string &path = dm::session().last_path;
    if (path.empty()) {
        dm::set_error("Není známo, která databáze byla otevřena.");
        return std::nullopt;
    }
    return QString::fromStdString(path);
}

void forget_copies()
{
    dm::session().copy_file.clear();
    dm::session().safety_copy.clear();
}

// Never overwrites an earlier safety copy: it may hold the only good data.
QString free_safety_name(const QString &database)
{
    QString name = database + kSafetySuffix;
    for (int n = 2; QFileInfo::exists(name) || QFileInfo::exists(name + "-wal"); ++n)
        name = database + kSafetySuffix + u'-' + QString::number(n);
    return name;
}

// Copies the replaced database byte for byte (with any journal), which also works when
// the file is too damaged to be read through SQLite, the usual reason for a restore.
bool keep_safety_copy(const QString &database)
{
    if (!QFileInfo::exists(database))
        return true;
    const QString safety = free_safety_name(database);
    dm::session().safety_copy = safety.toStdString();
    const auto copy = [&](const QString &suffix) {
        if (!QFileInfo::exists(database + suffix))
            return true;
        if (!QFile::copy(database + suffix, safety + suffix)) {
            dm::set_error("Bezpečnostní kopii databáze nelze vytvořit: " +
                          (safety + suffix).toStdString());
            return false;
        }
        dm::sync_to_disk(safety + suffix);
        return true;
    };
    if (!copy(QString()))
        return false;
    for (const char *suffix : kJournalSuffixes) {
        if (!copy(suffix))
            return false;
    }
    dm::sync_to_disk(QFileInfo(database).absolutePath());
    return true;
}

// Journals of the replaced file would be replayed into the restored one and damage it;
// they are in the safety copy already.
bool remove_old_journals(const QString &database)
{
    for (const char *suffix : kJournalSuffixes) {
        if (QFileInfo::exists(database + suffix) && !QFile::remove(database + suffix)) {
            dm::set_error("Starý deník databáze nelze odstranit: " +
                          (database + suffix).toStdString());
            return false;
        }
    }
    QFile::remove(database + "-shm");
    return true;
}

} // namespace

int dm_backup_database(const char *, void *parent, int)
{
    dm::clear_error();
    forget_copies();
    const std::optional<QString> database = remembered_database();
    if (!database)
        return 0;
    const std::optional<std::string> chosen =
        dm::choose_path(dmChooseBackupTarget, parent, proposed_backup(*database).toStdString());
    if (!chosen)
        return 0;
    const QString target = QFileInfo(QString::fromStdString(*chosen)).absoluteFilePath();
    if (same_file(target, *database)) {
        dm::set_error("Zálohu nelze zapsat přes samotnou databázi.");
        return 0;
    }
    if (QFileInfo(target).isDir()) {
        dm::set_error("Záloha musí být soubor, ne složka: " + target.toStdString());
        return 0;
    }
    if (!QDir().mkpath(QFileInfo(target).absolutePath())) {
        dm::set_error("Složku pro zálohu nelze vytvořit: " +
                      QFileInfo(target).absolutePath().toStdString());
        return 0;
    }
    std::optional<dm::OpenedFile> source =
        dm::open_tallyra_file(database->toStdString(), dm::Access::ReadOnly);
    if (!source)
        return 0;
    if (!dm::write_database_copy(source->db.get(), target))
        return 0;
    dm::session().copy_file = target.toStdString();
    return 1;
}

int dm_restore_database(const char *, void *parent, int)
{
    dm::clear_error();
    forget_copies();
    dm::session().restore_replacing = false;
    const std::optional<QString> database = remembered_database();
    if (!database)
        return 0;
    if (dm::session().db) {
        dm::set_error("Databázi nelze obnovit, dokud je otevřená.");
        return 0;
    }
    const std::optional<std::string> chosen =
        dm::choose_path(dmChooseRestoreSource, parent, newest_backup(*database).toStdString());
    if (!chosen)
        return 0;
    const QString backup = QFileInfo(QString::fromStdString(*chosen)).absoluteFilePath();
    if (same_file(backup, *database)) {
        dm::set_error("Databázi nelze obnovit ze sebe samé.");
        return 0;
    }
    std::optional<dm::OpenedFile> source =
        dm::open_tallyra_file(backup.toStdString(), dm::Access::ReadOnly);
    if (!source || !dm::passes_quick_check(source->db.get(), backup.toStdString()))
        return 0;
    const QString replaced = *database;
    const bool restored = dm::write_database_copy(source->db.get(), replaced, [&replaced] {
        dm::session().restore_replacing = true;
        return keep_safety_copy(replaced) && remove_old_journals(replaced);
    });
    if (!restored) {
        forget_copies();
        return 0;
    }
    dm::session().copy_file = backup.toStdString();
    return 1;
}

int dm_restore_began_replacing(void)
{
    return dm::session().restore_replacing ? 1 : 0;
}

const char *dm_last_copy_file(void)
{
    return dm::session().copy_file.c_str();
}

const char *dm_last_safety_copy(void)
{
    return dm::session().safety_copy.c_str();
}
