#include "calc/history_type_ahead.h"

#include "data/memtable.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

std::unique_ptr<TMemTable> history_rows(const QStringList &texts)
{
    auto set = std::make_unique<TMemTable>();
    set->add_field("RECID", FieldType::Integer);
    set->add_field("TXT", FieldType::Text, 255);
    set->open();
    for (const QString &text : texts) {
        set->append();
        set->field(0).set_as_integer(set->record_count() + 1);
        set->field(1).set_as_string(text);
        set->post();
    }
    set->first();
    return set;
}

TEST(HistoryTypeAhead, LettersFindTheFirstTextBeginningWithThemInEitherCase)
{
    const auto set = history_rows({"Alfa", "Brno", "PRAHA", "prostějov", "Přerov"});
    HistoryTypeAhead search;
    struct Step {
        const char *typed;
        bool found;
        const char *buffer;
        int row;
    };
    for (const Step &step : std::vector<Step>{{"p", true, "p", 3},
                                              {"r", true, "pr", 3},
                                              {"O", true, "prO", 4},
                                              {"x", false, "", 4},
                                              {"ř", false, "", 4},
                                              {"p", true, "p", 3},
                                              {"Ř", true, "pŘ", 5}}) {
        SCOPED_TRACE(step.typed);
        EXPECT_EQ(search.type(QString::fromUtf8(step.typed), *set), step.found);
        EXPECT_EQ(search.buffer(), QString::fromUtf8(step.buffer));
        EXPECT_EQ(set->row_number(), step.row);
    }
}

TEST(HistoryTypeAhead, ControlCharactersAndNavigationLeaveTheSearchToTheGrid)
{
    const auto set = history_rows({"Alfa", "Beta"});
    HistoryTypeAhead search;
    ASSERT_TRUE(search.type("b", *set));
    EXPECT_FALSE(search.type("\r", *set));
    EXPECT_FALSE(search.type({}, *set));
    EXPECT_EQ(search.buffer(), QString("b")) << "a control key is no letter of the search";
    search.clear();
    EXPECT_TRUE(search.type("a", *set));
    EXPECT_EQ(set->row_number(), 1);
}

TEST(HistoryTypeAhead, AnEmptySetFindsNothing)
{
    const auto set = history_rows({});
    HistoryTypeAhead search;
    EXPECT_FALSE(search.type("a", *set));
    EXPECT_TRUE(search.buffer().isEmpty());
}

} // namespace
