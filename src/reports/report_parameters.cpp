#include "reports/report_parameters.h"

#include "documents/doc_types.h"
#include "text/format_settings.h"

QString report_where;
QString report_filter;
QString report_order;

void clear_report_parameters()
{
    report_where.clear();
    report_filter.clear();
    report_order.clear();
}

namespace {

// The paid amount and the amount to pay in whole cents, rounded half away from zero as
// money_cents rounds them.
const QString paid_cents = QStringLiteral("ROUND(ID_DOCSTATE * 100)");
const QString total_cents = QStringLiteral("ROUND(ROUND_SUM * 100)");

QString paid_fragment()
{
    return QStringLiteral("(%1 <> 0 AND %1 >= %2)").arg(paid_cents, total_cents);
}

QString partly_paid_fragment()
{
    return QStringLiteral("(%1 <> 0 AND %1 < %2)").arg(paid_cents, total_cents);
}

QString unpaid_fragment()
{
    return QStringLiteral("(%1 = 0)").arg(paid_cents);
}

QString document_list_where(const ReportChoices &choices)
{
    QString state = payment_state_condition(choices);
    if (choices.partner != 0) {
        const QString partner = QStringLiteral("(ID_PARTNER= %1)").arg(choices.partner);
        switch (ticked_payment_states(choices)) {
        case 3:
            state = partner;
            break;
        case 1:
            state += QStringLiteral(" AND ") + partner;
            break;
        default:
            state = QStringLiteral("(") + state + QStringLiteral(") AND ") + partner;
            break;
        }
    }
    const QString period =
        period_iso_condition(QStringLiteral("DATE_D"), choices.from, choices.to);
    if (state.isEmpty())
        return QStringLiteral("WHERE ") + period;
    return QStringLiteral("WHERE (") + state + QStringLiteral(") AND (") + period +
           QStringLiteral(")");
}

QString catalogue_where(const ReportChoices &choices)
{
    QString where = choices.products_by_name ? QStringLiteral(" ORDER BY GRP_NAME, PRO_NAME")
                                             : QStringLiteral(" ORDER BY GRP_NAME, PRO_NO");
    if (choices.product_group != 0)
        where = QStringLiteral(" WHERE ID_PRO_GRP=%1").arg(choices.product_group) + where;
    return where;
}

QString sales_where(const ReportChoices &choices)
{
    QString where = period_iso_condition(QStringLiteral("DATE_D"), choices.from, choices.to);
    if (choices.product_group != 0)
        where += QStringLiteral(" AND PRO_GRP=%1").arg(choices.product_group);
    return QStringLiteral(" WHERE ") + where;
}

QString partner_list_where(const ReportChoices &choices)
{
    QString order;
    switch (choices.partner_order) {
    case PartnerOrder::Name:
        order = QStringLiteral(" ORDER BY PARTNER_NAME");
        break;
    case PartnerOrder::Group:
        order = QStringLiteral(" ORDER BY GRP_NAME, PARTNER_NAME");
        break;
    case PartnerOrder::Type:
        order = QStringLiteral(" ORDER BY PARTNER_TYPE, PARTNER_NAME");
        break;
    case PartnerOrder::Number:
        order = QStringLiteral(" ORDER BY PARTNER_NO");
        break;
    }
    const QString group = QStringLiteral("ID_PARTNER_GROUP=%1").arg(choices.partner_group);
    const QString type = QStringLiteral("ID_PARTNER_TYPE=%1").arg(choices.partner_type);
    QString condition;
    if (choices.partner_group != 0 && choices.partner_type != 0)
        condition = QStringLiteral("WHERE (") + group + QStringLiteral(") AND (") + type +
                    QStringLiteral(")");
    else if (choices.partner_group != 0)
        condition = QStringLiteral("WHERE ") + group;
    else if (choices.partner_type != 0)
        condition = QStringLiteral("WHERE ") + type;
    return QStringLiteral(" ") + condition + QStringLiteral(" ") + order;
}

// Vouchers are chosen by their kind: an entry of an income voucher may carry no amount.
QString cash_voucher_where(const ReportChoices &choices)
{
    const QString kind = choices.income_vouchers ? QStringLiteral("WHERE (IS_INCOME = 'T')")
                                                 : QStringLiteral("WHERE (IS_INCOME = 'F')");
    return kind + QStringLiteral(" AND (") +
           period_iso_condition(QStringLiteral("TE_DATE_D"), choices.from, choices.to) +
           QStringLiteral(") ORDER BY TE_DATE_D, RECID");
}

} // namespace

