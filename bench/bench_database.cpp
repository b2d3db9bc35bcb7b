#include "bench_database.h"

#include "data/app_paths.h"
#include "data/messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>

namespace {

// The connection file beside the executable names the database, also a kept one: a file
// left there by another run would open another database.
bool write_connection(const QString &path)
{
    QFile cfg(app_file_path(QStringLiteral(".cfg")));
    if (!cfg.open(QIODevice::WriteOnly))
        return false;
    cfg.write("sqlite:" + QFileInfo(path).absoluteFilePath().toUtf8());
    return true;
}

} // namespace

bool create_demo_database(const QString &path, const QString &app_exe, TdbAPI &api,
                          const DemoSize &size)
{
    set_message_handler([](const QString &title, const QString &text, int, bool, int) {
        std::fprintf(stderr, "%s: %s\n", qUtf8Printable(title), qUtf8Printable(text));
        return int(mrOk);
    });
    QFile::remove(path);
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!dm_create_database(path.toUtf8().constData())) {
        std::fprintf(stderr, "%s\n", dm_last_error());
        return false;
    }
    set_app_exe_path(app_exe);
    return write_connection(path) && api.open_database() && fill_demo_data(api, size);
}

BenchDatabase::BenchDatabase(const QString &path, const DemoSize &size)
    : m_path(path), m_api(std::make_unique<TdbAPI>())
{
    const QString app_exe = QFileInfo(path).absolutePath() + QStringLiteral("/tallyra");
    if (QFile::exists(path)) {
        set_app_exe_path(app_exe);
        m_ok = write_connection(path) && m_api->open_database();
    } else {
        m_ok = create_demo_database(path, app_exe, *m_api, size);
    }
}

BenchDatabase::~BenchDatabase()
{
    m_api->close_database();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
