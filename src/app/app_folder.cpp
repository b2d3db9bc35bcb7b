#include "app/app_folder.h"

#include "data/app_paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace {

const QLatin1String program_folder_name("tallyra");

// The shipped settings and labels become the user's own on the first start; a file the user
// already has is never replaced.
void seed_user_files(const QString &shipped)
{
    for (const char *extension : {".ini", ".lng"}) {
        const QString own = app_file_path(QLatin1String(extension));
        if (QFileInfo::exists(own) ||
            !QFile::copy(QDir(shipped).filePath(QFileInfo(own).fileName()), own))
            continue;
        // The copy keeps the shipped file's read-only mode, yet the program writes its
        // settings back into it.
        QFile(own).setPermissions(QFile(own).permissions() | QFileDevice::WriteOwner);
    }
}

} // namespace

QString installed_share_dir(const QString &program_dir)
{
    const QDir program(program_dir);
    QDir prefix(program_dir);
    if (program.dirName() != program_folder_name || !prefix.cdUp() ||
        prefix.dirName() != QLatin1String("lib") || !prefix.cdUp())
        return {};
    const QString share = prefix.filePath(QStringLiteral("share/") + program_folder_name);
    return QFileInfo(share).isDir() ? QDir::cleanPath(share) : QString();
}

QString user_app_dir()
{
    QString config_home = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config_home.isEmpty() || QDir::isRelativePath(config_home))
        config_home = QDir::home().filePath(QStringLiteral(".config"));
    return QDir(config_home).filePath(program_folder_name);
}

void choose_app_folder()
{
    const QString program_dir = app_dir();
    const QString exe_name = QFileInfo(app_exe_path()).fileName();
    const QString installed_share = installed_share_dir(program_dir);

    const QString override = qEnvironmentVariable("TALLYRA_APP_DIR");
    if (!override.isEmpty()) {
        set_app_exe_path(QDir(QFileInfo(override).absoluteFilePath()).filePath(exe_name));
        set_shipped_dir(installed_share);
        return;
    }
    if (installed_share.isEmpty() && QFileInfo(program_dir).isWritable())
        return;

    const QString shipped = installed_share.isEmpty() ? program_dir : installed_share;
    set_shipped_dir(shipped);
    const QString user = user_app_dir();
    if (!QDir().mkpath(user)) {
        std::fprintf(stderr,
                     "Složku %s pro nastavení programu nelze vytvořit; nastavení "
                     "se neuloží.\n",
                     QDir::toNativeSeparators(user).toUtf8().constData());
        return;
    }
    set_app_exe_path(QDir(user).filePath(exe_name));
    seed_user_files(shipped);
}
