#include "reports/document_lists.h"

#include "data/db_api.h"
#include "data/glob.h"
#include "documents/doc_types.h"
#include "engine/report_error.h"

namespace {

const int recap_column_width = 28;
const int currency_label_width = 8;
const QString recap_format = QStringLiteral("### ### ##0.00");

} // namespace

QString document_list_caption(int doc_type)
{
    switch (doc_type) {
    case dtIssuedInvoice:
        return QStringLiteral("    Soupis vydaných faktur.");
    case dtReceivedInvoice:
        return QStringLiteral("    Soupis došlých faktur.");
    case dtIssuedCredit:
        return QStringLiteral("    Soupis vydaných dobropisů.");
    case dtReceivedCredit:
        return QStringLiteral("    Soupis došlých dobropisů.");
    }
    throw ReportError(QStringLiteral("Neznámý typ dokladu!"));
}

QString document_list_select(int doc_type, const QString &condition)
{
    document_list_caption(doc_type);
    QString select = QStringLiteral("SELECT * FROM VIEW_DOC%1").arg(doc_type);
    if (!condition.isEmpty())
        select += QLatin1Char(' ') + condition;
    return select;
}

QString partner_documents_select(int partner, const QString &state_condition)
{
    QString select = QStringLiteral("SELECT * FROM PRINT_DOC_PAR WHERE PAR_RECID=%1 ").arg(partner);
    if (!state_condition.isEmpty())
        select += QStringLiteral("AND (") + state_condition + QLatin1Char(')');
    return select;
}

QStringList document_recap_lines(TdbAPI &api, int doc_type)
{
    QStringList lines;
    lines << pad_left(QStringLiteral("celkem"), recap_column_width) +
                 pad_left(QStringLiteral("z toho uhrazeno"), recap_column_width) +
                 pad_left(QStringLiteral("zbývá uhradit"), recap_column_width);
    const ScopedSet rows = api.select_scoped(
        QStringLiteral("repo_REKAP"),
        QStringLiteral("SELECT * FROM VIEW_DOC_REKAP WHERE ID_DOC_TYPE=%1").arg(doc_type));
    if (!rows)
        return lines;
    const TField *currency = rows->find_field(QStringLiteral("CURR_NAME"));
    const TField *total = rows->find_field(QStringLiteral("SUM_DOC"));
    const TField *paid = rows->find_field(QStringLiteral("SUM_PAY"));
    if (!currency || !total || !paid)
        return lines;
    for (rows->first(); !rows->eof(); rows->next()) {
        const QString label =
            (QLatin1Char(' ') + currency->as_string()).leftJustified(currency_label_width);
        const double sum = parse_amount(total->as_string());
        const double sum_paid = parse_amount(paid->as_string());
        QString line;
        for (const double amount : {sum, sum_paid, sum - sum_paid})
            line += format_padded(recap_column_width, recap_format + label, amount);
        lines << line;
    }
    return lines;
}

void apply_list_filter_and_order(TdbAPI &api, TMemTable *set, const QString &filter,
                                 const QString &order)
{
    if (!set)
        return;
    set->set_filtered(!filter.isEmpty() && set->set_filter_text(filter));
    api.sort_set(set, order, order.startsWith(QLatin1String("DATE_D")));
}
