#include "engine/expression.h"

#include "report_fixture.h"

#include <gtest/gtest.h>

namespace {

TextSegment literal(const char *text)
{
    return {SegmentKind::Literal, QString::fromUtf8(text), {}, {}, {}};
}

TextSegment field(const char *source, const char *column)
{
    return {SegmentKind::Field, {}, QString::fromUtf8(source), QString::fromUtf8(column), {}};
}

TextSegment aggregate(AggregateFunction function, const char *source, const char *column)
{
    return {
        SegmentKind::Aggregate, {}, QString::fromUtf8(source), QString::fromUtf8(column), function};
}

TextSegment variable(SegmentKind kind)
{
    return {kind, {}, {}, {}, {}};
}

struct ParseCase {
    const char *text;
    std::vector<TextSegment> segments;
};

TEST(Expression, ParsesTextsIntoSegments)
{
    const ParseCase cases[] = {
        {"", {}},
        {"Faktura", {literal("Faktura")}},
        {"[dbAPI.repo_HEADER.\"DOC_NO\"]", {field("frrepo_HEADER", "DOC_NO")}},
        {"Č. [dbAPI.repo_HEADER.\"DOC_NO\"]/[frCONF.\"ICO\"].",
         {literal("Č. "), field("frrepo_HEADER", "DOC_NO"), literal("/"), field("frCONF", "ICO"),
          literal(".")}},
        {"strana [PAGE#] z [TOTALPAGES], [DATE], [line#]",
         {literal("strana "), variable(SegmentKind::PageNumber), literal(" z "),
          variable(SegmentKind::TotalPages), literal(", "), variable(SegmentKind::Date),
          literal(", "), variable(SegmentKind::LineNumber)}},
        {"[SUM([dbAPI.repo_TE.\"INCOME\"])] [avg( dbAPI.repo_TE.\"X\" )]",
         {aggregate(AggregateFunction::Sum, "frrepo_TE", "INCOME"), literal(" "),
          aggregate(AggregateFunction::Avg, "frrepo_TE", "X")}},
        {"[COUNT([frD.\"A B\"])][MIN([frD.\"A\"])][MAX([frD.\"A\"])]",
         {aggregate(AggregateFunction::Count, "frD", "A B"),
          aggregate(AggregateFunction::Min, "frD", "A"),
          aggregate(AggregateFunction::Max, "frD", "A")}},
        // What is no expression stays as written: brackets in notes never stop a report.
        {"cena [Kč] [SUM(x)] [dbAPI.repo_TE.COL] [neuzavřeno",
         {literal("cena [Kč] [SUM(x)] [dbAPI.repo_TE.COL] [neuzavřeno")}},
        {"]a[b[c]d", {literal("]a[b[c]d")}},
    };
    for (const ParseCase &c : cases)
        EXPECT_EQ(parse_expression_text(QString::fromUtf8(c.text)), c.segments) << c.text;
}

} // namespace
