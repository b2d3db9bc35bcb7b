#pragma once
// Add-on programs: executables named "tl2_" and three characters, with or without
// ".exe", beside the main executable.  Each becomes a command under "Přídavné moduly".

#include <QString>
#include <vector>

struct Tplugin_item {
    QString path;
    QString caption;
    QString hint;

    bool valid() const { return !path.isEmpty(); }
};

// The add-on programs in the folder, ordered by file name.  A file without ".exe" counts
// only when it may be executed.
std::vector<Tplugin_item> collect_plugins(const QString &folder);

// Starts the add-on: a native program directly, an ".exe" through the system shell.
bool run_plugin(const Tplugin_item &item);
