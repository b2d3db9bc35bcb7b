#include "platform/shell/shell.h"

#include <QFileInfo>
#include <QProcess>

namespace {

bool launch_detached(const ShellLaunch &launch)
{
    QProcess process;
    process.setProgram(launch.program);
    process.setArguments(launch.arguments);
    process.setWorkingDirectory(launch.working_dir);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
}

ShellLauncher &installed_launcher()
{
    static ShellLauncher launcher;
    return launcher;
}

bool launch(const ShellLaunch &what)
{
    if (installed_launcher())
        return installed_launcher()(what);
    return launch_detached(what);
}

const QString opener = QStringLiteral("xdg-open");

} // namespace

ShellLauncher set_shell_launcher(ShellLauncher launcher)
{
    ShellLauncher previous = std::move(installed_launcher());
    installed_launcher() = std::move(launcher);
    return previous;
}

int open_url(int kind, const QString &text)
{
    if (text.trimmed().isEmpty())
        return 0;
    switch (kind) {
    case skOpen:
    case skHelp:
        return launch({opener, {text}, {}}) ? 1 : 0;
    case skMail:
        return launch({opener, {QStringLiteral("mailto:") + text}, {}}) ? 1 : 0;
    default:
        return 0;
    }
}

bool start_program(const QString &path, const QStringList &arguments)
{
    const QFileInfo program(path);
    return launch({program.absoluteFilePath(), arguments, program.absolutePath()});
}
