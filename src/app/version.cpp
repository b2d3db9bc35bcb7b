#include "app/version.h"

#include "platform/dm/dm.h"

QString program_version()
{
    return QStringLiteral(TALLYRA_VERSION);
}

QString version_text()
{
    return QStringLiteral("Verze ") + program_version() + QStringLiteral(" (db") +
           QString::number(dm_version()) + u')';
}
