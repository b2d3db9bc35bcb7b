#include "support/db_fixture.h"

namespace {

using SchemaUpgrade = DbFixture;

} // namespace

TEST_F(SchemaUpgrade, RestoresTheDocumentTypeNames)
{
    exec("UPDATE DOC_TYPES SET DOC_NAME='invoices' WHERE RECID IN (1, 3)");
    ASSERT_TRUE(reopen());
    EXPECT_EQ(sqlite_shell("SELECT group_concat(DOC_NAME, '|') FROM (SELECT DOC_NAME FROM DOC_TYPES ORDER BY RECID)"),
              "faktury vydané|faktury došlé|dobropisy vydané|dobropisy došlé");
}

TEST_F(SchemaUpgrade, AnOlderDatabaseGetsVouchersAndItsCountersStepBackOnce)
{
    exec("DROP TRIGGER GEN_DOC_NO; DROP TRIGGER TE_DEL; DROP VIEW VIEW_TE_CASH; DROP TABLE TE_CASH;");
    exec("CREATE TRIGGER GENERATOR_NO_ID AFTER INSERT ON PAR BEGIN SELECT 1; END;");
    exec("UPDATE GENER_NO SET GEN_ID=10, LAST_WRITE='1.2.2026' WHERE RECID=1");
    exec("UPDATE GENER_NO SET GEN_ID=0, LAST_WRITE='1.2.2026' WHERE RECID=2");
    exec("UPDATE GENER_NO SET GEN_ID=7 WHERE RECID=3"); // never written: '2008-01-01'
    exec("UPDATE GENER_NO SET GEN_ID=30, LAST_WRITE='1.2.2026' WHERE RECID=128");
    exec("UPDATE GENER_NO SET GEN_ID=500, LAST_WRITE='1.2.2026' WHERE RECID=1024");

    ASSERT_TRUE(reopen());
    EXPECT_TRUE(m_messages.empty());
    for (const char *object : {"TABLE.TE_CASH", "VIEW.VIEW_TE_CASH", "TRIGGER.TE_DEL",
                               "TRIGGER.GEN_DOC_NO"})
        EXPECT_TRUE(dm_db_object_exists(object)) << object;
    EXPECT_FALSE(dm_db_object_exists("TRIGGER.GENERATOR_NO_ID"));
    EXPECT_EQ(sqlite_shell("SELECT group_concat(GEN_ID, '|') FROM (SELECT GEN_ID FROM GENER_NO "
                           "WHERE RECID IN (1, 2, 3, 128, 1024) ORDER BY RECID)"),
              "9|0|7|29|500");

    ASSERT_TRUE(reopen());
    EXPECT_EQ(m_api->lookup_int(1, "GENER_NO", "GEN_ID"), 9) << "the step back happens once";
}

TEST_F(SchemaUpgrade, DeletingAJournalEntryRemovesItsVouchers)
{
    exec("INSERT INTO TE (RECID, DATE_D, INCOME) VALUES (1, '2026-01-01', 100), (2, '2026-01-02', 5)");
    exec("INSERT INTO TE_CASH (RECID, TE_ID, IS_INCOME, CASH_NO) VALUES (11, 1, 'T', 1), (12, 2, 'T', 2)");
    exec("DELETE FROM TE WHERE RECID=1");
    EXPECT_EQ(sqlite_shell("SELECT group_concat(RECID) FROM TE_CASH"), "12");
    EXPECT_EQ(m_api->count_rows("VIEW_TE_CASH"), 1);
}
