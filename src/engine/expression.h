#pragma once
// The expressions in an object's text, parsed once per preparation into segments:
//   [dbAPI.repo_TE."DATE_D"]       a column of the source "frrepo_TE" at its current row
//   [frCONF."NAME"]                the same, naming the registered source itself
//   [SUM([dbAPI.repo_TE."INCOME"])] SUM, COUNT, MIN, MAX or AVG of a column
//   [PAGE#] [TOTALPAGES] [DATE] [LINE#]
// Anything else in square brackets is printed as it stands, so a bracket in a note never
// stops a report.

#include <QString>
#include <vector>

enum class SegmentKind { Literal, Field, Aggregate, PageNumber, TotalPages, Date, LineNumber };
enum class AggregateFunction { Sum, Count, Min, Max, Avg };

struct TextSegment {
    SegmentKind kind = SegmentKind::Literal;
    QString literal;
    QString source; // the registered source name, "fr" + record-set name for dbAPI fields
    QString column;
    AggregateFunction function = AggregateFunction::Sum;

    bool operator==(const TextSegment &) const = default;
};

std::vector<TextSegment> parse_expression_text(const QString &text);
