#include "support/db_fixture.h"

#include "data/db_transaction.h"
#include "data/record_writer.h"

namespace {

using Transactions = DbFixture;

} // namespace

TEST_F(Transactions, WritesLastOnlyWhenCommitted)
{
    {
        DbTransaction transaction;
        ASSERT_TRUE(transaction.active());
        exec("INSERT INTO PAR_GRP (RECID, GRP_NAME) VALUES (9001, 'potvrzená')");
        EXPECT_TRUE(transaction.commit());
    }
    {
        DbTransaction transaction;
        exec("INSERT INTO PAR_GRP (RECID, GRP_NAME) VALUES (9002, 'odvolaná')");
    }
    EXPECT_EQ(sqlite_shell("SELECT group_concat(RECID) FROM PAR_GRP WHERE RECID > 9000"), "9001");
    EXPECT_FALSE(dm_in_transaction());
}

TEST_F(Transactions, AJoinedGuardThatFailedTakesTheWholeActionBack)
{
    DbTransaction outer;
    exec("INSERT INTO PAR_GRP (RECID, GRP_NAME) VALUES (9001, 'hlavička')");
    {
        DbTransaction inner;
        EXPECT_TRUE(inner.active());
        exec("INSERT INTO PAR_GRP (RECID, GRP_NAME) VALUES (9002, 'položka')");
    }
    EXPECT_FALSE(outer.commit());
    EXPECT_FALSE(dm_in_transaction());
    EXPECT_EQ(sqlite_shell("SELECT COUNT(*) FROM PAR_GRP WHERE RECID > 9000"), "0");
}

TEST_F(Transactions, AFatalErrorsRollbackIsRespected)
{
    DbTransaction transaction;
    exec("INSERT INTO PAR_GRP (RECID, GRP_NAME) VALUES (9001, 'před chybou')");
    m_api->report_db_error(true, QStringLiteral("Chyba při ukládání."));
    EXPECT_FALSE(dm_in_transaction()) << "the fatal message rolled back";
    EXPECT_FALSE(transaction.commit());
    EXPECT_EQ(sqlite_shell("SELECT COUNT(*) FROM PAR_GRP WHERE RECID = 9001"), "0");
}

TEST_F(Transactions, RecordWriterStoresEveryKindOfValueAndRefusesASixtyFifthSlot)
{
    RecordWriter header(*m_api, "DOC_HEAD");
    header.add_new_recid()
        .add("ID_DOC_TYPE", 1)
        .add("DOC_NO", 7)
        .add("DOC_TITLE", QString::fromUtf8("Oprava střechy u O'Briena"))
        .add("ALL_SUM", 1234.5)
        .add("DATE_D", QDate(2026, 3, 15))
        .add("MATURITY_D", QDate());
    const int id = header.recid();
    ASSERT_GT(id, 0);
    ASSERT_TRUE(header.put(pmInsert));
    EXPECT_EQ(sqlite_shell(QString("SELECT DOC_NO, DOC_TITLE, ALL_SUM, DATE_D, "
                                   "ifnull(MATURITY_D, 'null') FROM DOC_HEAD WHERE RECID=%1")
                               .arg(id)),
              QString::fromUtf8("7|Oprava střechy u O'Briena|1234.5|2026-03-15|null"));

    RecordWriter crowded(*m_api, "PAR_GRP");
    crowded.add("RECID", 9005);
    for (int i = 1; i < DM_MAX_FIELDS; ++i)
        crowded.add("GRP_NAME", QString::number(i));
    EXPECT_EQ(crowded.slots_used(), DM_MAX_FIELDS);
    crowded.add("DISCOUNT", 1.0);
    EXPECT_EQ(crowded.slots_used(), DM_MAX_FIELDS);
    EXPECT_FALSE(crowded.put(pmInsert));
    EXPECT_EQ(sqlite_shell("SELECT COUNT(*) FROM PAR_GRP WHERE RECID = 9005"), "0");
}
