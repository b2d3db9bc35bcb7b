#include "dm_test_support.h"

#include <cstring>
#include <limits>

namespace {

class DmSelect : public DmTest {
protected:
    void SetUp() override
    {
        DmTest::SetUp();
        create_and_open();
        ASSERT_NE(dm_exec_script("CREATE TABLE ITEM (RECID INTEGER PRIMARY KEY, QTY INTEGER, "
                              "PRICE FLOAT, NAME VARCHAR(20), NOTE TEXT, DUE_D DATE, "
                              "STAMP DATETIME)"),
                  0)
            << dm_last_error();
    }
};

TEST_F(DmSelect, ValuesOfEveryTypeComeBackAsWritten)
{
    PutRecord full("ITEM");
    full.add_int("RECID", 11)
        .add_int("QTY", -7)
        .add_float("PRICE", 1234.56)
        .add_text("NAME", "Žluťoučký kůň")
        .add_text("NOTE", std::string(70000, 'x'))
        .add_date("DUE_D", days_of(2024, 2, 29))
        .add_date("STAMP", days_of(2024, 5, 1, 10, 30, 15));
    ASSERT_NE(dm_put_record(pmInsert, full.get()), 0) << dm_last_error();
    PutRecord empty("ITEM");
    empty.add_int("RECID", 12)
        .add_null("QTY", dmInt)
        .add_null("PRICE", dmFloat)
        .add_null("NAME", dmText)
        .add_null("NOTE", dmText)
        .add_null("DUE_D", dmDateTime)
        .add_null("STAMP", dmDateTime);
    ASSERT_NE(dm_put_record(pmInsert, empty.get()), 0) << dm_last_error();

    SelectedRecord row;
    const int handle = dm_init_sql_select("SELECT * FROM ITEM ORDER BY RECID", &row.record);
    ASSERT_GT(handle, 0) << dm_last_error();
    ASSERT_EQ(row.record.eof, 0);
    ASSERT_EQ(row.record.used, 7);
    EXPECT_EQ(row.int_value("QTY"), -7);
    EXPECT_EQ(row.double_value("PRICE"), 1234.56);
    EXPECT_EQ(row.text_value("NAME"), "Žluťoučký kůň");
    EXPECT_EQ(row.field("NAME")->size, 21);
    EXPECT_EQ(row.text_value("NOTE"), std::string(70000, 'x'));
    EXPECT_EQ(row.field("NOTE")->size, 70001) << "a long text is never cut";
    EXPECT_EQ(row.double_value("DUE_D"), days_of(2024, 2, 29));
    EXPECT_NEAR(*row.double_value("STAMP"), days_of(2024, 5, 1, 10, 30, 15), 1e-9);

    dm_free_record(&row.record);
    ASSERT_EQ(dm_next_sql_select(handle, &row.record), 0) << dm_last_error();
    for (const char *name : {"QTY", "PRICE", "NAME", "NOTE", "DUE_D", "STAMP"}) {
        ASSERT_NE(row.field(name), nullptr) << name;
        EXPECT_EQ(row.field(name)->value, nullptr) << name << " holds SQL NULL";
    }
    dm_free_record(&row.record);
    EXPECT_NE(dm_next_sql_select(handle, &row.record), 0);
    EXPECT_NE(row.record.eof, 0);
    EXPECT_STREQ(dm_last_error(), "");
    dm_close_sql_select(handle);
    EXPECT_EQ(query_text(path("tallyra.db"), "SELECT STAMP FROM ITEM WHERE RECID = 11"),
              "2024-05-01 10:30:15");
    EXPECT_EQ(query_text(path("tallyra.db"), "SELECT DUE_D FROM ITEM WHERE RECID = 11"),
              "2024-02-29");
}

TEST_F(DmSelect, StoredDateTextsBecomeDaysOrNull)
{
    const struct {
        const char *stored;
        std::optional<double> days;
    } cases[] = {
        {"1899-12-30", 0.0},
        {"2024-02-29", days_of(2024, 2, 29)},
        {"2024-05-01 10:30:00", days_of(2024, 5, 1, 10, 30)},
        {"2024-05-01T10:30:00", days_of(2024, 5, 1, 10, 30)},
        {"2024-05-01 10:30", days_of(2024, 5, 1, 10, 30)},
        {"1899-12-29 06:00:00", -1.25},
        {"2023-02-29", std::nullopt},
        {"2024-05-01 24:00:00", std::nullopt},
        {"1.5.2024", std::nullopt},
        {"", std::nullopt},
        {"2024-05-01 garbage", std::nullopt},
    };
    for (const auto &c : cases) {
        const std::string sql =
            "INSERT INTO ITEM (RECID, DUE_D) VALUES (1, '" + std::string(c.stored) + "')";
        ASSERT_NE(dm_exec_script("DELETE FROM ITEM"), 0);
        ASSERT_NE(dm_exec_script(sql.c_str()), 0) << dm_last_error();
        SelectedRecord row;
        ASSERT_NE(dm_fetch_record("SELECT DUE_D FROM ITEM", &row.record), 0) << dm_last_error();
        EXPECT_EQ(row.field("DUE_D")->type, dmDateTime);
        if (c.days)
            EXPECT_NEAR(row.double_value("DUE_D").value_or(-999), *c.days, 1e-9) << c.stored;
        else
            EXPECT_EQ(row.double_value("DUE_D"), std::nullopt) << c.stored;
    }
}

TEST_F(DmSelect, WrittenDatesCarryATimeOnlyWhenThereIsOne)
{
    const struct {
        double days;
        const char *stored;
    } cases[] = {
        {days_of(2024, 5, 1), "2024-05-01"},
        {days_of(2024, 5, 1, 0, 0, 1), "2024-05-01 00:00:01"},
        {days_of(2024, 5, 1) + 0.9999999, "2024-05-02"},
        {-1.25, "1899-12-29 06:00:00"},
        {0.0, "1899-12-30"},
    };
    int id = 1;
    for (const auto &c : cases) {
        PutRecord record("ITEM");
        record.add_int("RECID", id).add_date("DUE_D", c.days);
        ASSERT_NE(dm_put_record(pmInsert, record.get()), 0) << dm_last_error();
        const std::string sql = "SELECT DUE_D FROM ITEM WHERE RECID = " + std::to_string(id++);
        EXPECT_EQ(query_text(path("tallyra.db"), sql.c_str()), c.stored) << c.days;
    }
    PutRecord invalid("ITEM");
    invalid.add_int("RECID", 99).add_date("DUE_D", std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(dm_put_record(pmInsert, invalid.get()), 0);
    EXPECT_NE(std::string(dm_last_error()).find("datum"), std::string::npos) << dm_last_error();
}

TEST_F(DmSelect, SlotTypesFollowDeclarationsThroughViewsAndFirstValuesOfExpressions)
{
    ASSERT_NE(dm_exec_script("INSERT INTO ITEM (RECID, QTY, PRICE, NAME) VALUES (1, 2, 2.5, 'a');"
                          "CREATE VIEW ITEM_VIEW AS SELECT RECID, QTY, PRICE, NAME, NOTE, DUE_D,"
                          " STAMP, QTY * 2 AS TWICE, PRICE * QTY AS TOTAL, NAME || '!' AS LOUD,"
                          " NULL AS NO_VALUE, 3000000000 AS BIG FROM ITEM"),
              0)
        << dm_last_error();
    const struct {
        const char *column;
        DmFieldType type;
        int32_t size;
    } expected[] = {
        {"RECID", dmInt, 4},      {"QTY", dmInt, 4},           {"PRICE", dmFloat, 8},
        {"NAME", dmText, 21},     {"NOTE", dmText, 65536},     {"DUE_D", dmDateTime, 8},
        {"STAMP", dmDateTime, 8}, {"TWICE", dmInt, 4},         {"TOTAL", dmFloat, 8},
        {"LOUD", dmText, 65536},  {"NO_VALUE", dmText, 65536}, {"BIG", dmFloat, 8},
    };
    SelectedRecord row;
    ASSERT_NE(dm_fetch_record("SELECT * FROM ITEM_VIEW", &row.record), 0) << dm_last_error();
    for (const auto &e : expected) {
        const DmField *field = row.field(e.column);
        ASSERT_NE(field, nullptr) << e.column;
        EXPECT_EQ(field->type, e.type) << e.column;
        EXPECT_EQ(field->size, e.size) << e.column;
    }
    EXPECT_EQ(row.int_value("TWICE"), 4);
    EXPECT_EQ(row.double_value("BIG"), 3e9);
}

TEST_F(DmSelect, AnEmptyResultStillDescribesItsSlots)
{
    SelectedRecord row;
    const int handle =
        dm_init_sql_select("SELECT RECID, NAME, QTY + 1 AS NEXT_QTY FROM ITEM", &row.record);
    ASSERT_GT(handle, 0) << dm_last_error();
    EXPECT_NE(row.record.eof, 0);
    ASSERT_EQ(row.record.used, 3);
    EXPECT_STREQ(row.record.fields[1].name, "NAME");
    EXPECT_EQ(row.record.fields[1].type, dmText);
    EXPECT_EQ(row.record.fields[2].type, dmText) << "an expression without a value is text";
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(row.record.fields[i].value, nullptr);
    dm_close_sql_select(handle);

    SelectedRecord fetched;
    EXPECT_EQ(dm_fetch_record("SELECT * FROM ITEM", &fetched.record), 0);
    EXPECT_STREQ(dm_last_error(), "") << "no row is not a failure";
}

TEST_F(DmSelect, SixtyFourColumnsFitAndSixtyFiveAreRefused)
{
    const auto columns = [](int count) {
        std::string sql = "SELECT 1 AS C1";
        for (int i = 2; i <= count; ++i)
            sql += ", " + std::to_string(i) + " AS C" + std::to_string(i);
        return sql;
    };
    SelectedRecord row;
    ASSERT_NE(dm_fetch_record(columns(64).c_str(), &row.record), 0) << dm_last_error();
    EXPECT_EQ(row.int_value("C64"), 64);

    SelectedRecord too_wide;
    EXPECT_EQ(dm_init_sql_select(columns(65).c_str(), &too_wide.record), 0);
    EXPECT_NE(std::string(dm_last_error()).find("64"), std::string::npos) << dm_last_error();
}

TEST_F(DmSelect, StatementsThatAreNoSingleSelectAreRefused)
{
    for (const char *sql : {"SELEC * FROM ITEM", "SELECT * FROM MISSING", "",
                            "SELECT 1; DELETE FROM ITEM", "DELETE FROM ITEM"}) {
        SelectedRecord row;
        EXPECT_EQ(dm_init_sql_select(sql, &row.record), 0) << sql;
        EXPECT_STRNE(dm_last_error(), "") << sql;
    }
    SelectedRecord row;
    EXPECT_EQ(dm_fetch_record("SELECT * FROM MISSING", &row.record), 0);
    EXPECT_NE(std::string(dm_last_error()).find("no such table"), std::string::npos);
}

TEST_F(DmSelect, NumbersThatAnIntegerSlotCannotHoldFailInsteadOfBeingCut)
{
    ASSERT_NE(dm_exec_script("INSERT INTO ITEM (RECID, QTY) VALUES (1, 5), (2, 2.5)"), 0);
    SelectedRecord row;
    const int handle = dm_init_sql_select("SELECT QTY FROM ITEM ORDER BY RECID", &row.record);
    ASSERT_GT(handle, 0) << dm_last_error();
    EXPECT_EQ(row.int_value("QTY"), 5);
    dm_free_record(&row.record);
    EXPECT_EQ(dm_next_sql_select(handle, &row.record), -1);
    EXPECT_NE(std::string(dm_last_error()).find("QTY"), std::string::npos) << dm_last_error();
    dm_close_sql_select(handle);

    ASSERT_NE(dm_exec_script("UPDATE ITEM SET QTY = 5000000000 WHERE RECID = 1"), 0);
    SelectedRecord big;
    EXPECT_EQ(dm_fetch_record("SELECT QTY FROM ITEM WHERE RECID = 1", &big.record), 0);
    EXPECT_STRNE(dm_last_error(), "");
}

TEST_F(DmSelect, TwoSelectsRunSideBySide)
{
    ASSERT_NE(dm_exec_script("INSERT INTO ITEM (RECID, QTY) VALUES (1, 10), (2, 20)"), 0);
    SelectedRecord first, second;
    const int a = dm_init_sql_select("SELECT QTY FROM ITEM ORDER BY RECID", &first.record);
    const int b = dm_init_sql_select("SELECT QTY FROM ITEM ORDER BY RECID DESC", &second.record);
    ASSERT_GT(a, 0);
    ASSERT_GT(b, 0);
    EXPECT_NE(a, b);
    dm_free_record(&first.record);
    ASSERT_EQ(dm_next_sql_select(a, &first.record), 0);
    EXPECT_EQ(first.int_value("QTY"), 20);
    EXPECT_EQ(second.int_value("QTY"), 20);
    dm_close_sql_select(a);
    dm_free_record(&second.record);
    ASSERT_EQ(dm_next_sql_select(b, &second.record), 0);
    EXPECT_EQ(second.int_value("QTY"), 10);
    dm_close_sql_select(b);
    EXPECT_NE(dm_next_sql_select(b, &second.record), 0);
    EXPECT_STRNE(dm_last_error(), "") << "a closed handle is a failure";
}

TEST_F(DmSelect, FreeingARecordLeavesWhatTheProgramPutThere)
{
    ASSERT_NE(dm_exec_script("INSERT INTO ITEM (RECID, QTY, NAME) VALUES (1, 10, 'a')"), 0);
    SelectedRecord row;
    ASSERT_NE(dm_fetch_record("SELECT QTY, NAME FROM ITEM", &row.record), 0);
    char own_name[] = "MINE";
    int32_t own_value = 42;
    row.record.fields[0].value = &own_value;
    row.record.fields[2] = DmField{dmInt, own_name, 4, &own_value};
    dm_free_record(&row.record);
    EXPECT_EQ(row.record.fields[0].value, &own_value);
    EXPECT_EQ(row.record.fields[1].name, nullptr);
    EXPECT_EQ(row.record.fields[1].value, nullptr);
    EXPECT_EQ(row.record.fields[2].name, own_name);
    EXPECT_EQ(own_value, 42);
}

} // namespace
