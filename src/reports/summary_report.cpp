#include "reports/summary_report.h"

#include "data/glob.h"
#include "data/memtable.h"
#include "engine/report.h"
#include "reports/report_preparation.h"
#include "text/number_format.h"

namespace {

const QString sum_format = QStringLiteral("### ##0.00");

double write_sum(Report &report, const QString &object, TMemTable *set, const QString &column)
{
    if (!report.find_object(object))
        return 0.0;
    const double sum = sum_column(set, column);
    write_report_text(report, object, format_number(sum, sum_format));
    return sum;
}

} // namespace

const std::vector<SummarySet> &summary_sets()
{
    static const std::vector<SummarySet> sets = {
        {QStringLiteral("repo_SUM_CURR"),
         QStringLiteral("SELECT ORIGIN_CURR, ifnull(SUM(INCOME), 0) SUM_IN, ifnull(SUM(OUTCOME), "
                        "0) SUM_OUT, ifnull(SUM(CC_INCOME), 0) SUM_IN_OC, ifnull(SUM(CC_OUTCOME), "
                        "0) SUM_OUT_OC FROM VIEW_TE GROUP BY ORIGIN_CURR")},
        {QStringLiteral("repo_SUM_GRP"),
         QStringLiteral("SELECT GRP_ID, GRP_NAME, ifnull(SUM(CC_INCOME), 0) SUM_IN_OC, "
                        "ifnull(SUM(CC_OUTCOME), 0) SUM_OUT_OC FROM VIEW_TE GROUP BY GRP_ID ORDER "
                        "BY GRP_ID")},
        {QStringLiteral("repo_SUM_BANK"),
         QStringLiteral("SELECT BANKCASH_MNAME, ORIGIN_CURR, ifnull(SUM(INCOME), 0) SUM_IN, "
                        "ifnull(SUM(OUTCOME), 0) SUM_OUT, ifnull(SUM(INCOME), 0) - "
                        "ifnull(SUM(OUTCOME), 0) BALANCE FROM VIEW_TE GROUP BY BANKCASH_MNAME, "
                        "ORIGIN_CURR")},
        {QStringLiteral("repo_SUM_DOC"),
         QStringLiteral("SELECT ID_DOC_TYPE, DOC_NAME, ifnull(SUM_PAY, 0) SUM_PAY, ifnull(SUM_DOC, "
                        "0) SUM_DOC, CURR_NAME, ifnull(SUM_DOC, 0) - ifnull(SUM_PAY, 0) BALANCE "
                        "FROM VIEW_DOC_REKAP INNER JOIN DOC_TYPES ON (VIEW_DOC_REKAP.ID_DOC_TYPE "
                        "= DOC_TYPES.RECID) WHERE (ID_DOC_TYPE=1) OR (ID_DOC_TYPE=4)")},
        {QStringLiteral("repo_SUM_DEBT"),
         QStringLiteral("SELECT ID_DOC_TYPE, DOC_NAME, ifnull(SUM_PAY, 0) SUM_PAY, ifnull(SUM_DOC, "
                        "0) SUM_DOC, CURR_NAME, ifnull(SUM_DOC, 0) - ifnull(SUM_PAY, 0) BALANCE "
                        "FROM VIEW_DOC_REKAP INNER JOIN DOC_TYPES ON (VIEW_DOC_REKAP.ID_DOC_TYPE "
                        "= DOC_TYPES.RECID) WHERE (ID_DOC_TYPE=2) OR (ID_DOC_TYPE=3)")},
    };
    return sets;
}

double sum_column(TMemTable *set, const QString &column)
{
    if (!set)
        return 0.0;
    const TField *field = set->find_field(column);
    if (!field)
        return 0.0;
    double sum = 0.0;
    for (set->first(); !set->eof(); set->next())
        sum += parse_amount(field->as_string());
    set->first();
    return sum;
}

void write_summary_sums(Report &report, TMemTable *currency_sums)
{
    const double in = write_sum(report, QStringLiteral("sum_kc_in"), currency_sums,
                                QStringLiteral("SUM_IN_OC"));
    const double out = write_sum(report, QStringLiteral("sum_kc_out"), currency_sums,
                                 QStringLiteral("SUM_OUT_OC"));
    if (report.find_object(QStringLiteral("balance_kc")))
        write_report_text(report, QStringLiteral("balance_kc"), format_number(in - out, sum_format));
}
