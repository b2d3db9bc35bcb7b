#include "dm_test_support.h"

#include <string>
#include <vector>

namespace {

// A row as text, value by value, so that rows read either way compare as a whole.
using Row = std::vector<std::string>;

std::string describe(const DmValue &value)
{
    switch (value.type) {
    case dmInt:
        return "int " + std::to_string(value.integer);
    case dmFloat:
        return "float " + std::to_string(value.real);
    case dmDateTime:
        return "date " + std::to_string(value.real);
    case dmText:
        return "text " + std::string(value.text, static_cast<size_t>(value.bytes));
    default:
        return "null";
    }
}

std::string describe(const DmField &field)
{
    if (!field.value)
        return "null";
    DmValue value{};
    value.type = field.type;
    if (field.type == dmInt)
        value.integer = *static_cast<const int32_t *>(field.value);
    else if (field.type == dmFloat || field.type == dmDateTime)
        value.real = *static_cast<const double *>(field.value);
    else if (field.type == dmText) {
        value.text = static_cast<const char *>(field.value);
        value.bytes = static_cast<int32_t>(std::string(value.text).size());
    }
    return describe(value);
}

Row row_of(const DmRecord &record)
{
    Row row;
    for (int slot = 0; slot < record.used; ++slot)
        row.push_back(describe(record.fields[slot]));
    return row;
}

void receive(void *context, const DmValue *values, int count)
{
    Row row;
    for (int slot = 0; slot < count; ++slot)
        row.push_back(describe(values[slot]));
    static_cast<std::vector<Row> *>(context)->push_back(row);
}

// Every row, placed into the record one by one.
std::vector<Row> placed_rows(const char *sql)
{
    std::vector<Row> rows;
    SelectedRecord row;
    const int handle = dm_init_sql_select(sql, &row.record);
    EXPECT_GT(handle, 0) << dm_last_error();
    for (int next = row.record.eof ? 1 : 0; next == 0;
         next = dm_next_sql_select(handle, &row.record)) {
        rows.push_back(row_of(row.record));
        dm_free_record(&row.record);
    }
    dm_close_sql_select(handle);
    return rows;
}

class DmDrain : public DmTest {
protected:
    void SetUp() override
    {
        DmTest::SetUp();
        create_and_open();
        ASSERT_NE(dm_exec_script(
                      "CREATE TABLE ITEM (RECID INTEGER PRIMARY KEY, QTY INTEGER, PRICE FLOAT, "
                      "NAME VARCHAR(20), NOTE TEXT, DUE_D DATE, STAMP DATETIME);"
                      "INSERT INTO ITEM VALUES (1, 7, 1234.56, 'Žluťoučký kůň', 'poznámka', "
                      "'2024-02-29', '2024-05-01 10:30:15');"
                      "INSERT INTO ITEM VALUES (2, NULL, NULL, NULL, NULL, NULL, NULL);"
                      "INSERT INTO ITEM VALUES (3, ' 42 ', '2.5', '', 'x', 'no date', '');"
                      "INSERT INTO ITEM VALUES (4, 2.0, 3, 'Kč', 'T', '1899-12-29', "
                      "'2000-01-01T00:00:01')"),
                  0)
            << dm_last_error();
    }
};

} // namespace

TEST_F(DmDrain, DrainedRowsEqualTheRowsPlacedOneByOne)
{
    for (const char *sql :
         {"SELECT * FROM ITEM ORDER BY RECID",
          "SELECT RECID, QTY * 2 AS TWICE, NAME || '!' AS LOUD, PRICE * 1 AS TOTAL FROM ITEM "
          "ORDER BY RECID DESC",
          "SELECT * FROM ITEM WHERE RECID > 100"}) {
        SCOPED_TRACE(sql);
        const std::vector<Row> expected = placed_rows(sql);
        SelectedRecord row;
        const int handle = dm_init_sql_select(sql, &row.record);
        ASSERT_GT(handle, 0) << dm_last_error();
        std::vector<Row> drained;
        EXPECT_EQ(dm_drain_sql_select(handle, receive, &drained), 1) << dm_last_error();
        EXPECT_EQ(drained, expected);
        EXPECT_EQ(dm_drain_sql_select(handle, receive, &drained), 1) << "nothing is left";
        EXPECT_EQ(drained, expected);
        dm_close_sql_select(handle);
    }
}

TEST_F(DmDrain, StartsAtTheRowTheRecordHolds)
{
    const char *sql = "SELECT RECID, NAME FROM ITEM ORDER BY RECID";
    const std::vector<Row> all = placed_rows(sql);
    SelectedRecord row;
    const int handle = dm_init_sql_select(sql, &row.record);
    ASSERT_GT(handle, 0);
    dm_free_record(&row.record);
    ASSERT_EQ(dm_next_sql_select(handle, &row.record), 0);
    std::vector<Row> drained;
    EXPECT_EQ(dm_drain_sql_select(handle, receive, &drained), 1);
    EXPECT_EQ(drained, std::vector<Row>(all.begin() + 1, all.end()));
    EXPECT_EQ(row_of(row.record), all[1]) << "the record keeps its row";
    dm_close_sql_select(handle);
}

TEST_F(DmDrain, AValueTheSlotCannotHoldStopsAfterTheRowsBefore)
{
    ASSERT_NE(dm_exec_sql("UPDATE ITEM SET QTY = 5000000000 WHERE RECID = 3"), 0);
    SelectedRecord row;
    const int handle =
        dm_init_sql_select("SELECT RECID, QTY FROM ITEM ORDER BY RECID", &row.record);
    ASSERT_GT(handle, 0);
    std::vector<Row> drained;
    EXPECT_EQ(dm_drain_sql_select(handle, receive, &drained), -1);
    EXPECT_NE(std::string(dm_last_error()).find("QTY"), std::string::npos) << dm_last_error();
    EXPECT_EQ(drained.size(), 2u);
    dm_close_sql_select(handle);

    EXPECT_EQ(dm_drain_sql_select(handle, receive, &drained), -1);
    EXPECT_STRNE(dm_last_error(), "") << "a closed handle is a failure";
    EXPECT_EQ(drained.size(), 2u);
}
