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

TEST_F(SchemaUpgrade, HistoryTextsOfAnOlderDatabaseAreWidenedAndKept)
{
    exec("DROP TABLE USER_HIST");
    exec("CREATE TABLE USER_HIST (RECID INTEGER NOT NULL PRIMARY KEY ON CONFLICT IGNORE, "
         "DATA_FIELD INTEGER, TXT VARCHAR(128))");
    exec("INSERT INTO USER_HIST VALUES (1, 10, 'Praha'), (2, 10, 'Brno'), (3, 20, 'Nájem')");

    ASSERT_TRUE(reopen());
    EXPECT_TRUE(m_messages.empty()) << qPrintable(m_messages.front().text);
    EXPECT_EQ(sqlite_shell("SELECT group_concat(RECID || ':' || DATA_FIELD || ':' || TXT, '|') "
                           "FROM (SELECT * FROM USER_HIST ORDER BY RECID)"),
              "1:10:Praha|2:10:Brno|3:20:Nájem");
    EXPECT_EQ(sqlite_shell("SELECT name FROM sqlite_master WHERE tbl_name='USER_HIST' "
                           "AND type='index'"),
              "USER_HIST_FIELD");

    const QString item = QString(255, QChar(u'ř'));
    exec("INSERT INTO USER_HIST VALUES (4, 10, '" + item + "')");
    exec("INSERT INTO USER_HIST VALUES (4, 10, 'again')");
    ScopedSet set = m_api->select_scoped("X", "SELECT TXT FROM USER_HIST WHERE RECID=4");
    ASSERT_TRUE(set);
    EXPECT_EQ(set->field(0).size(), 255);
    set->edit();
    set->field(0).set_as_string(item);
    EXPECT_EQ(set->field(0).as_string(), item) << "a text of the widest field fits whole";

    ASSERT_TRUE(reopen());
    EXPECT_EQ(m_api->count_rows("USER_HIST"), 4) << "the widened table is kept as it is";
}

TEST_F(SchemaUpgrade, AHistoryThatCannotBeWidenedStaysAsItWas)
{
    exec("DROP TABLE USER_HIST");
    exec("CREATE TABLE USER_HIST (RECID INTEGER NOT NULL PRIMARY KEY ON CONFLICT IGNORE, "
         "DATA_FIELD INTEGER, TXT VARCHAR(128))");
    exec("INSERT INTO USER_HIST VALUES (1, 10, 'Praha')");
    // A view of the user's own over the table stops its replacement half-way.
    exec("CREATE VIEW MY_HISTORY AS SELECT TXT FROM USER_HIST");

    ASSERT_TRUE(reopen());
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_TRUE(m_messages[0].text.startsWith("Historii textů se nepodařilo upravit"));
    EXPECT_FALSE(m_messages[0].fatal);
    EXPECT_EQ(sqlite_shell("SELECT TXT FROM MY_HISTORY"), "Praha");
    EXPECT_EQ(sqlite_shell("SELECT group_concat(name) FROM sqlite_master "
                           "WHERE name LIKE 'USER_HIST%'"),
              "USER_HIST")
        << "nothing left over beside it";
    EXPECT_TRUE(sqlite_shell("SELECT sql FROM sqlite_master WHERE name='USER_HIST'")
                    .contains("VARCHAR(128)"));
}

TEST_F(SchemaUpgrade, ANewDatabaseHasWideHistoryTextsFromTheStart)
{
    EXPECT_TRUE(sqlite_shell("SELECT sql FROM sqlite_master WHERE name='USER_HIST'")
                    .contains("TXT VARCHAR(255)"));
}
