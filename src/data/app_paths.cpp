#include "data/app_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
QString &exe_override()
{
    static QString path;
    return path;
}

QString &shipped_folder()
{
    static QString path;
    return path;
}
} // namespace

QString app_exe_path()
{
    if (!exe_override().isEmpty())
        return exe_override();
    return QCoreApplication::applicationFilePath();
}

void set_app_exe_path(const QString &path)
{
    exe_override() = path;
}

QString app_file_path(const QString &extension)
{
    const QFileInfo exe(app_exe_path());
    QString base = exe.fileName();
    if (base.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        base.chop(4);
    return exe.dir().filePath(base + extension);
}

QString app_dir()
{
    return QFileInfo(app_exe_path()).absolutePath();
}

QString shipped_dir()
{
    return shipped_folder();
}

void set_shipped_dir(const QString &path)
{
    shipped_folder() = path;
}

QString app_resource_path(const QString &relative)
{
    const QString own = QDir(app_dir()).filePath(relative);
    if (shipped_dir().isEmpty() || QFileInfo::exists(own))
        return own;
    const QString shipped = QDir(shipped_dir()).filePath(relative);
    return QFileInfo::exists(shipped) ? shipped : own;
}
