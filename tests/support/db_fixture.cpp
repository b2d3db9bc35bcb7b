#include "support/db_fixture.h"

#include "data/app_paths.h"
#include "data/clock.h"
#include "text/format_settings.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

void DbFixture::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    m_saved_data_home = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", path(QStringLiteral("xdg")).toUtf8());
    QDir(m_dir.path()).mkpath(QStringLiteral("app"));
    QDir(m_dir.path()).mkpath(QStringLiteral("data"));
    set_app_exe_path(path(QStringLiteral("app/tallyra")));
    set_decimal_separator(u',');
    set_short_date_format(QStringLiteral("d.M.yyyy"));
    set_fixed_today(QDate(2026, 3, 15));
    set_program_ending(false);
    set_message_handler([this](const QString &title, const QString &text, int style, bool fatal,
                               int help) {
        m_messages.push_back({title, text, style, fatal, help});
        return m_answer;
    });

    ASSERT_NE(dm_create_database(database_path().toUtf8().constData()), 0) << dm_last_error();
    QFile cfg(path(QStringLiteral("app/tallyra.cfg")));
    ASSERT_TRUE(cfg.open(QIODevice::WriteOnly));
    cfg.write("sqlite:" + database_path().toUtf8());
    cfg.close();
    m_api = std::make_unique<TdbAPI>();
    ASSERT_TRUE(m_api->open_database());
    ASSERT_TRUE(m_messages.empty()) << qPrintable(m_messages.front().text);
}

void DbFixture::TearDown()
{
    m_api.reset();
    dm_close_database();
    if (m_immutable)
        set_immutable(false);
    set_message_handler({});
    set_program_ending(false);
    set_fixed_today({});
    set_app_exe_path({});
    qputenv("XDG_DATA_HOME", m_saved_data_home);
}

bool DbFixture::reopen()
{
    m_api->close_database();
    return m_api->open_database();
}

void DbFixture::set_immutable(bool on)
{
    const int fd = ::open(QFile::encodeName(database_path()).constData(), O_RDONLY);
    if (fd < 0)
        return;
    int flags = 0;
    if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        if (::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0)
            m_immutable = on;
    }
    ::close(fd);
}

bool DbFixture::reopen_read_only()
{
    m_api->close_database();
    const QByteArray file = QFile::encodeName(database_path());
    QFile::setPermissions(database_path(), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    if (::access(file.constData(), W_OK) == 0)
        set_immutable(true);
    if (!m_api->open_database())
        return false;
    return m_api->read_only;
}

QString DbFixture::sqlite_shell(const QString &sql) const
{
    QProcess shell;
    shell.start(QStringLiteral("sqlite3"), {database_path(), sql});
    shell.waitForFinished();
    return QString::fromUtf8(shell.readAllStandardOutput()).trimmed();
}

void DbFixture::exec(const QString &sql)
{
    // A test's own set-up may hold several statements.
    ASSERT_TRUE(dm_exec_script(sql.toUtf8().constData())) << qPrintable(sql) << dm_last_error();
}

int DbFixture::insert_partner(int number, const QString &name)
{
    const int id = m_api->new_recid();
    m_api->exec_sql(QStringLiteral("INSERT INTO PAR (RECID, PARTNER_NO, PARTNER_NAME) VALUES (%1, %2, %3)")
                        .arg(id)
                        .arg(number)
                        .arg(sql_quote(name)));
    return id;
}
