#include "dm_test_support.h"

#include <set>

namespace {

class DmPut : public DmTest {
protected:
    void SetUp() override
    {
        DmTest::SetUp();
        m_db = create_and_open();
        ASSERT_NE(dm_exec_script("CREATE TABLE PART (RECID INTEGER PRIMARY KEY, NO VARCHAR(10) "
                              "UNIQUE, NAME VARCHAR(40), RATE FLOAT)"),
                  0)
            << dm_last_error();
    }

    std::string stored(const std::string &sql) const
    {
        return query_text(path("tallyra.db"), sql.c_str());
    }

    std::string m_db;
};

TEST_F(DmPut, InsertUpdateAndDeleteReachTheRow)
{
    const int id = dm_gen_id();
    ASSERT_GT(id, 0) << dm_last_error();
    PutRecord insert("PART");
    insert.add_int("RECID", id)
        .add_text("NO", "P1")
        .add_text("NAME", "Šroub")
        .add_float("RATE", 1.5);
    ASSERT_NE(dm_put_record(pmInsert, insert.get()), 0) << dm_last_error();

    // An update keeps the row's id even when its RECID slot carries a fresh one.
    PutRecord update("PART", id);
    update.add_int("RECID", id + 1000).add_text("NAME", "Matice").add_null("RATE", dmFloat);
    ASSERT_NE(dm_put_record(pmUpdate, update.get()), 0) << dm_last_error();
    const std::string where = " FROM PART WHERE RECID = " + std::to_string(id);
    EXPECT_EQ(stored("SELECT NAME || '|' || NO || '|' || ifnull(RATE, 'null')" + where),
              "Matice|P1|null");

    PutRecord remove("PART", id);
    ASSERT_NE(dm_put_record(pmDelete, remove.get()), 0) << dm_last_error();
    EXPECT_EQ(stored("SELECT count(*)" + where), "0");
}

TEST_F(DmPut, UpdateOrDeleteOfAMissingRowIsAFailure)
{
    ASSERT_NE(dm_exec_script("INSERT INTO PART (RECID, NO) VALUES (5, 'A')"), 0);
    const struct {
        PutMode mode;
        bool with_columns;
    } cases[] = {{pmUpdate, true}, {pmUpdate, false}, {pmDelete, false}};
    for (const auto &c : cases) {
        PutRecord record("PART", 6);
        if (c.with_columns)
            record.add_text("NAME", "x");
        EXPECT_EQ(dm_put_record(c.mode, record.get()), 0) << c.mode;
        EXPECT_NE(std::string(dm_last_error()).find("neexistuje"), std::string::npos)
            << dm_last_error();
    }
    PutRecord nothing_to_change("PART", 5);
    EXPECT_NE(dm_put_record(pmUpdate, nothing_to_change.get()), 0) << dm_last_error();
}

TEST_F(DmPut, SqliteTextReachesTheProgramOnAConstraintFailure)
{
    PutRecord first("PART");
    first.add_int("RECID", 1).add_text("NO", "P1");
    ASSERT_NE(dm_put_record(pmInsert, first.get()), 0);
    PutRecord second("PART");
    second.add_int("RECID", 2).add_text("NO", "P1");
    EXPECT_EQ(dm_put_record(pmInsert, second.get()), 0);
    EXPECT_NE(std::string(dm_last_error()).find("UNIQUE"), std::string::npos) << dm_last_error();
}

TEST_F(DmPut, NamesAreQuotedAndValuesBoundSoNoTextBecomesSql)
{
    ASSERT_NE(dm_exec_script("CREATE TABLE \"ODD\"\"TABLE\" (RECID INTEGER PRIMARY KEY, "
                          "\"MY COL\" VARCHAR(50))"),
              0);
    PutRecord odd("ODD\"TABLE");
    odd.add_int("RECID", 1).add_text("MY COL", "'); DROP TABLE PART; --");
    ASSERT_NE(dm_put_record(pmInsert, odd.get()), 0) << dm_last_error();
    EXPECT_EQ(stored("SELECT \"MY COL\" FROM \"ODD\"\"TABLE\""), "'); DROP TABLE PART; --");

    PutRecord hostile("PART; DROP TABLE PART");
    hostile.add_int("RECID", 2);
    EXPECT_EQ(dm_put_record(pmInsert, hostile.get()), 0);
    EXPECT_NE(dm_db_object_exists("TABLE.PART"), 0);
}

TEST_F(DmPut, MalformedRecordsAreRefusedWithAReason)
{
    PutRecord no_table("");
    no_table.add_int("RECID", 1);
    PutRecord twice("PART");
    twice.add_int("RECID", 1).add_text("NAME", "a").add_text("name", "b");
    PutRecord empty("PART");
    PutRecord unnamed("PART");
    unnamed.add_int("", 1);
    for (PutRecord *record : {&no_table, &twice, &empty, &unnamed}) {
        EXPECT_EQ(dm_put_record(pmInsert, record->get()), 0);
        EXPECT_STRNE(dm_last_error(), "");
    }
    EXPECT_EQ(dm_put_record(static_cast<PutMode>(7), twice.get()), 0);
    EXPECT_EQ(stored("SELECT count(*) FROM PART"), "0");
}

TEST_F(DmPut, ASlotWithoutTypeLeavesTheStoredValue)
{
    ASSERT_NE(dm_exec_script("INSERT INTO PART (RECID, NAME, RATE) VALUES (3, 'keep', 2)"), 0);
    PutRecord update("PART", 3);
    update.add_null("NAME", dmNone).add_float("RATE", 4);
    ASSERT_NE(dm_put_record(pmUpdate, update.get()), 0) << dm_last_error();
    EXPECT_EQ(stored("SELECT NAME || RATE FROM PART"), "keep4.0");
}

TEST_F(DmPut, GeneratedIdsIncreaseAndAreNeverHandedOutTwice)
{
    std::set<int> seen;
    int previous = 0;
    const auto draw = [&] {
        const int id = dm_gen_id();
        ASSERT_GT(id, previous) << dm_last_error();
        ASSERT_TRUE(seen.insert(id).second);
        previous = id;
    };
    draw();
    EXPECT_GT(previous, 10000);

    ASSERT_NE(dm_start_transaction(), 0);
    draw();
    draw();
    ASSERT_NE(dm_rollback_transaction(), 0);
    draw(); // the rolled-back counter must not give the same ids again

    ASSERT_NE(dm_close_database(), 0);
    ASSERT_NE(dm_open_database(connection(m_db).c_str()), 0);
    draw();
    EXPECT_EQ(stored("SELECT LAST_ID FROM DM_GEN"), std::to_string(previous));
}

TEST_F(DmPut, AnExhaustedOrMissingGeneratorFailsWithoutSpoilingTheTransaction)
{
    ASSERT_NE(dm_start_transaction(), 0);
    PutRecord kept("PART");
    kept.add_int("RECID", dm_gen_id()).add_text("NAME", "kept");
    ASSERT_NE(dm_put_record(pmInsert, kept.get()), 0);
    for (const char *breakage : {"UPDATE DM_GEN SET LAST_ID = 2147483647", "DELETE FROM DM_GEN"}) {
        ASSERT_NE(dm_exec_script(breakage), 0);
        EXPECT_EQ(dm_gen_id(), 0) << breakage;
        EXPECT_NE(std::string(dm_last_error()).find("DM_GEN"), std::string::npos)
            << dm_last_error();
        EXPECT_NE(dm_in_transaction(), 0);
    }
    ASSERT_NE(dm_commit_transaction(), 0) << dm_last_error();
    EXPECT_EQ(stored("SELECT NAME FROM PART"), "kept");
    EXPECT_EQ(dm_gen_id(), 0);
}

TEST_F(DmPut, TransactionsCommitOrLeaveNothing)
{
    EXPECT_EQ(dm_in_transaction(), 0);
    ASSERT_NE(dm_start_transaction(), 0) << dm_last_error();
    EXPECT_NE(dm_in_transaction(), 0);
    EXPECT_EQ(dm_start_transaction(), 0) << "no nested transaction";
    PutRecord lost("PART");
    lost.add_int("RECID", dm_gen_id()).add_text("NAME", "lost");
    ASSERT_NE(dm_put_record(pmInsert, lost.get()), 0);
    ASSERT_NE(dm_exec_script("INSERT INTO BLOBDATA (RECID, DATA) VALUES (1, x'00')"), 0);
    ASSERT_NE(dm_rollback_transaction(), 0);
    EXPECT_EQ(dm_in_transaction(), 0);
    EXPECT_EQ(stored("SELECT count(*) FROM PART"), "0");
    EXPECT_EQ(stored("SELECT count(*) FROM BLOBDATA"), "0");

    ASSERT_NE(dm_start_transaction(), 0);
    PutRecord kept("PART");
    kept.add_int("RECID", dm_gen_id()).add_text("NAME", "kept");
    ASSERT_NE(dm_put_record(pmInsert, kept.get()), 0);
    ASSERT_NE(dm_commit_transaction(), 0);
    EXPECT_EQ(stored("SELECT NAME FROM PART"), "kept");
    EXPECT_EQ(dm_commit_transaction(), 0) << "nothing to commit";
    EXPECT_STRNE(dm_last_error(), "");
}

} // namespace
