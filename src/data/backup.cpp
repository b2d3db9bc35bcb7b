// Backup and restore run on a closed database: the library copies it and asks where, the
// data module opens it again exactly as at start-up.

#include "data/app_paths.h"
#include "data/db_api.h"
#include "data/messages.h"

#include <QDir>

bool TdbAPI::backup_data(int mode)
{
    if (!close_database())
        return false;
    const QByteArray exe = app_exe_path().toUtf8();
    const bool copied = dm_backup_database(exe.constData(), application_window, mode) != 0;
    const QString failure = QString::fromUtf8(dm_last_error());
    // The program expects an open database whatever became of the copy, so it is opened
    // again also when the user cancelled or the copy failed.
    const QString written = QString::fromUtf8(dm_last_copy_file());
    const bool reopened = open_database();
    if (!copied && !failure.isEmpty())
        report_db_error(false, failure);
    if (copied && reopened)
        show_message(QStringLiteral("Zálohování dat"),
                     QStringLiteral("Záloha byla uložena do souboru %1.")
                         .arg(QDir::toNativeSeparators(written)),
                     mbIconInformation);
    return copied && reopened;
}

bool TdbAPI::restore_data(int mode)
{
    const QString fatal_text =
        QStringLiteral("Během obnovení dat došlo k závažné chybě. Program bude ukončen!");
    if (!close_database()) {
        report_db_error(true, fatal_text);
        return false;
    }
    const QByteArray exe = app_exe_path().toUtf8();
    const bool restored = dm_restore_database(exe.constData(), application_window, mode) != 0;
    const QString failure = QString::fromUtf8(dm_last_error());
    if (!restored && !failure.isEmpty()) {
        // A copy refused before anything was replaced (foreign, empty, damaged, the database
        // itself) leaves the data as they were: the user reads why and goes on working.
        if (!dm_restore_began_replacing() && open_database()) {
            report_db_error(false, failure);
            return false;
        }
        if (!program_ending())
            report_db_error(true, failure);
        return false;
    }
    const QString brought_back = QString::fromUtf8(dm_last_copy_file());
    const QString kept = QString::fromUtf8(dm_last_safety_copy());
    // A cancelled choice left the database as it was; it is opened again either way.
    if (!open_database()) {
        if (!program_ending())
            report_db_error(true, fatal_text);
        return false;
    }
    if (restored) {
        QString text = QStringLiteral("Data byla obnovena ze zálohy %1")
                           .arg(QDir::toNativeSeparators(brought_back));
        text += kept.isEmpty() ? QStringLiteral(".")
                               : QStringLiteral("; původní data jsou uložena v souboru %1.")
                                     .arg(QDir::toNativeSeparators(kept));
        show_message(QStringLiteral("Obnova dat ze zálohy"), text, mbIconInformation);
    }
    return restored;
}
