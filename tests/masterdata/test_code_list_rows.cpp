#include "support/db_fixture.h"

#include "masterdata/code_list_rows.h"

namespace {

using CodeListRows = DbFixture;

} // namespace

TEST_F(CodeListRows, NewAndCorrectedRowsAreStoredFromTheirColumns)
{
    TMemTable *set = m_api->select_sql("PAR_GRP", "SELECT * FROM PAR_GRP");
    ASSERT_TRUE(set);
    set->append();
    set->field_by_name("GRP_NAME").set_as_string(QString::fromUtf8("Velkoodběratelé 'A'"));
    set->field_by_name("DISCOUNT").set_as_float(2.5);
    const std::vector<const TField *> columns = {&set->field_by_name("GRP_NAME"),
                                                 &set->field_by_name("DISCOUNT")};
    const int id = save_code_list_row(*m_api, "PAR_GRP", 0, columns);
    ASSERT_GT(id, 0);
    set->field_by_name("DISCOUNT").set_as_float(3);
    EXPECT_EQ(save_code_list_row(*m_api, "PAR_GRP", id, columns), id);
    EXPECT_EQ(
        sqlite_shell(
            QString("SELECT GRP_NAME || '|' || DISCOUNT FROM PAR_GRP WHERE RECID=%1").arg(id)),
        QString::fromUtf8("Velkoodběratelé 'A'|3.0"));
    m_api->free_set(set);
}

TEST_F(CodeListRows, ARowStillInUseIsKeptWithTheReason)
{
    exec("INSERT INTO PAR_GRP (RECID, GRP_NAME) VALUES (9001, 'Stálí')");
    exec("INSERT INTO PAR (RECID, PARTNER_NO, PARTNER_NAME, ID_PARTNER_GROUP) "
         "VALUES (9002, 1, 'Novák', 9001)");
    EXPECT_FALSE(delete_code_list_row(*m_api, "PAR_GRP", 9001));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text,
              QString::fromUtf8("Skupinu partnerů nelze vymazat, patří do ní obchodní partneři."));
    EXPECT_FALSE(m_messages[0].fatal);
    EXPECT_EQ(sqlite_shell("SELECT COUNT(*) FROM PAR_GRP WHERE RECID=9001"), "1");
    exec("DELETE FROM PAR WHERE RECID=9002");
    EXPECT_TRUE(delete_code_list_row(*m_api, "PAR_GRP", 9001));
    EXPECT_EQ(sqlite_shell("SELECT COUNT(*) FROM PAR_GRP WHERE RECID=9001"), "0");
}
