#include "reports/ui/list_reports.h"

#include "data/db_api.h"
#include "engine/report.h"
#include "reports/document_lists.h"
#include "reports/report_parameters.h"
#include "reports/report_preparation.h"
#include "reports/ui/fsetwhere.h"
#include "reports/ui/report_runner.h"

namespace {

const QString journal_select = QStringLiteral("SELECT * FROM VIEW_TE");

// The journal of the year the user chose, restricted and sorted in the record set.  Year 0
// (no year in the journal) prints nothing.
void print_journal(const QString &template_name, const QString &select, const QString &order)
{
    if (!ask_report_parameters(ReportMode::Year))
        return;
    const int year = report_filter.trimmed().toInt();
    if (year == 0 || !dbAPI)
        return;
    guarded_print([&] {
        const ScopedSet journal = dbAPI->select_scoped(QStringLiteral("repo_TE"), select);
        if (journal) {
            dbAPI->filter_year(journal.get(), QStringLiteral("DATE_D"), year);
            dbAPI->sort_set(journal.get(), order, false);
        }
        run_report(QStringLiteral("Daňová evidence za rok %1").arg(year), template_name,
                   {journal.get()});
    });
}

// One record set from the select, printed by the template.
void print_select(const QString &caption, const QString &template_name, const QString &set_name,
                  const QString &select)
{
    if (!dbAPI)
        return;
    guarded_print([&] {
        const ScopedSet rows = dbAPI->select_scoped(set_name, select);
        run_report(caption, template_name, {rows.get()});
    });
}

} // namespace

void prepare_document_list(Report &report, TMemTable *set, QString &condition)
{
    condition = report_where;
    if (!set) {
        if (report.find_object(QStringLiteral("rekap")) && dbAPI)
            write_report_text(report, QStringLiteral("rekap"),
                              document_recap_lines(*dbAPI, report.tag()).join(u'\n'));
        return;
    }
    if (dbAPI)
        apply_list_filter_and_order(*dbAPI, set, report_filter, report_order);
}

void prepare_partner_documents(Report &, TMemTable *set, QString &condition)
{
    condition.clear();
    // The payment states are in the select already; only the period filters the set.
    if (set && dbAPI)
        apply_list_filter_and_order(*dbAPI, set, report_filter, report_order);
}

void print_document_list(int doc_type)
{
    if (ask_report_parameters(ReportMode::DocumentList, doc_type))
        run_document_list(doc_type, prepare_document_list);
}

void print_partner_documents(int partner)
{
    if (!ask_report_parameters(ReportMode::PartnerDocuments) || !dbAPI)
        return;
    const QString name =
        dbAPI->lookup_text(partner, QStringLiteral("PAR"), QStringLiteral("PARTNER_NAME"));
    run_sql_report(QStringLiteral("Soupis dokladů za ") + name, QStringLiteral("doc_list_par"),
                   partner_documents_select(partner, report_where), prepare_partner_documents);
}

void print_tax_records()
{
    print_journal(QStringLiteral("te"), journal_select, QStringLiteral("DATE_D;RECID"));
}

void print_tax_records_by_account()
{
    print_journal(QStringLiteral("te_bank"),
                  QStringLiteral("SELECT *, CASH_ID || ORIGIN_CURR ID_XXXX  FROM VIEW_TE"),
                  QStringLiteral("CASH_ID;ORIGIN_CURR;DATE_D;RECID"));
}

void print_tax_records_by_category()
{
    print_journal(QStringLiteral("te_grp"), journal_select, QStringLiteral("GRP_ID;DATE_D;RECID"));
}

void print_tax_records_by_currency()
{
    print_journal(QStringLiteral("te_curr"), journal_select,
                  QStringLiteral("ORIGIN_CURR;DATE_D;RECID"));
}

void print_cash_voucher_list()
{
    if (!ask_report_parameters(ReportMode::CashVouchers))
        return;
    const QString caption = (report_order != QLatin1String("0")
                                 ? QStringLiteral("Soupis pokladních dokladů PŘÍJMOVÝCH:   ")
                                 : QStringLiteral("Soupis pokladních dokladů VÝDAJOVÝCH:   ")) +
                            report_filter;
    print_select(caption, QStringLiteral("cash"), QStringLiteral("repo_CASH"),
                 QStringLiteral("SELECT * FROM VIEW_TE_CASH ") + report_where);
}

void print_catalogue()
{
    if (ask_report_parameters(ReportMode::Catalogue))
        print_select(QStringLiteral("Katalog produktů"), QStringLiteral("cat"),
                     QStringLiteral("repo_CAT"), QStringLiteral("SELECT * FROM VIEW_PRO") + report_where);
}

void print_sales()
{
    if (!ask_report_parameters(ReportMode::Sales))
        return;
    print_select(QStringLiteral("Prodeje produktů"), QStringLiteral("cat_sales"),
                 QStringLiteral("repo_CAT"),
                 QStringLiteral("SELECT DATE_D, SUM(DOC_AMOUNT) SUM_AMOUNT, DOC_UNITV, SUM(SALES) "
                                "SUM_SALES, PRO_GRP, PRO_NO, PRO_NAME, GRP_NAME, IS_SERVICE FROM "
                                "VIEW_SALES") +
                     report_where +
                     QStringLiteral(" GROUP BY PRO_NO, DOC_UNITV, PRO_GRP ORDER BY PRO_GRP, "
                                    "PRO_NO, DOC_UNITV"));
}

void print_partner_list(const QString &caption)
{
    if (!ask_report_parameters(ReportMode::PartnerList) || !dbAPI)
        return;
    guarded_print([&] {
        const ScopedSet partners = dbAPI->select_scoped(
            QStringLiteral("repo_PAR"), QStringLiteral("SELECT * FROM VIEW_PAR ") + report_where);
        const ScopedSet addresses = dbAPI->select_scoped(QStringLiteral("repo_ADDR"),
                                                         QStringLiteral("SELECT * FROM PAR_ADDR"));
        if (partners && addresses)
            dbAPI->link_master_detail(partners.get(), addresses.get(),
                                      QStringLiteral("ID_PARTNER"), QStringLiteral("RECID"));
        run_report(caption, QStringLiteral("part_list"), {partners.get(), addresses.get()});
    });
}

void print_table(const QString &caption, const QString &set_name, const QString &select)
{
    run_table_print(caption, set_name, select);
}
