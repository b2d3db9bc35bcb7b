#include "app/plugins.h"

#include "platform/shell/shell.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

const QRegularExpression plugin_name(QStringLiteral("^tl2_...(\\.exe)?$"),
                                     QRegularExpression::CaseInsensitiveOption);

bool is_windows_program(const QString &path)
{
    return path.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive);
}

} // namespace

std::vector<Tplugin_item> collect_plugins(const QString &folder)
{
    std::vector<Tplugin_item> plugins;
    const QFileInfoList files =
        QDir(folder).entryInfoList({QStringLiteral("tl2_*")}, QDir::Files, QDir::Name);
    for (const QFileInfo &file : files) {
        if (!plugin_name.match(file.fileName()).hasMatch())
            continue;
        if (!is_windows_program(file.fileName()) && !file.isExecutable())
            continue;
        plugins.push_back({file.absoluteFilePath(), QStringLiteral("Kniha jízd"),
                           QStringLiteral("Evidence jízd služebního vozidla.")});
    }
    return plugins;
}

bool run_plugin(const Tplugin_item &item)
{
    if (!item.valid())
        return false;
    if (is_windows_program(item.path))
        return open_url(skOpen, item.path) != 0;
    return start_program(item.path);
}
