#include "app/app_folder.h"

#include "data/app_paths.h"

#include <QDir>
#include <QFileInfo>

void apply_app_folder_override()
{
    const QString folder = qEnvironmentVariable("TALLYRA_APP_DIR");
    if (folder.isEmpty())
        return;
    const QString name = QFileInfo(app_exe_path()).fileName();
    set_app_exe_path(QDir(QFileInfo(folder).absoluteFilePath()).filePath(name));
}
