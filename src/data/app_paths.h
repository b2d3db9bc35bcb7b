#pragma once
// The application folder: the executable and the files named after it
// (settings ".ini", connection ".cfg", labels ".lng", working files).

#include <QString>

// Path of the executable; tests point it into a temporary folder.  An installed program
// points it into the user's own folder, so every file it writes is named from there.
QString app_exe_path();
void set_app_exe_path(const QString &path);

// The executable's path with its extension replaced, e.g. app_file_path(".ini").
QString app_file_path(const QString &extension);
QString app_dir();

// The folder of the files shipped with the program (report templates "Lib", help pages
// "lib", default settings and labels) when they do not lie in the application folder, as
// for an installed program; empty when they do.
QString shipped_dir();
void set_shipped_dir(const QString &path);

// A shipped file by its path relative to the application folder, e.g. "Lib/doc_1.frf":
// the user's own copy in the application folder when there is one, else the shipped one.
// A file found in neither is named in the application folder.
QString app_resource_path(const QString &relative);
