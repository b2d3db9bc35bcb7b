#include "data/describe_row.h"
#include "data/memtable.h"

#include <gtest/gtest.h>

namespace {

struct DescribeCase {
    const char *name;
    const char *city;
    const char *address;
    const char *expected;
};

class DescribeRow : public testing::TestWithParam<DescribeCase> {};

} // namespace

TEST_P(DescribeRow, JoinsVisibleNonEmptyTextsOnOneLine)
{
    const DescribeCase &c = GetParam();
    TMemTable set;
    set.add_field("RECID", FieldType::Integer).visible = false;
    set.add_field("NAME", FieldType::Text, 64);
    set.add_field("CITY", FieldType::Text, 64);
    set.add_field("ADDRESS", FieldType::Text, 420);
    set.open();
    set.append();
    set.field(0).set_as_integer(77);
    set.field(1).set_as_string(QString::fromUtf8(c.name));
    set.field(2).set_as_string(QString::fromUtf8(c.city));
    if (*c.address)
        set.field(3).set_as_string(QString::fromUtf8(c.address));
    set.post();

    EXPECT_EQ(describe_row(set), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Rows, DescribeRow,
                         testing::Values(DescribeCase{"Novák", "Praha", "", "Novák: Praha"},
                                         DescribeCase{"Novák", "", "", "Novák"},
                                         DescribeCase{"", "", "", ""},
                                         DescribeCase{"Banka", "", "Na Příkopě 1\r\nPraha 1",
                                                      "Banka: Na Příkopě 1, Praha 1"},
                                         DescribeCase{" Novák ", "Brno", "", "Novák : Brno"}));

TEST(DescribeRowOfEmptySet, IsEmptyText)
{
    TMemTable set;
    set.add_field("NAME", FieldType::Text, 64);
    set.open();
    EXPECT_EQ(describe_row(set), QString());
}
