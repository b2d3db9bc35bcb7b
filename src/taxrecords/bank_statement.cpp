#include "taxrecords/bank_statement.h"

#include "documents/doc_currency.h"

QString BankMovement::text() const
{
    if (!message.trimmed().isEmpty())
        return message.trimmed();
    if (!counter_name.trimmed().isEmpty())
        return counter_name.trimmed();
    if (!variable_symbol.isEmpty())
        return QStringLiteral("VS ") + variable_symbol;
    return QStringLiteral("Bankovní pohyb");
}

QString normalized_symbol(const QString &symbol)
{
    const QString trimmed = symbol.trimmed();
    qsizetype start = 0;
    while (start < trimmed.size() && trimmed[start] == u'0')
        ++start;
    return trimmed.mid(start);
}

QString journal_currency(const QString &iso_code)
{
    const QString code = iso_code.trimmed().toUpper();
    return code == QLatin1String("CZK") ? home_currency : code;
}
