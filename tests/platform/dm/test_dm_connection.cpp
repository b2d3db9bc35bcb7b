#include "dm_test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

using DmConnection = DmTest;

QByteArray read_file(const QString &file)
{
    if (file.isEmpty())
        return {};
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void write_file(const QString &file, const QByteArray &bytes)
{
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST_F(DmConnection, NewDatabaseGetsTheBaseSchemaAndNeverReplacesAFile)
{
    const QString file = path("sub/folder/tallyra.db");
    ASSERT_NE(dm_create_database(file.toUtf8().constData()), 0) << dm_last_error();
    EXPECT_EQ(query_text(file, "PRAGMA application_id"), "1413565529");
    EXPECT_EQ(query_text(file, "SELECT LAST_ID FROM DM_GEN WHERE RECID = 1"), "10000");
    EXPECT_EQ(query_text(file, "PRAGMA journal_mode"), "wal");

    const QByteArray before = read_file(file);
    EXPECT_EQ(dm_create_database(file.toUtf8().constData()), 0);
    EXPECT_NE(std::string(dm_last_error()).find("existuje"), std::string::npos);
    EXPECT_EQ(read_file(file), before);
}

TEST_F(DmConnection, OpenSetsTheConnectionUp)
{
    create_and_open();
    const struct {
        const char *pragma;
        int expected;
    } settings[] = {{"PRAGMA foreign_keys", 1}, {"PRAGMA synchronous", 2}};
    for (const auto &s : settings) {
        SelectedRecord row;
        ASSERT_NE(dm_fetch_record(s.pragma, &row.record), 0) << dm_last_error();
        EXPECT_EQ(*row.int_value(row.record.fields[0].name), s.expected) << s.pragma;
    }
    SelectedRecord mode;
    ASSERT_NE(dm_fetch_record("PRAGMA journal_mode", &mode.record), 0);
    EXPECT_EQ(mode.text_value("journal_mode"), "wal");
    EXPECT_EQ(dm_database_attributes() & 1, 0);
    EXPECT_EQ(dm_version(), 1);
}

TEST_F(DmConnection, WhatIsNoTallyraDatabaseIsRefused)
{
    write_file(path("empty.db"), "");
    write_file(path("text.db"), "Toto není databáze, jen text.\n");
    run_sqlite(path("foreign.db"), "CREATE TABLE X (A)");
    const std::string good = create_and_open("good.db");
    dm_close_database();
    QByteArray damaged = read_file(path("good.db"));
    damaged.replace(100, damaged.size() - 100, QByteArray(damaged.size() - 100, '\x5a'));
    write_file(path("damaged.db"), damaged);
    QDir().mkpath(path("folder.db"));

    const struct {
        std::string connection;
        QString file;
    } cases[] = {
        {connection(path("missing.db").toStdString()), path("missing.db")},
        {connection(path("empty.db").toStdString()), path("empty.db")},
        {connection(path("text.db").toStdString()), path("text.db")},
        {connection(path("foreign.db").toStdString()), path("foreign.db")},
        {connection(path("damaged.db").toStdString()), path("damaged.db")},
        {connection(path("folder.db").toStdString()), path("folder.db")},
        {"", {}},
        {"sqlite:", {}},
        {"mssql:" + good, {}},
    };
    for (const auto &c : cases) {
        const QByteArray before = read_file(c.file);
        EXPECT_EQ(dm_open_database(c.connection.c_str()), 0) << c.connection;
        EXPECT_STRNE(dm_last_error(), "") << c.connection;
        EXPECT_EQ(read_file(c.file), before) << c.connection << " must stay untouched";
        EXPECT_EQ(dm_exec_sql("SELECT 1"), 0) << "nothing is open after " << c.connection;
    }
    EXPECT_FALSE(QFileInfo::exists(path("missing.db")));
    EXPECT_NE(dm_open_database((" " + connection(good) + "\r\n").c_str()), 0) << dm_last_error();
}

TEST_F(DmConnection, ExecRunsOneStatementAScriptSeveralAndObjectsAreFoundByKindAndName)
{
    create_and_open();
    ASSERT_NE(dm_exec_script("CREATE TABLE T (RECID INTEGER PRIMARY KEY);"
                          "CREATE VIEW V AS SELECT * FROM T;"
                          "CREATE TRIGGER TR AFTER INSERT ON T BEGIN SELECT 1; END;"),
              0)
        << dm_last_error();
    const struct {
        const char *object;
        bool exists;
    } cases[] = {
        {"TABLE.T", true},  {"table.t", true}, {"VIEW.V", true},   {"TRIGGER.tr", true},
        {"TABLE.V", false}, {"VIEW.T", false}, {"TABLE.X", false}, {"TABLE.BLOBDATA", true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(dm_db_object_exists(c.object) != 0, c.exists) << c.object;
    for (const char *malformed : {"T", "TABLE.", "COLUMN.T", ""}) {
        EXPECT_EQ(dm_db_object_exists(malformed), 0);
        EXPECT_STRNE(dm_last_error(), "") << malformed;
    }
    // A second statement is refused, and nothing of the text runs.
    EXPECT_EQ(dm_exec_sql("INSERT INTO T VALUES (1); DELETE FROM T"), 0);
    EXPECT_STREQ(dm_last_error(), "Příkaz SQL smí obsahovat jen jeden příkaz.");
    EXPECT_EQ(query_text(path("tallyra.db"), "SELECT COUNT(*) FROM T"), "0");
    EXPECT_EQ(dm_exec_script("INSERT INTO T VALUES (1); INSERT INTO MISSING VALUES (1)"), 0);
    EXPECT_NE(std::string(dm_last_error()).find("MISSING"), std::string::npos);
    EXPECT_NE(dm_exec_sql("SELECT 1"), 0);
    EXPECT_STREQ(dm_last_error(), "") << "a successful call clears the last failure";
}

TEST_F(DmConnection, ADatabaseOnAReadOnlyPlaceIsReadButNotWritten)
{
    const QFileDevice::Permissions read_only = QFile::ReadOwner | QFile::ReadGroup |
                                               QFile::ReadOther | QFile::ExeOwner |
                                               QFile::ExeGroup | QFile::ExeOther;
    for (const bool folder_too : {false, true}) {
        SCOPED_TRACE(folder_too ? "folder and file read-only" : "file read-only");
        const QString folder = path(folder_too ? "ro-folder" : "ro-file");
        ASSERT_TRUE(QDir().mkpath(folder));
        const std::string db = (folder + "/tallyra.db").toStdString();
        ASSERT_NE(dm_create_database(db.c_str()), 0) << dm_last_error();
        ASSERT_NE(dm_open_database(connection(db).c_str()), 0);
        ASSERT_NE(dm_exec_script("CREATE TABLE T (RECID INTEGER PRIMARY KEY, NAME VARCHAR(10));"
                              "INSERT INTO T VALUES (1, 'first')"),
                  0);
        ASSERT_NE(dm_close_database(), 0);
        QFile::setPermissions(m_dir.path(), read_only | QFile::WriteOwner);
        QFile::setPermissions(QString::fromStdString(db),
                              read_only & ~QFile::ExeOwner & ~QFile::ExeGroup & ~QFile::ExeOther);
        QFile::setPermissions(folder, folder_too ? read_only
                                                 : read_only | QFile::WriteOwner |
                                                       QFile::WriteGroup | QFile::WriteOther);

        bool skipped = false;
        const std::string failure = run_without_root(
            [&]() -> std::string {
                if (!dm_open_database(connection(db).c_str()))
                    return std::string("open: ") + dm_last_error();
                if ((dm_database_attributes() & 1) == 0)
                    return "bit 0 of the attributes is not set";
                SelectedRecord row;
                if (!dm_fetch_record("SELECT NAME FROM T", &row.record) ||
                    row.text_value("NAME") != "first")
                    return std::string("read: ") + dm_last_error();
                PutRecord insert("T");
                insert.add_int("RECID", 2);
                if (dm_put_record(pmInsert, insert.get()) || *dm_last_error() == '\0')
                    return "a write was not refused";
                if (dm_exec_sql("INSERT INTO T VALUES (3, 'x')"))
                    return "a statement wrote";
                if (!dm_close_database())
                    return "close";
                return {};
            },
            &skipped);
        QFile::setPermissions(folder, read_only | QFile::WriteOwner);
        if (skipped)
            GTEST_SKIP() << "running as root and unable to drop root: chmod does not stop "
                            "root's writes, so the read-only place cannot be set up";
        EXPECT_EQ(failure, "");
        EXPECT_EQ(query_text(QString::fromStdString(db), "SELECT count(*) FROM T"), "1");
    }
}

TEST_F(DmConnection, ConnectionFileNamesTheChosenDatabase)
{
    const struct {
        const char *exe;
        const char *config;
    } names[] = {
        {"tallyra", "tallyra.cfg"},
        {"tallyra.exe", "tallyra.cfg"},
        {"tally.ra.bin", "tally.ra.cfg"},
    };
    for (const auto &n : names) {
        const QString chosen = path(QString("chosen-") + n.exe + ".db");
        ScriptedChooser::install({chosen.toStdString()});
        const QString exe = path(QString("app/") + n.exe);
        QDir().mkpath(path("app"));
        ASSERT_NE(dm_create_connection_config(exe.toUtf8().constData(), nullptr, 0), 0)
            << dm_last_error();
        ASSERT_EQ(ScriptedChooser::questions().size(), 1u);
        EXPECT_EQ(ScriptedChooser::questions()[0].kind, dmChooseNewDatabase);
        EXPECT_EQ(ScriptedChooser::questions()[0].proposal,
                  path("data/tallyra/tallyra.db").toStdString());
        const QByteArray config = read_file(path(QString("app/") + n.config));
        EXPECT_EQ(config, "sqlite:" + chosen.toUtf8()) << n.exe;
        EXPECT_NE(dm_open_database(config.constData()), 0) << dm_last_error();
        dm_close_database();
        QFile::remove(path(QString("app/") + n.config));
    }
    EXPECT_TRUE(QFileInfo(path("data/tallyra")).isDir()) << "the proposed folder exists";
}

TEST_F(DmConnection, ConnectionIsNotWrittenWhenTheUserCancelsOrPicksAForeignFile)
{
    run_sqlite(path("foreign.db"), "CREATE TABLE X (A)");
    const QString exe = path("tallyra");
    ScriptedChooser::install({std::nullopt});
    EXPECT_EQ(dm_create_connection_config(exe.toUtf8().constData(), nullptr, 0), 0);
    EXPECT_STREQ(dm_last_error(), "");

    ScriptedChooser::install({path("foreign.db").toStdString()});
    EXPECT_EQ(dm_create_connection_config(exe.toUtf8().constData(), nullptr, 0), 0);
    EXPECT_STRNE(dm_last_error(), "");
    EXPECT_FALSE(QFileInfo::exists(path("tallyra.cfg")));
    EXPECT_EQ(query_text(path("foreign.db"), "PRAGMA application_id"), "0");
}

TEST_F(DmConnection, WithoutAChooserTheProposalIsTakenAndAnExistingDatabaseKept)
{
    const QString exe = path("tallyra");
    ASSERT_NE(dm_create_connection_config(exe.toUtf8().constData(), nullptr, 0), 0)
        << dm_last_error();
    const QString db = path("data/tallyra/tallyra.db");
    EXPECT_EQ(read_file(path("tallyra.cfg")), "sqlite:" + db.toUtf8());
    ASSERT_NE(dm_open_database(("sqlite:" + db).toUtf8().constData()), 0);
    ASSERT_NE(dm_exec_script("CREATE TABLE KEPT (A)"), 0);
    dm_close_database();

    ASSERT_NE(dm_create_connection_config(exe.toUtf8().constData(), nullptr, 0), 0)
        << dm_last_error();
    EXPECT_EQ(query_text(db, "SELECT count(*) FROM sqlite_schema WHERE name = 'KEPT'"), "1");
}

} // namespace
