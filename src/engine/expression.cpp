#include "engine/expression.h"

#include <QRegularExpression>
#include <optional>

namespace {

std::optional<TextSegment> parse_field(const QString &text)
{
    static const QRegularExpression field(
        QStringLiteral(R"re(^(dbAPI\.)?([A-Za-z_][A-Za-z0-9_]*)\."([^"]+)"$)re"));
    const auto match = field.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    TextSegment segment;
    segment.kind = SegmentKind::Field;
    segment.source =
        match.capturedLength(1) > 0 ? QStringLiteral("fr") + match.captured(2) : match.captured(2);
    segment.column = match.captured(3);
    return segment;
}

std::optional<TextSegment> parse_aggregate(const QString &text)
{
    static const QRegularExpression aggregate(
        QStringLiteral(R"(^(SUM|COUNT|MIN|MAX|AVG)\s*\((.*)\)$)"),
        QRegularExpression::CaseInsensitiveOption);
    const auto match = aggregate.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    QString argument = match.captured(2).trimmed();
    if (argument.startsWith(u'[') && argument.endsWith(u']'))
        argument = argument.mid(1, argument.size() - 2);
    auto segment = parse_field(argument);
    if (!segment)
        return std::nullopt;
    static const std::pair<const char *, AggregateFunction> functions[] = {
        {"SUM", AggregateFunction::Sum},
        {"COUNT", AggregateFunction::Count},
        {"MIN", AggregateFunction::Min},
        {"MAX", AggregateFunction::Max},
        {"AVG", AggregateFunction::Avg}};
    const QString name = match.captured(1).toUpper();
    for (const auto &[spelling, function] : functions)
        if (name == QLatin1String(spelling))
            segment->function = function;
    segment->kind = SegmentKind::Aggregate;
    return segment;
}

std::optional<TextSegment> parse_bracket(const QString &inner)
{
    const QString text = inner.trimmed();
    static const std::pair<const char *, SegmentKind> variables[] = {
        {"PAGE#", SegmentKind::PageNumber},
        {"TOTALPAGES", SegmentKind::TotalPages},
        {"DATE", SegmentKind::Date},
        {"LINE#", SegmentKind::LineNumber}};
    for (const auto &[name, kind] : variables)
        if (text.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return TextSegment{kind, {}, {}, {}, {}};
    if (auto field = parse_field(text))
        return field;
    return parse_aggregate(text);
}

// The closing bracket that matches the one at `open`, -1 when there is none.
qsizetype matching_bracket(const QString &text, qsizetype open)
{
    int depth = 0;
    for (qsizetype i = open; i < text.size(); ++i) {
        if (text.at(i) == u'[')
            ++depth;
        else if (text.at(i) == u']' && --depth == 0)
            return i;
    }
    return -1;
}

void append_literal(std::vector<TextSegment> &segments, const QString &text)
{
    if (text.isEmpty())
        return;
    if (!segments.empty() && segments.back().kind == SegmentKind::Literal)
        segments.back().literal += text;
    else
        segments.push_back(TextSegment{SegmentKind::Literal, text, {}, {}, {}});
}

} // namespace

std::vector<TextSegment> parse_expression_text(const QString &text)
{
    std::vector<TextSegment> segments;
    qsizetype done = 0;
    while (done < text.size()) {
        const qsizetype open = text.indexOf(u'[', done);
        const qsizetype close = open < 0 ? -1 : matching_bracket(text, open);
        if (close < 0) {
            append_literal(segments, text.mid(done));
            break;
        }
        append_literal(segments, text.mid(done, open - done));
        if (auto segment = parse_bracket(text.mid(open + 1, close - open - 1)))
            segments.push_back(*segment);
        else
            append_literal(segments, text.mid(open, close - open + 1));
        done = close + 1;
    }
    return segments;
}
