#include "taxrecords/cash_voucher.h"

#include "data/clock.h"
#include "data/db_api.h"
#include "data/tdatetime.h"
#include "text/format_settings.h"

VoucherDetails &voucher_details()
{
    static VoucherDetails details;
    return details;
}

QString voucher_kind(bool income)
{
    return income ? QStringLiteral("T") : QStringLiteral("F");
}

std::optional<VoucherEntry> prepare_voucher(TdbAPI &api, int entry, bool income)
{
    VoucherDetails &details = voucher_details();
    details = {};
    details.kind = voucher_kind(income);
    details.date = today();

    ScopedSet row = api.select_scoped(QStringLiteral("VIEW_TE"),
                                      QStringLiteral("SELECT * FROM VIEW_TE WHERE RECID=") +
                                          QString::number(entry));
    if (!row || row->is_empty())
        return std::nullopt;
    details.entry = entry;
    VoucherEntry shown;
    const TField &date = row->field_by_name(QStringLiteral("DATE_D"));
    if (!date.is_null())
        shown.date = date_from_days(date.as_datetime());
    shown.doc_no = row->field_by_name(QStringLiteral("DOC_NO")).as_string();
    shown.grp_name = row->field_by_name(QStringLiteral("GRP_NAME")).as_string();
    shown.amount = row->field_by_name(income ? QStringLiteral("INCOME") : QStringLiteral("OUTCOME"))
                       .as_float();
    shown.currency = row->field_by_name(QStringLiteral("ORIGIN_CURR")).as_string();
    details.purpose = row->field_by_name(QStringLiteral("TE_TEXT")).as_string();

    const QString kind_condition = QStringLiteral("IS_INCOME=") + sql_quote(details.kind);
    shown.proposed_number =
        api.next_number(QStringLiteral("CASH_NO"), QStringLiteral("TE_CASH"), 1, 1, kind_condition);
    ScopedSet stored = api.select_scoped(QStringLiteral("TE_CASH"),
                                         QStringLiteral("SELECT * FROM TE_CASH WHERE TE_ID=") +
                                             QString::number(entry) + QStringLiteral(" AND ") +
                                             kind_condition + QStringLiteral(" ORDER BY RECID"));
    if (stored && !stored->is_empty()) {
        details.voucher_id = stored->field_by_name(QStringLiteral("RECID")).as_integer();
        shown.proposed_number = stored->field_by_name(QStringLiteral("CASH_NO")).as_integer();
        details.purpose = stored->field_by_name(QStringLiteral("TXT")).as_string();
        details.name = stored->field_by_name(QStringLiteral("PAR_NAME")).as_string();
        details.address = stored->field_by_name(QStringLiteral("PAR_ADDRESS")).as_string();
    }
    return shown;
}

bool store_voucher(TdbAPI &api)
{
    const VoucherDetails &details = voucher_details();
    bool numbered = false;
    const int number = details.number.trimmed().toInt(&numbered);
    if (details.entry == 0 || !numbered || number < 1 ||
        (details.kind != QLatin1String("T") && details.kind != QLatin1String("F")))
        return false;
    // One pass over the statement, so that a "%1" typed into a text stays as typed.
    const QString entry = QString::number(details.entry);
    const QString kind = sql_quote(details.kind);
    const QString cash_no = QString::number(number);
    const QString date = sql_quote(sql_date(details.date));
    const QString purpose = sql_quote(details.purpose);
    const QString name = sql_quote(details.name);
    const QString address = sql_quote(details.address);
    if (details.voucher_id == 0)
        return api.exec_sql(QStringLiteral("INSERT INTO TE_CASH VALUES(null, %1, %2, %3, %4, %5, "
                                           "%6, %7)")
                                .arg(entry, kind, cash_no, date, purpose, name, address));
    return api.exec_sql(QStringLiteral("UPDATE TE_CASH SET TE_ID = %1, IS_INCOME = %2, CASH_NO = "
                                       "%3, DATE_D = %4, TXT = %5, PAR_NAME = %6, PAR_ADDRESS = "
                                       "%7 WHERE RECID = %8")
                            .arg(entry, kind, cash_no, date, purpose, name, address,
                                 QString::number(details.voucher_id)));
}