QString report_parameters_caption(ReportMode mode, int doc_type)
{
    switch (mode) {
    case ReportMode::Year:
        return QStringLiteral("Vyberte účetní rok pro tisk, nebo graf.");
    case ReportMode::DocumentList:
        return QStringLiteral("Zadejte podmínky pro tisk soupisu dokladů (") +
               doc_type_name(doc_type) + QStringLiteral(")");
    case ReportMode::PartnerDocuments:
        return QStringLiteral("Zadejte podmínky pro tisk soupisu dokladů za obchodního partnera");
    case ReportMode::Catalogue:
        return QStringLiteral("Zadejte podmínky pro tisk katalogu produktů");
    case ReportMode::Sales:
        return QStringLiteral("Zadejte podmínky pro tisk prodejů produktů");
    case ReportMode::PartnerList:
        return QStringLiteral("Zadejte podmínky pro tisk seznamu partnerů");
    case ReportMode::CashVouchers:
        return QStringLiteral("Zadejte podmínky pro tisk pokladních dokladů.");
    }
    return {};
}

int report_parameters_help_topic(ReportMode mode)
{
    switch (mode) {
    case ReportMode::Year:
    case ReportMode::CashVouchers:
        return 1033;
    case ReportMode::DocumentList:
        return 1034;
    case ReportMode::Catalogue:
        return 1032;
    case ReportMode::PartnerList:
        return 1031;
    case ReportMode::PartnerDocuments:
    case ReportMode::Sales:
        return 103;
    }
    return 103;
}

bool has_period(ReportMode mode)
{
    return mode == ReportMode::DocumentList || mode == ReportMode::PartnerDocuments ||
           mode == ReportMode::Sales || mode == ReportMode::CashVouchers;
}

bool has_payment_states(ReportMode mode)
{
    return mode == ReportMode::DocumentList || mode == ReportMode::PartnerDocuments;
}

int period_block_top(ReportMode mode)
{
    return mode == ReportMode::DocumentList || mode == ReportMode::CashVouchers ? 128 : 108;
}

QPoint year_option_position(int index)
{
    const int rows_per_column = 8;
    return {24 + 158 * (index / rows_per_column), 32 + 24 * (index % rows_per_column)};
}

QString period_iso_condition(const QString &column, const QDate &from, const QDate &to)
{
    return column + QStringLiteral(">='") + sql_date(from) + QStringLiteral("' and ") + column +
           QStringLiteral("<='") + sql_date(to) + QStringLiteral("'");
}

QString period_local_condition(const QString &column, const QDate &from, const QDate &to)
{
    return column + QStringLiteral(">='") + format_short_date(from) + QStringLiteral("' and ") +
           column + QStringLiteral("<='") + format_short_date(to) + QStringLiteral("'");
}

QString period_display_text(const QDate &from, const QDate &to)
{
    return format_short_date(from) + QStringLiteral(" - ") + format_short_date(to);
}

QString period_error(const QDate &from, const QDate &to)
{
    if (!from.isValid() || !to.isValid())
        return QStringLiteral("Zadejte obě data období, OD i DO.");
    if (from > to)
        return QStringLiteral("Datum OD nesmí být pozdější než datum DO.");
    return {};
}

int ticked_payment_states(const ReportChoices &choices)
{
    return int(choices.paid) + int(choices.partly_paid) + int(choices.unpaid);
}

QString payment_state_condition(const ReportChoices &choices)
{
    if (ticked_payment_states(choices) == 3)
        return {};
    QStringList alternatives;
    if (choices.paid)
        alternatives << paid_fragment();
    if (choices.partly_paid)
        alternatives << partly_paid_fragment();
    if (choices.unpaid)
        alternatives << unpaid_fragment();
    return alternatives.join(QStringLiteral(" OR "));
}

ReportParameters build_report_parameters(ReportMode mode, const ReportChoices &choices)
{
    ReportParameters result;
    switch (mode) {
    case ReportMode::Year:
        result.filter = QString::number(choices.year);
        result.order = QStringLiteral("DATE_D;RECID");
        break;
    case ReportMode::DocumentList:
        result.where = document_list_where(choices);
        result.order = QStringLiteral("DATE_D");
        break;
    case ReportMode::PartnerDocuments:
        result.where = payment_state_condition(choices);
        result.filter =
            period_local_condition(QStringLiteral("DATE_D"), choices.from, choices.to);
        result.order = QStringLiteral("DATE_D");
        break;
    case ReportMode::Catalogue:
        result.where = catalogue_where(choices);
        break;
    case ReportMode::Sales:
        result.where = sales_where(choices);
        break;
    case ReportMode::PartnerList:
        result.where = partner_list_where(choices);
        break;
    case ReportMode::CashVouchers:
        result.where = cash_voucher_where(choices);
        result.filter = period_display_text(choices.from, choices.to);
        result.order = choices.income_vouchers ? QStringLiteral("1") : QStringLiteral("0");
        break;
    }
    return result;
}
