#pragma once
// Where the program writes its settings, connection, labels and working files, and where it
// finds the report templates, help pages and defaults shipped with it.  Decided once at
// start-up, before anything reads a file:
// - the environment variable TALLYRA_APP_DIR names the folder: a portable installation, or a
//   test that needs its own settings, connection and help files;
// - an installed program (its executable in <prefix>/lib/tallyra, its shipped files in
//   <prefix>/share/tallyra) and a program whose folder the user may not write keep their
//   files in $XDG_CONFIG_HOME/tallyra (by default ~/.config/tallyra), seeded there on the first
//   start with the shipped settings and labels; templates and help come from the user's copy
//   there when one exists, otherwise from the shipped folder;
// - otherwise, as in the build folder, everything lies beside the executable.

#include <QString>

void choose_app_folder();

// The shipped folder of an installed program whose executable lies in `program_dir`, or an
// empty text when the program is not installed that way.
QString installed_share_dir(const QString &program_dir);

// The user's own folder of an installed program.
QString user_app_dir();
