#include "dm_test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

class DmBackup : public DmTest {
protected:
    void SetUp() override
    {
        DmTest::SetUp();
        m_db = create_and_open();
        ASSERT_NE(dm_exec_script("CREATE TABLE NOTE (RECID INTEGER PRIMARY KEY, TXT VARCHAR(20));"
                              "INSERT INTO NOTE VALUES (1, 'before backup')"),
                  0);
    }

    std::string notes(const QString &file) const
    {
        return query_text(file, "SELECT group_concat(TXT, '|') FROM "
                                "(SELECT TXT FROM NOTE ORDER BY RECID)");
    }

    void add_note_and_close(const char *text)
    {
        ASSERT_NE(dm_open_database(connection(m_db).c_str()), 0) << dm_last_error();
        const std::string sql = "INSERT INTO NOTE (TXT) VALUES ('" + std::string(text) + "')";
        ASSERT_NE(dm_exec_script(sql.c_str()), 0);
        ASSERT_NE(dm_close_database(), 0);
    }

    QString db() const { return QString::fromStdString(m_db); }

    std::string m_db;
};

TEST_F(DmBackup, RestoreBringsBackTheCopyAndKeepsTheReplacedData)
{
    ASSERT_NE(dm_close_database(), 0);
    const QString copy = path("copies/monday.db");
    ScriptedChooser::install({copy.toStdString()});
    ASSERT_NE(dm_backup_database("tallyra", nullptr, 0), 0) << dm_last_error();
    ASSERT_EQ(ScriptedChooser::questions().size(), 1u);
    EXPECT_EQ(ScriptedChooser::questions()[0].kind, dmChooseBackupTarget);
    EXPECT_TRUE(QRegularExpression(QRegularExpression::anchoredPattern(
                                       QRegularExpression::escape(path("zalohy/tallyra-")) +
                                       "\\d{4}-\\d{2}-\\d{2}\\.db"))
                    .match(QString::fromStdString(ScriptedChooser::questions()[0].proposal))
                    .hasMatch())
        << ScriptedChooser::questions()[0].proposal;
    EXPECT_EQ(notes(copy), "before backup");
    EXPECT_EQ(QDir(path("copies")).entryList(QDir::Files), QStringList{"monday.db"})
        << "no temporary file is left behind";

    add_note_and_close("after backup");
    ScriptedChooser::install({copy.toStdString()});
    ASSERT_NE(dm_restore_database("tallyra", nullptr, 0), 0) << dm_last_error();
    EXPECT_EQ(ScriptedChooser::questions()[0].kind, dmChooseRestoreSource);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files).join(' ').toStdString(),
              "tallyra.db tallyra.db.pred-obnovou")
        << "no side files are left behind";
    EXPECT_EQ(notes(db()), "before backup");
    EXPECT_EQ(notes(db() + ".pred-obnovou"), "before backup|after backup");

    ASSERT_NE(dm_open_database(connection(m_db).c_str()), 0) << dm_last_error();
    SelectedRecord row;
    ASSERT_NE(dm_fetch_record("SELECT count(*) AS N FROM NOTE", &row.record), 0);
    EXPECT_EQ(row.int_value("N"), 1);
    EXPECT_EQ(query_text(db(), "PRAGMA journal_mode"), "wal");
}

TEST_F(DmBackup, TheJournalOfADatabaseThatWasNotClosedGoesWithTheSafetyCopy)
{
    ASSERT_NE(dm_close_database(), 0);
    const QString copy = path("copy.db");
    ScriptedChooser::install({copy.toStdString()});
    ASSERT_NE(dm_backup_database("tallyra", nullptr, 0), 0) << dm_last_error();

    // A crash leaves committed rows in the -wal file only.
    ASSERT_NE(dm_open_database(connection(m_db).c_str()), 0);
    ASSERT_NE(dm_exec_script("INSERT INTO NOTE (TXT) VALUES ('only in wal')"), 0);
    ASSERT_TRUE(QFile::copy(db(), path("crash.db")));
    ASSERT_TRUE(QFile::copy(db() + "-wal", path("crash.db-wal")));
    ASSERT_NE(dm_close_database(), 0);
    ASSERT_TRUE(QFile::remove(db()));
    ASSERT_TRUE(QFile::rename(path("crash.db"), db()));
    ASSERT_TRUE(QFile::rename(path("crash.db-wal"), db() + "-wal"));

    ScriptedChooser::install({copy.toStdString()});
    ASSERT_NE(dm_restore_database("tallyra", nullptr, 0), 0) << dm_last_error();
    EXPECT_FALSE(QFileInfo::exists(db() + "-wal"));
    EXPECT_EQ(notes(db()), "before backup");
    EXPECT_EQ(query_text(db(), "PRAGMA quick_check"), "ok");
    EXPECT_EQ(notes(db() + ".pred-obnovou"), "before backup|only in wal");
}

