#include "support/db_fixture.h"

#include <QFile>
#include <cstring>

namespace {

// The path the library's question is answered with; empty: the user cancels.
QByteArray chosen_path;

int answer_with_chosen_path(DmChoice, void *, const char *, char *out, int out_size)
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

    insert_partner(2, "po záloze");
    ASSERT_TRUE(m_api->restore_data(0));
    EXPECT_EQ(m_api->count_rows("PAR"), 1);
    EXPECT_TRUE(m_messages.empty());
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

TEST_F(Backup, AForeignFileIsRefusedAndEndsTheProgramWithoutReplacingAnything)
{
    insert_partner(1, "zůstává");
    QFile foreign(path("foreign.db"));
    ASSERT_TRUE(foreign.open(QIODevice::WriteOnly));
    foreign.write("toto není záloha");
    foreign.close();
    chosen_path = foreign.fileName().toUtf8();
    EXPECT_FALSE(m_api->restore_data(0));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_TRUE(m_messages[0].fatal);
    EXPECT_EQ(sqlite_shell("SELECT COUNT(*) FROM PAR"), "1");
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
