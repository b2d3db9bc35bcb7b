#include "support/db_fixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <cstring>

namespace {

// The path the library's question is answered with; empty: the user cancels.
QByteArray chosen_path;

int answer_with_chosen_path(DmChoice, void *, const char *, const char *, char *out, int out_size)
{
    if (chosen_path.isEmpty() || chosen_path.size() >= out_size)
        return 0;
    std::memcpy(out, chosen_path.constData(), chosen_path.size() + 1);
    return 1;
}

class Backup : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        dm_set_chooser(answer_with_chosen_path);
    }
    void TearDown() override
    {
        dm_set_chooser(nullptr);
        chosen_path.clear();
        DbFixture::TearDown();
    }
};

} // namespace

TEST_F(Backup, RestoreBringsBackTheCopyAndLeavesTheDatabaseOpen)
{
    insert_partner(1, "před zálohou");
    chosen_path = path("copy.db").toUtf8();
    ASSERT_TRUE(m_api->backup_data(0));
    EXPECT_EQ(m_api->count_rows("PAR"), 1) << "open again after the backup";

    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text,
              QStringLiteral("Záloha byla uložena do souboru %1.").arg(path("copy.db")));

    insert_partner(2, "po záloze");
    ASSERT_TRUE(m_api->restore_data(0));
    EXPECT_EQ(m_api->count_rows("PAR"), 1);
    ASSERT_EQ(m_messages.size(), 2u);
    const QString safety = QString::fromUtf8(dm_last_safety_copy());
    EXPECT_EQ(m_messages[1].text,
              QStringLiteral("Data byla obnovena ze zálohy %1; původní data jsou uložena "
                             "v souboru %2.")
                  .arg(path("copy.db"), safety));
    ASSERT_TRUE(QFile::exists(safety));
    QProcess shell;
    shell.start(QStringLiteral("sqlite3"), {safety, QStringLiteral("SELECT COUNT(*) FROM PAR")});
    ASSERT_TRUE(shell.waitForFinished());
    EXPECT_EQ(shell.readAllStandardOutput().trimmed(), "2")
        << "the safety copy holds the data replaced";
}

TEST_F(Backup, CancelledChoicesChangeNothingAndKeepTheDatabaseOpen)
{
    insert_partner(1, "zůstává");
    EXPECT_FALSE(m_api->backup_data(0));
    EXPECT_FALSE(m_api->restore_data(0));
    EXPECT_EQ(m_api->count_rows("PAR"), 1);
    EXPECT_TRUE(m_messages.empty());
    EXPECT_FALSE(program_ending());
}

TEST_F(Backup, ACopyRefusedBeforeAnythingIsReplacedIsReportedAndWorkGoesOn)
{
    insert_partner(1, "zůstává");
    const auto write_file = [this](const QString &name, const QByteArray &bytes) {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    QByteArray damaged_bytes(8192, '\x5a');
    damaged_bytes.replace(0, 16, QByteArray("SQLite format 3", 16));
    const struct {
        QString file;
        const char *reason;
    } cases[] = {
        {write_file("foreign.db", "toto není záloha"), "není databáze SQLite nebo je poškozený"},
        {write_file("empty.db", {}), "je prázdný"},
        {write_file("damaged.db", damaged_bytes), "je poškozený"},
        {database_path(), "ze sebe samé"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        m_messages.clear();
        chosen_path = c.file.toUtf8();
        EXPECT_FALSE(m_api->restore_data(0));
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_FALSE(m_messages[0].fatal);
        EXPECT_FALSE(program_ending());
        EXPECT_TRUE(m_messages[0].text.contains(QString::fromUtf8(c.reason)))
            << m_messages[0].text.toStdString();
        EXPECT_EQ(m_api->count_rows("PAR"), 1) << "the database is open and whole";
    }
}

TEST_F(Backup, ARestoreThatFailsWhileReplacingEndsTheProgram)
{
    chosen_path = path("copy.db").toUtf8();
    ASSERT_TRUE(m_api->backup_data(0));
    // A folder where the replaced file's journal would be cannot go into the safety copy.
    ASSERT_TRUE(QDir().mkpath(database_path() + "-journal/x"));
    EXPECT_FALSE(m_api->restore_data(0));
    QDir(database_path() + "-journal").removeRecursively();
    ASSERT_FALSE(m_messages.empty());
    EXPECT_TRUE(m_messages.back().fatal);
    EXPECT_TRUE(program_ending());
}

TEST_F(Backup, RestoringACopyMadeBeforeVouchersUpgradesIt)
{
    exec("DROP TRIGGER GEN_DOC_NO; DROP TRIGGER TE_DEL; DROP VIEW VIEW_TE_CASH; DROP TABLE TE_CASH;");
    chosen_path = path("old.db").toUtf8();
    // Without the upgrade's objects, as an older program left its copies.
    ASSERT_TRUE(dm_close_database());
    ASSERT_TRUE(dm_backup_database(nullptr, nullptr, 0)) << dm_last_error();
    ASSERT_TRUE(m_api->open_database());
    ASSERT_TRUE(dm_db_object_exists("TABLE.TE_CASH"));

    ASSERT_TRUE(m_api->restore_data(0));
    for (const char *object : {"TABLE.TE_CASH", "VIEW.VIEW_TE_CASH", "TRIGGER.TE_DEL",
                               "TRIGGER.GEN_DOC_NO"})
        EXPECT_TRUE(dm_db_object_exists(object)) << object;
}
