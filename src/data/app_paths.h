#pragma once
// The application folder: the executable and the files named after it
// (settings ".ini", connection ".cfg", labels ".lng", working files).

#include <QString>

// Path of the executable; tests point it into a temporary folder.
QString app_exe_path();
void set_app_exe_path(const QString &path);

// The executable's path with its extension replaced, e.g. app_file_path(".ini").
QString app_file_path(const QString &extension);
QString app_dir();
