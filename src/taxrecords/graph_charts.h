#pragma once
// The four charts of one accounting year of the journal, in home-currency amounts: how
// income and expenses divide among the tax categories, and how they run over the days.

#include <QString>
#include <QStringList>
#include <vector>

enum class ChartKind { Pie, Line };

struct GraphChart {
    QString caption;
    QString set_name;
    // Followed by the year condition and the grouping.
    QString select;
    QString grouping;
    ChartKind kind;
    bool income;
};

const std::vector<GraphChart> &graph_charts();

// " (DATE_D >= 'yyyy-01-01' AND DATE_D <= 'yyyy-12-31')" for a year after 1973, else
// " (1=1)", the whole journal.  Dates are stored as ISO text, so the bounds are written so.
QString graph_year_condition(const QString &year_text);
QString graph_select(const GraphChart &chart, const QString &year_text);
// The caption " za rok " and the year; a second line when there is nothing to draw.
QStringList graph_title(const GraphChart &chart, const QString &year_text, bool empty);
// "# ##0.00 Kč", the values of every series.
QString graph_value_text(double value);
