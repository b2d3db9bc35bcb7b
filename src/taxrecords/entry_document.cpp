#include "taxrecords/entry_document.h"

#include "data/db_api.h"
#include "data/tdatetime.h"
#include "documents/doc_payments.h"
#include "documents/doc_totals.h"
#include "documents/doc_types.h"
#include "text/format_settings.h"
#include "text/number_format.h"

bool EntryDocument::paid_by_income() const
{
    return brings_money_in(type);
}

QString EntryDocument::description() const
{
    const QString separator = QStringLiteral(", ");
    return doc_type_name(type) + separator + format_short_date(date) + separator + doc_no +
           separator + format_number(round_sum, QStringLiteral(",0.00")) + u' ' + curr_name +
           separator + title;
}

std::optional<EntryDocument> read_entry_document(TdbAPI &api, int document_id)
{
    ScopedSet head = api.select_scoped(QStringLiteral("DOC_HEAD"),
                                       QStringLiteral("SELECT * FROM DOC_HEAD WHERE RECID=") +
                                           QString::number(document_id));
    if (!head || head->is_empty())
        return std::nullopt;
    const auto field = [&head](const char *name) -> const TField & {
        return head->field_by_name(QLatin1String(name));
    };
    EntryDocument document;
    document.id = document_id;
    document.type = field("ID_DOC_TYPE").as_integer();
    document.doc_no = field("DOC_NO").as_string().trimmed();
    if (!field("DATE_D").is_null())
        document.date = date_from_days(field("DATE_D").as_datetime());
    document.title = field("DOC_TITLE").as_string();
    document.round_sum = field("ROUND_SUM").as_float();
    document.curr_name = field("CURR_NAME").as_string().trimmed();
    document.curr_amount = std::max(1, field("CURR_AMOUNT").as_integer());
    document.curr_kurs = field("CURR_KURS").is_null() ? 1.0 : field("CURR_KURS").as_float();
    if (is_doc_type(document.type)) {
        ScopedSet details = api.select_scoped(
            QStringLiteral("DOC_DRS"), QStringLiteral("SELECT * FROM DOC_DRS%1 WHERE RECID=%2")
                                           .arg(document.type)
                                           .arg(document_id));
        if (details && !details->is_empty())
            document.bank_id = details->field_by_name(QStringLiteral("ID_BANK")).as_integer();
    }
    return document;
}

QString missing_document_text(int document_id)
{
    return QStringLiteral("Doklad s ID: ") + QString::number(document_id) +
           QStringLiteral(" neexistuje!");
}

double remaining_to_pay(TdbAPI &api, const EntryDocument &document, double own_amount)
{
    const long long others =
        money_cents(document_paid(api, document.id, document.type)) - money_cents(own_amount);
    return static_cast<double>(money_cents(document.round_sum) - others) / 100.0;
}

bool fully_paid(double remaining)
{
    return money_cents(remaining) <= 0;
}

bool amount_within(double amount, double remaining)
{
    const long long cents = money_cents(amount);
    return cents >= 0 && cents <= money_cents(remaining);
}
