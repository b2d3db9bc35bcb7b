#include "app/context_help.h"

#include "data/app_paths.h"
#include "data/messages.h"
#include "data/setup_keys.h"
#include "platform/shell/shell.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWidget>

namespace {

const int main_window_topic = 101;

} // namespace

QString help_page(int topic)
{
    const QString index = app_resource_path(QStringLiteral("lib/index.html"));
    if (topic != 0 && topic != main_window_topic) {
        const QString page = app_resource_path(QStringLiteral("lib/%1.htm").arg(topic));
        if (QFileInfo::exists(page))
            return page;
    }
    return QFileInfo::exists(index) ? index : QString();
}

TContextHelp::~TContextHelp()
{
    if (m_library.isLoaded())
        m_library.unload();
}

void TContextHelp::show(int help_type, int topic, QWidget *main_window)
{
    if (topic == 0)
        topic = main_window_topic;
    switch (help_type) {
    case setup::htCompiledHtml:
        if (show_compiled(topic))
            return;
        break;
    case setup::htHelpLibrary:
        if (show_through_library(topic == main_window_topic ? 0 : topic, main_window))
            return;
        break;
    default:
        break;
    }
    show_page(topic);
}

// The compiled help file named like the executable, shown by a CHM viewer when one is
// installed; it opens the file at its start page.
bool TContextHelp::show_compiled(int)
{
    const QString file = app_file_path(QStringLiteral(".chm"));
    if (!QFileInfo::exists(file))
        return false;
    const QString viewer = QStandardPaths::findExecutable(QStringLiteral("xchm"));
    if (viewer.isEmpty())
        return false;
    return start_program(viewer, {file});
}

bool TContextHelp::show_through_library(int topic, QWidget *main_window)
{
    if (!m_library_tried) {
        m_library_tried = true;
        m_library.setFileName(QDir(app_dir()).filePath(QStringLiteral("tlhtmhlp")));
        if (!m_library.load()) {
            m_library.setFileName(QStringLiteral("tlhtmhlp"));
            m_library.load();
        }
        if (m_library.isLoaded())
            m_entry = reinterpret_cast<Entry>(m_library.resolve("tlhelp_show"));
    }
    if (!m_entry)
        return false;
    void *window = main_window ? reinterpret_cast<void *>(main_window->winId()) : nullptr;
    m_entry(nullptr, window, main_window, topic);
    return true;
}

void TContextHelp::show_page(int topic)
{
    const QString page = help_page(topic);
    if (page.isEmpty() || open_url(skHelp, page))
        return;
    show_message(QStringLiteral("Nápověda"),
                 QStringLiteral("Nápovědu se nepodařilo zobrazit, protože se nepodařilo spustit "
                                "internetový prohlížeč.\r\nStránky nápovědy najdete ve složce "
                                "%1.")
                     .arg(QDir::toNativeSeparators(QFileInfo(page).absolutePath())),
                 mbIconWarning);
}
