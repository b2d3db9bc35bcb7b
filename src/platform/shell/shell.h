#pragma once
// The system shell: opening files, folders, web addresses, mail links and help pages with
// the desktop's own programs (xdg-open), and starting add-on programs.  Nothing here shows
// a window of its own, so it runs headless; tests replace the launcher to record what
// would have been started.

#include <QString>
#include <QStringList>
#include <functional>

enum ShellKind : int {
    skOpen = 1, // a file, a folder or a web address
    skMail = 2, // the text is a mail link without "mailto:"
    skHelp = 3, // a help page
};

struct ShellLaunch {
    QString program;
    QStringList arguments;
    QString working_dir;
};

// Starts the program detached and tells whether it could be started.
using ShellLauncher = std::function<bool(const ShellLaunch &launch)>;

// Installs the launcher and returns the previous one; an empty one restores the real one.
ShellLauncher set_shell_launcher(ShellLauncher launcher);

// 1 when the desktop's opener was started, 0 for an unknown kind, an empty text or a
// failed start.  The opener shows what it opens in a normal window.
int open_url(int kind, const QString &text);

// Starts an executable file in its own folder; false when it cannot be started.
bool start_program(const QString &path, const QStringList &arguments = {});
