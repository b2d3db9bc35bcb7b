#include "taxrecords/graph_charts.h"

#include "text/format_settings.h"
#include "text/number_format.h"

#include <QDate>

const std::vector<GraphChart> &graph_charts()
{
    static const std::vector<GraphChart> charts = {
        {QStringLiteral("Rozložení příjmů"), QStringLiteral("repo_IN"),
         QStringLiteral("SELECT GRP_NAME, SUM(CC_INCOME) R FROM VIEW_TE WHERE (CC_INCOME > 0) AND "),
         QStringLiteral(" GROUP BY GRP_NAME ORDER BY GRP_NAME"), ChartKind::Pie, true},
        {QStringLiteral("Rozložení výdajů"), QStringLiteral("repo_OUT"),
         QStringLiteral("SELECT GRP_NAME, SUM(CC_OUTCOME) R FROM VIEW_TE WHERE (CC_OUTCOME > 0) AND "),
         QStringLiteral(" GROUP BY GRP_NAME ORDER BY GRP_NAME"), ChartKind::Pie, false},
        {QStringLiteral("Průběh příjmů"), QStringLiteral("repo_LN"),
         QStringLiteral("SELECT DATE_D, SUM(CC_INCOME) R FROM VIEW_TE WHERE (CC_INCOME > 0) AND "),
         QStringLiteral(" GROUP BY DATE_D ORDER BY DATE_D"), ChartKind::Line, true},
        {QStringLiteral("Průběh výdajů"), QStringLiteral("repo_LN"),
         QStringLiteral("SELECT DATE_D, SUM(CC_OUTCOME) R FROM VIEW_TE WHERE (CC_OUTCOME > 0) AND "),
         QStringLiteral(" GROUP BY DATE_D ORDER BY DATE_D"), ChartKind::Line, false},
    };
    return charts;
}

QString graph_year_condition(const QString &year_text)
{
    const int year = year_text.trimmed().toInt();
    if (year <= 1973)
        return QStringLiteral(" (1=1)");
    return QStringLiteral(" (DATE_D >= '%1' AND DATE_D <= '%2')")
        .arg(sql_date(QDate(year, 1, 1)), sql_date(QDate(year, 12, 31)));
}

QString graph_select(const GraphChart &chart, const QString &year_text)
{
    return chart.select + graph_year_condition(year_text) + chart.grouping;
}

QStringList graph_title(const GraphChart &chart, const QString &year_text, bool empty)
{
    QStringList title{chart.caption + QStringLiteral(" za rok ") + year_text};
    if (empty)
        title << QStringLiteral("tabulka daňové evidence je prázdná");
    return title;
}

QString graph_value_text(double value)
{
    return format_number(value, QStringLiteral("# ##0.00 Kč"));
}
