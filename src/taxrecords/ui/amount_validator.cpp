#include "taxrecords/ui/amount_validator.h"

#include "data/glob.h"
#include "documents/doc_totals.h"

#include <QRegularExpression>

AmountValidator::AmountValidator(std::optional<double> limit, QObject *parent)
    : QValidator(parent), m_limit(limit)
{
}

QValidator::State AmountValidator::validate(QString &input, int &) const
{
    static const QRegularExpression shape(QStringLiteral("^[\\d \\x{00A0}]*[.,]?\\d*$"));
    if (!shape.match(input).hasMatch())
        return Invalid;
    if (m_limit && money_cents(parse_amount(input)) > money_cents(*m_limit))
        return Invalid;
    return Acceptable;
}
