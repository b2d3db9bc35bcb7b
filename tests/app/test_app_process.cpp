// The real executable, started as the user and scripts start it.

#include "app/app_server.h"
#include "data/inifile.h"
#include "platform/dm/dm.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>

namespace {

class AppProcess : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QDir(m_dir.path()).mkpath(QStringLiteral("app"));
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert(QStringLiteral("TALLYRA_APP_DIR"), app_folder());
        m_env.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.filePath(QStringLiteral("xdg")));
        m_env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        IniFile settings(app_folder() + QStringLiteral("/tallyra.ini"));
        settings.write_int(QStringLiteral("SETUP"), QStringLiteral("WIZARD"), 0);
        settings.write_int(QStringLiteral("SETUP"), QStringLiteral("AUTO_RUN"), 5);
    }

    void TearDown() override
    {
        for (QProcess *process : {&m_first, &m_second}) {
            if (process->state() == QProcess::NotRunning)
                continue;
            process->kill();
            process->waitForFinished(5000);
        }
    }

    QString app_folder() const { return m_dir.filePath(QStringLiteral("app")); }

    // Runs the program to its end; the exit code, with its output in `output`.
    int run(const QStringList &arguments, QString *output = nullptr)
    {
        QProcess process;
        process.setProcessEnvironment(m_env);
        process.start(QStringLiteral(TALLYRA_EXECUTABLE), arguments);
        EXPECT_TRUE(process.waitForFinished(30000));
        if (output)
            *output =
                QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    void start(QProcess &process)
    {
        process.setProcessEnvironment(m_env);
        process.start(QStringLiteral(TALLYRA_EXECUTABLE), {});
        ASSERT_TRUE(process.waitForStarted());
    }

    QTemporaryDir m_dir;
    QProcessEnvironment m_env;
    QProcess m_first;
    QProcess m_second;
};

} // namespace

TEST_F(AppProcess, CommandLineCreatesADatabaseAndItsConnection)
{
    QString output;
    EXPECT_EQ(run({QStringLiteral("--version")}, &output), 0);
    EXPECT_TRUE(output.startsWith(QStringLiteral("Tallyra 2.12 (db"))) << output.toStdString();
    EXPECT_EQ(run({QStringLiteral("--help")}, &output), 0);
    EXPECT_TRUE(output.contains(QStringLiteral("--create-database CESTA")));
    EXPECT_TRUE(
        output.contains(QString::fromUtf8("Soubor připojení: ") +
                        QDir::toNativeSeparators(app_folder() + QStringLiteral("/tallyra.cfg"))))
        << output.toStdString();

    const QString database = m_dir.filePath(QStringLiteral("data/demo.db"));
    EXPECT_EQ(run({QStringLiteral("--create-database"), database, QStringLiteral("--demo"),
                   QStringLiteral("--connect")},
                  &output),
              0)
        << output.toStdString();
    const QString connection = app_folder() + QStringLiteral("/tallyra.cfg");
    const auto connected_to = [&connection] {
        QFile file(connection);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    };
    EXPECT_EQ(connected_to(), "sqlite:" + database);

    // Without --connect the installed program keeps the database it had, demo data or not.
    for (const QStringList &extra : {QStringList{}, QStringList{QStringLiteral("--demo")}}) {
        const QString other = m_dir.filePath(QStringLiteral("other%1.db").arg(extra.size()));
        EXPECT_EQ(run(QStringList{QStringLiteral("--create-database"), other} + extra, &output), 0)
            << output.toStdString();
        EXPECT_TRUE(QFile::exists(other));
        EXPECT_EQ(connected_to(), "sqlite:" + database);
    }

    QProcess count;
    count.start(QStringLiteral("sqlite3"), {database, QStringLiteral("SELECT COUNT(*) FROM PAR")});
    ASSERT_TRUE(count.waitForFinished());
    EXPECT_GT(count.readAllStandardOutput().trimmed().toInt(), 0);

    // An existing file is never overwritten, and wrong arguments say so.
    EXPECT_EQ(run({QStringLiteral("--create-database"), database}, &output), 2);
    EXPECT_TRUE(output.contains(QStringLiteral("už existuje")));
    EXPECT_EQ(run({QStringLiteral("--create-database")}), 2);
    EXPECT_EQ(run({QStringLiteral("--demo")}), 2);
    // An unknown option is named, the usage follows, and no window starts.
    EXPECT_EQ(run({QStringLiteral("--bogus")}, &output), 2);
    EXPECT_TRUE(output.contains(QStringLiteral("--bogus"))) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("Použití: tallyra"))) << output.toStdString();
}

TEST_F(AppProcess, SecondStartHandsOverToTheFirstAndEnds)
{
    ASSERT_EQ(run({QStringLiteral("--create-database"), m_dir.filePath(QStringLiteral("t.db")),
                   QStringLiteral("--connect")}),
              0);
    start(m_first);
    const QString name = app_server_name(app_folder());
    const QJsonObject new_id{{QStringLiteral("command"), QStringLiteral("data")},
                             {QStringLiteral("code"), -3}};
    std::optional<QJsonObject> answer;
    for (int waited = 0; !answer && waited < 30000; waited += 100) {
        QTest::qWait(100);
        answer = send_app_request(name, new_id);
    }
    ASSERT_TRUE(answer.has_value()) << "the first program never listened";
    EXPECT_GT(answer->value(QStringLiteral("result")).toInt(), 0);

    start(m_second);
    ASSERT_TRUE(m_second.waitForFinished(30000));
    EXPECT_EQ(m_second.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(m_second.readAllStandardOutput()).contains("už běží"));
    EXPECT_EQ(m_first.state(), QProcess::Running);

    // Add-on programs reach the database of the first program.
    const std::optional<QJsonObject> exists =
        send_app_request(name, {{QStringLiteral("command"), QStringLiteral("data")},
                                {QStringLiteral("code"), -4},
                                {QStringLiteral("text"), QStringLiteral("TABLE.DOC_HEAD")}});
    ASSERT_TRUE(exists.has_value());
    EXPECT_NE(exists->value(QStringLiteral("result")).toInt(), 0);
}

TEST_F(AppProcess, AnInterruptedCreationNeverLeavesAHalfMadeDatabase)
{
    const QString database = m_dir.filePath(QStringLiteral("data/tallyra.db"));
    QDir().mkpath(m_dir.filePath(QStringLiteral("data")));
    std::mt19937 random(20261210);
    int complete = 0;
    for (int trial = 0; trial < 30; ++trial) {
        QFile::remove(database);
        QProcess process;
        process.setProcessEnvironment(m_env);
        process.start(QStringLiteral(TALLYRA_EXECUTABLE),
                      {QStringLiteral("--create-database"), database});
        ASSERT_TRUE(process.waitForStarted());
        // A creation takes some 40 ms here; the kills fall before, inside and after it.
        QTest::qWait(std::uniform_int_distribution<int>(0, 60)(random));
        process.kill();
        process.waitForFinished(5000);
        if (!QFile::exists(database))
            continue;
        EXPECT_EQ(dm_database_file_state(database.toUtf8().constData()), 1)
            << "trial " << trial << ": " << dm_last_error();
        ++complete;
    }
    std::printf("[          ] %d of 30 killed creations had finished\n", complete);

    QFile::remove(database);
    ASSERT_EQ(run({QStringLiteral("--create-database"), database}), 0);
    EXPECT_EQ(QDir(m_dir.filePath(QStringLiteral("data")))
                  .entryList(QDir::Files | QDir::Hidden)
                  .filter(QStringLiteral(".nova-")),
              QStringList{})
        << "what interrupted creations left is cleared";
}
