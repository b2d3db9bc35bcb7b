#pragma once
// The settings file beside the executable and the reads and writes of its section "SETUP"
// (keys and defaults in setup_keys.h).  Every call reads the file anew, so a value written
// by one window is seen by the next reader.

#include "data/inifile.h"

#include <QString>

IniFile settings_file();

bool read_setup_bool(const QString &key, bool default_value);
int read_setup_int(const QString &key, int default_value);
// A failure to write is ignored: the setting then simply keeps its old value.
void write_setup_bool(const QString &key, bool value);
