#include "support/db_fixture.h"
#include "taxrecords/graph_charts.h"

TEST(GraphCharts, YearConditionKeepsExactlyTheYearOrEverything)
{
    EXPECT_EQ(graph_year_condition(QStringLiteral("2026")),
              QStringLiteral(" (DATE_D >= '2026-01-01' AND DATE_D <= '2026-12-31')"));
    EXPECT_EQ(graph_year_condition(QStringLiteral("0")), QStringLiteral(" (1=1)"));
    EXPECT_EQ(graph_year_condition(QStringLiteral("1973")), QStringLiteral(" (1=1)"));
    EXPECT_EQ(graph_title(graph_charts()[0], QStringLiteral("2026"), true),
              (QStringList{QStringLiteral("Rozložení příjmů za rok 2026"),
                           QStringLiteral("tabulka daňové evidence je prázdná")}));
}

class GraphSelects : public DbFixture {};

// Stored dates are ISO text: a condition with '1.1.2026' would compare as text and keep
// every year.
TEST_F(GraphSelects, ChartsSumTheDaysAndCategoriesOfTheYearOnly)
{
    exec(QStringLiteral(
        "INSERT INTO TE_GRP (RECID, GRP_NAME) VALUES (9801, 'Tržby'), (9802, 'Nájem');"
        "INSERT INTO TE (RECID, DATE_D, GRP_ID, INCOME, OUTCOME) VALUES "
        "(9101, '2026-02-10', 9801, 100, 0), (9102, '2026-02-10', 9801, 50.5, 0), "
        "(9103, '2026-02-10', 9802, 10, 30), (9104, '2025-12-31', 9801, 777, 0), "
        "(9105, '2027-01-01', 9801, 888, 0), (9106, '2026-03-01', 9802, 0, 40)"));
    const auto rows = [this](int chart, const QString &year) {
        return sqlite_shell(graph_select(graph_charts()[size_t(chart)], year));
    };
    EXPECT_EQ(rows(0, QStringLiteral("2026")), QStringLiteral("Nájem|10.0\nTržby|150.5"));
    EXPECT_EQ(rows(1, QStringLiteral("2026")), QStringLiteral("Nájem|70.0"));
    EXPECT_EQ(rows(2, QStringLiteral("2026")), QStringLiteral("2026-02-10|160.5"));
    EXPECT_EQ(rows(3, QStringLiteral("2026")), QStringLiteral("2026-02-10|30.0\n2026-03-01|40.0"));
    EXPECT_EQ(rows(2, QStringLiteral("0")).split(u'\n').size(), 3);
}