TEST_F(DmBackup, ASecondRestoreKeepsTheFirstSafetyCopy)
{
    ASSERT_NE(dm_close_database(), 0);
    const QString copy = path("copy.db");
    ScriptedChooser::install({copy.toStdString()});
    ASSERT_NE(dm_backup_database("tallyra", nullptr, 0), 0) << dm_last_error();
    add_note_and_close("only here");
    ScriptedChooser::install({copy.toStdString(), copy.toStdString()});
    ASSERT_NE(dm_restore_database("tallyra", nullptr, 0), 0) << dm_last_error();
    ASSERT_NE(dm_restore_database("tallyra", nullptr, 0), 0) << dm_last_error();
    EXPECT_EQ(notes(db() + ".pred-obnovou"), "before backup|only here");
    EXPECT_EQ(notes(db() + ".pred-obnovou-2"), "before backup");
}

TEST_F(DmBackup, WithoutAChooserCopiesGoToTheBackupFolderAndTheNewestIsProposed)
{
    ASSERT_NE(dm_close_database(), 0);
    ASSERT_NE(dm_backup_database("tallyra", nullptr, 0), 0) << dm_last_error();
    add_note_and_close("second");
    ASSERT_NE(dm_backup_database("tallyra", nullptr, 0), 0) << dm_last_error();
    const QStringList copies = QDir(path("zalohy")).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(copies.size(), 2) << "an earlier copy is never overwritten: "
                                << copies.join(", ").toStdString();

    add_note_and_close("third");
    ScriptedChooser::install({std::nullopt});
    EXPECT_EQ(dm_restore_database("tallyra", nullptr, 0), 0);
    EXPECT_STREQ(dm_last_error(), "") << "cancelled";
    const QString newest =
        QDir(path("zalohy")).entryInfoList(QDir::Files, QDir::Time).first().absoluteFilePath();
    EXPECT_EQ(ScriptedChooser::questions()[0].proposal, newest.toStdString());
    EXPECT_EQ(notes(db()), "before backup|second|third");
}

TEST_F(DmBackup, OnlyASoundTallyraCopyReplacesTheDatabase)
{
    ASSERT_NE(dm_close_database(), 0);
    run_sqlite(path("foreign.db"), "CREATE TABLE NOTE (RECID, TXT)");
    {
        QFile text(path("text.db"));
        ASSERT_TRUE(text.open(QIODevice::WriteOnly));
        text.write("not a database");
    }
    const QString damaged = path("damaged.db");
    ScriptedChooser::install({damaged.toStdString()});
    ASSERT_NE(dm_backup_database("tallyra", nullptr, 0), 0);
    {
        // An invalid page type on the table's root page; header and schema stay readable.
        const qint64 page = std::stoll(query_text(damaged, "PRAGMA page_size"));
        const qint64 root = std::stoll(
            query_text(damaged, "SELECT rootpage FROM sqlite_schema WHERE name = 'NOTE'"));
        QFile file(damaged);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.seek((root - 1) * page));
        file.write("\x7f", 1);
    }
    for (const QString &source : {path("foreign.db"), path("text.db"), damaged, db()}) {
        ScriptedChooser::install({source.toStdString()});
        EXPECT_EQ(dm_restore_database("tallyra", nullptr, 0), 0) << source.toStdString();
        EXPECT_STRNE(dm_last_error(), "") << source.toStdString();
    }
    EXPECT_EQ(notes(db()), "before backup");
    EXPECT_FALSE(QFileInfo::exists(db() + ".pred-obnovou"));
}

TEST_F(DmBackup, TheDatabaseItselfIsNoBackupTargetAndAnOpenOneIsNotRestored)
{
    ScriptedChooser::install({m_db, path("copy.db").toStdString()});
    ASSERT_NE(dm_close_database(), 0);
    const QByteArray before = [this] {
        QFile f(db());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    EXPECT_EQ(dm_backup_database("tallyra", nullptr, 0), 0);
    EXPECT_STRNE(dm_last_error(), "");
    ASSERT_NE(dm_backup_database("tallyra", nullptr, 0), 0) << dm_last_error();

    ASSERT_NE(dm_open_database(connection(m_db).c_str()), 0);
    ScriptedChooser::install({path("copy.db").toStdString()});
    EXPECT_EQ(dm_restore_database("tallyra", nullptr, 0), 0);
    EXPECT_STRNE(dm_last_error(), "");
    dm_close_database();
    QFile f(db());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

} // namespace
