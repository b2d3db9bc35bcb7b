#include "documents/doc_payments.h"

#include "data/db_api.h"
#include "documents/doc_totals.h"
#include "documents/doc_types.h"

namespace {

double first_number(TdbAPI &api, const QString &select)
{
    TMemTable *set = api.select_sql(QStringLiteral("X"), select);
    double value = 0.0;
    if (set && !set->is_empty() && !set->field(0).is_null()) {
        // A sum may come back as text when its first value was; either separator reads.
        QString text = set->field(0).as_string().trimmed();
        text.replace(u',', u'.');
        value =
            set->field(0).type() == FieldType::Text ? text.toDouble() : set->field(0).as_float();
    }
    api.free_set(set);
    return value;
}

} // namespace

double document_paid(TdbAPI &api, int document_id, int doc_type)
{
    const QString column =
        brings_money_in(doc_type) ? QStringLiteral("INCOME") : QStringLiteral("OUTCOME");
    return first_number(api, QStringLiteral("SELECT SUM(") + column +
                                 QStringLiteral(") INCOME FROM TE WHERE DOC_ID=") +
                                 QString::number(document_id));
}

int payment_count(TdbAPI &api, int document_id)
{
    return static_cast<int>(
        first_number(api, QStringLiteral("SELECT COUNT(*) DOC_COUNT FROM TE WHERE DOC_ID=") +
                              QString::number(document_id)));
}

PaymentState payment_state(double round_sum, double paid)
{
    const long long paid_cents = money_cents(paid);
    if (paid_cents == 0)
        return psUnpaid;
    return paid_cents >= money_cents(round_sum) ? psPaid : psPartlyPaid;
}

PaymentState payment_state(const TMemTable &set)
{
    const TField *paid = set.find_field(QStringLiteral("ID_DOCSTATE"));
    const TField *round_sum = set.find_field(QStringLiteral("ROUND_SUM"));
    if (!paid || !round_sum || paid->is_null())
        return psUnknown;
    return payment_state(round_sum->as_float(), paid->as_float());
}

QString payment_state_text(PaymentState state)
{
    switch (state) {
    case psUnpaid:
        return QStringLiteral("neuhrazeno");
    case psPartlyPaid:
        return QStringLiteral("částečně uhrazeno");
    case psPaid:
        return QStringLiteral("plně uhrazeno");
    case psUnknown:
        break;
    }
    return QStringLiteral("?");
}

QColor payment_state_color(PaymentState state)
{
    switch (state) {
    case psUnpaid:
        return QColor(255, 0, 0);
    case psPartlyPaid:
        return QColor(128, 0, 128);
    case psPaid:
        return QColor(0, 128, 0);
    case psUnknown:
        break;
    }
    return QColor(0, 0, 0);
}

double paid_in_set(const TMemTable &payments, int doc_type)
{
    const TField *amount = payments.find_field(
        brings_money_in(doc_type) ? QStringLiteral("INCOME") : QStringLiteral("OUTCOME"));
    if (!amount)
        return 0.0;
    double paid = 0.0;
    for (int row = 0; row < payments.record_count(); ++row)
        if (!payments.cell_is_null(row, amount->index()))
            paid += payments.cell_value(row, amount->index()).toDouble();
    return paid;
}

double amount_to_pay(double round_sum, double paid)
{
    return static_cast<double>(money_cents(round_sum) - money_cents(paid)) / 100.0;
}
