#include "data/default_labels.h"

#include "data/inifile.h"

namespace {
const IniFile &defaults()
{
    static const IniFile file(QStringLiteral(":/tallyra/labels/tallyra.lng"));
    return file;
}
} // namespace

QString default_label(const QString &section, const QString &key)
{
    return defaults().read_string(section, key);
}

QString default_float_format(const QString &column)
{
    return defaults().read_string(QStringLiteral("FLOAT"), column);
}
