#include "platform/dm/chooser.h"
#include "platform/dm/dm.h"
#include "platform/dm/dm_error.h"
#include "platform/dm/dm_session.h"
#include "platform/dm/tallyra_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// The connection file lies beside the executable and is named like it.
QString connection_file(const QString &app_exe)
{
    const QFileInfo exe(app_exe);
    QString name = exe.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot > 0)
        name.truncate(dot);
    return exe.absolutePath() + u'/' + name + ".cfg";
}

// Data live outside the application folder, so that replacing the program never touches
// them.
QString proposed_database()
{
    QString data_home = QString::fromLocal8Bit(qgetenv("XDG_DATA_HOME"));
    if (data_home.isEmpty() || !QDir::isAbsolutePath(data_home))
        data_home = QDir::homePath() + "/.local/share";
    const QString folder = data_home + "/tallyra";
    QDir().mkpath(folder);
    return folder + "/tallyra.db";
}

bool is_usable_database(const QString &path)
{
    if (!QFileInfo::exists(path))
        return dm_create_database(path.toUtf8().constData()) != 0;
    return dm::open_tallyra_file(path.toStdString(), dm::Access::ReadOnly).has_value();
}

bool write_connection(const QString &file, const QString &database)
{
    QSaveFile connection(file);
    if (connection.open(QIODevice::WriteOnly) &&
        connection.write(("sqlite:" + database).toUtf8()) >= 0 && connection.commit())
        return true;
    dm::set_error("Soubor připojení nelze zapsat: " + file.toStdString() + " (" +
                  connection.errorString().toStdString() + ")");
    return false;
}

} // namespace

int dm_create_connection_config(const char *app_exe, void *parent, int)
{
    dm::clear_error();
    if (!app_exe || !*app_exe) {
        dm::set_error("Chybí cesta k programu, soubor připojení nelze určit.");
        return 0;
    }
    // The user must read which database did not open, and why, before any offer of a new
    // one; otherwise it looks as if the data were gone.
    const std::string failure = dm::session().failed_open;
    dm::session().failed_open.clear();
    const std::optional<std::string> chosen =
        dm::choose_path(dmChooseNewDatabase, parent, proposed_database().toStdString(), failure);
    if (!chosen)
        return 0;
    const QString database = QFileInfo(QString::fromStdString(*chosen)).absoluteFilePath();
    if (!is_usable_database(database))
        return 0;
    return write_connection(connection_file(QString::fromUtf8(app_exe)), database) ? 1 : 0;
}
