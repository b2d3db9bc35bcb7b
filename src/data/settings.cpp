#include "data/settings.h"

#include "data/app_paths.h"
#include "data/setup_keys.h"

IniFile settings_file()
{
    return IniFile(app_file_path(QStringLiteral(".ini")));
}

bool read_setup_bool(const QString &key, bool default_value)
{
    return settings_file().read_bool(setup::section, key, default_value);
}

int read_setup_int(const QString &key, int default_value)
{
    return settings_file().read_int(setup::section, key, default_value);
}

void write_setup_bool(const QString &key, bool value)
{
    settings_file().write_bool(setup::section, key, value);
}
