#include "taxrecords/bank_statement_camt.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QStringList>
#include <QXmlStreamReader>
#include <cmath>

namespace {

struct ParseError {
    QString text;
};

[[noreturn]] void fail(qint64 line, const char *field, const QString &why)
{
    throw ParseError{
        QStringLiteral("Řádek %1, pole „%2“: %3").arg(line).arg(QString::fromUtf8(field), why)};
}

// "1234.50" in whole cents; at most two decimals, as the currencies we book have.
long long amount_cents(const QString &text, qint64 line, const char *field)
{
    static const QRegularExpression number(QStringLiteral("^\\d{1,15}(\\.\\d{1,2})?$"));
    const QString value = text.trimmed();
    if (!number.match(value).hasMatch())
        fail(line, field, QStringLiteral("„%1“ není částka.").arg(value));
    const qsizetype dot = value.indexOf(u'.');
    const QString whole = dot < 0 ? value : value.left(dot);
    const QString cents = dot < 0 ? QString() : value.mid(dot + 1).leftJustified(2, u'0');
    return whole.toLongLong() * 100 + cents.toLongLong();
}

QDate iso_date(const QString &text, qint64 line, const char *field)
{
    const QDate date = QDate::fromString(text.trimmed().left(10), Qt::ISODate);
    if (!date.isValid())
        fail(line, field, QStringLiteral("„%1“ není datum.").arg(text.trimmed()));
    return date;
}

QString variable_symbol_in(const QString &reference)
{
    static const QRegularExpression marked(QStringLiteral("VS[:/ ]?(\\d{1,10})"));
    static const QRegularExpression digits(QStringLiteral("^\\d{1,10}$"));
    const QRegularExpressionMatch match = marked.match(reference);
    if (match.hasMatch())
        return normalized_symbol(match.captured(1));
    if (digits.match(reference.trimmed()).hasMatch())
        return normalized_symbol(reference);
    return {};
}

// What one Ntry says, collected while its elements stream by.
struct Entry {
    qint64 line = 0;
    QString amount;
    qint64 amount_line = 0;
    QString currency;
    QString direction;
    bool reversal = false;
    QString value_date;
    QString booking_date;
    qint64 date_line = 0;
    QString servicer_ref;
    QString entry_ref;
    QString end_to_end;
    QString creditor_ref;
    QString debtor_name;
    QString creditor_name;
    QString debtor_account;
    QString creditor_account;
    QStringList messages;
};

BankMovement movement_of(const Entry &entry, const QString &statement_currency)
{
    BankMovement movement;
    movement.line = int(entry.line);
    if (entry.amount_line == 0)
        fail(entry.line, "Amt", QStringLiteral("pohyb nemá částku."));
    movement.amount_cents = amount_cents(entry.amount, entry.amount_line, "Amt");
    if (entry.direction == QLatin1String("CRDT"))
        movement.credit = true;
    else if (entry.direction != QLatin1String("DBIT"))
        fail(entry.line, "CdtDbtInd",
             QStringLiteral("„%1“ není CRDT ani DBIT.").arg(entry.direction));
    // A reversed credit takes money back, a reversed debit returns it.
    movement.reversal = entry.reversal;
    if (entry.reversal)
        movement.credit = !movement.credit;
    movement.currency = entry.currency.isEmpty() ? statement_currency : entry.currency;
    const QString date = entry.value_date.isEmpty() ? entry.booking_date : entry.value_date;
    movement.value_date = iso_date(date, entry.date_line ? entry.date_line : entry.line, "ValDt");
    movement.variable_symbol = variable_symbol_in(entry.creditor_ref);
    if (movement.variable_symbol.isEmpty())
        movement.variable_symbol = variable_symbol_in(entry.end_to_end);
    movement.counter_name = movement.credit ? entry.debtor_name : entry.creditor_name;
    movement.counter_account = movement.credit ? entry.debtor_account : entry.creditor_account;
    movement.message = entry.messages.join(u' ').simplified();
    movement.transaction_id =
        !entry.servicer_ref.isEmpty() ? entry.servicer_ref
        : !entry.entry_ref.isEmpty()
            ? entry.entry_ref
            : QString::fromLatin1(QCryptographicHash::hash((entry.amount + entry.direction + date +
                                                            entry.end_to_end + movement.message)
                                                               .toUtf8(),
                                                           QCryptographicHash::Sha1)
                                      .toHex());
    return movement;
}

// The path of the element being read, below Document, as "BkToCstmrStmt/Stmt/Ntry/Amt".
class Path {
public:
    void push(const QString &name) { m_names.append(name); }
    void pop() { m_names.removeLast(); }
    bool ends_with(const QString &tail) const
    {
        const QString path = m_names.join(u'/');
        return path == tail || path.endsWith(u'/' + tail);
    }
    bool inside(const QString &name) const { return m_names.contains(name); }

private:
    QStringList m_names;
};

} // namespace

StatementReading read_camt_statement(const QByteArray &bytes)
{
    StatementReading reading;
    BankStatement &statement = reading.statement;
    QXmlStreamReader xml(bytes);
    Path path;
    bool is_statement = false;
    bool has_account = false;
    QString statement_currency;
    QString balance_code;
    QString balance_amount;
    QString balance_direction;
    QString balance_date;
    qint64 balance_line = 0;
    // Of the statement being read: where its movements begin, its line, its dates.
    size_t first_movement = 0;
    qint64 statement_line = 0;
    int statements = 0;
    QDate created;
    QDate closing;
    Entry entry;
    try {
        while (!xml.atEnd()) {
            const QXmlStreamReader::TokenType token = xml.readNext();
            const qint64 line = xml.lineNumber();
            if (token == QXmlStreamReader::StartElement) {
                const QString name = xml.name().toString();
                path.push(name);
                if (path.ends_with(QStringLiteral("Document/BkToCstmrStmt/Stmt"))) {
                    is_statement = true;
                    ++statements;
                    first_movement = statement.movements.size();
                    statement_line = line;
                    created = {};
                    closing = {};
                }
                if (path.ends_with(QStringLiteral("Stmt/Ntry"))) {
                    entry = Entry();
                    entry.line = line;
                }
                if (path.ends_with(QStringLiteral("Stmt/Bal"))) {
                    balance_code.clear();
                    balance_amount.clear();
                    balance_direction.clear();
                    balance_date.clear();
                }
                if (path.ends_with(QStringLiteral("Ntry/Amt"))) {
                    entry.amount_line = line;
                    entry.currency = xml.attributes().value(QStringLiteral("Ccy")).toString();
                    entry.amount = xml.readElementText();
                    path.pop();
                } else if (path.ends_with(QStringLiteral("Bal/Amt"))) {
                    balance_line = line;
                    balance_amount = xml.readElementText();
                    path.pop();
                }
                continue;
            }
            if (token == QXmlStreamReader::Characters && !xml.isWhitespace()) {
                const QString text = xml.text().toString().trimmed();
                if (path.ends_with(QStringLiteral("Stmt/Acct/Id/IBAN")) ||
                    path.ends_with(QStringLiteral("Stmt/Acct/Id/Othr/Id"))) {
                    if (has_account && text != statement.account)
                        fail(line, "Acct/Id",
                             QStringLiteral("účet %1 se liší od účtu %2 prvního výpisu.")
                                 .arg(text, statement.account));
                    statement.account = text;
                    has_account = true;
                } else if (path.ends_with(QStringLiteral("Stmt/Acct/Ccy")))
                    statement_currency = text;
                else if (path.ends_with(QStringLiteral("Stmt/CreDtTm")))
                    created = iso_date(text, line, "CreDtTm");
                else if (path.ends_with(QStringLiteral("Bal/Tp/CdOrPrtry/Cd")))
                    balance_code = text;
                else if (path.ends_with(QStringLiteral("Bal/CdtDbtInd")))
                    balance_direction = text;
                else if (path.ends_with(QStringLiteral("Bal/Dt/Dt")))
                    balance_date = text;
                else if (path.ends_with(QStringLiteral("Ntry/CdtDbtInd")))
                    entry.direction = text;
                else if (path.ends_with(QStringLiteral("Ntry/RvslInd")))
                    entry.reversal = text == QLatin1String("true");
                else if (path.ends_with(QStringLiteral("Ntry/ValDt/Dt")) ||
                         path.ends_with(QStringLiteral("Ntry/ValDt/DtTm"))) {
                    entry.value_date = text;
                    entry.date_line = line;
                } else if (path.ends_with(QStringLiteral("Ntry/BookgDt/Dt")) ||
                           path.ends_with(QStringLiteral("Ntry/BookgDt/DtTm")))
                    entry.booking_date = text;
                else if (path.ends_with(QStringLiteral("Ntry/AcctSvcrRef")))
                    entry.servicer_ref = text;
                else if (path.ends_with(QStringLiteral("Ntry/NtryRef")))
                    entry.entry_ref = text;
                else if (path.ends_with(QStringLiteral("Refs/EndToEndId")))
                    entry.end_to_end = text;
                else if (path.ends_with(QStringLiteral("CdtrRefInf/Ref")))
                    entry.creditor_ref = text;
                else if (path.ends_with(QStringLiteral("RmtInf/Ustrd")) ||
                         path.ends_with(QStringLiteral("Ntry/AddtlNtryInf")))
                    entry.messages.append(text);
                else if (path.inside(QStringLiteral("RltdPties")) &&
                         path.ends_with(QStringLiteral("Nm"))) {
                    if (path.inside(QStringLiteral("Dbtr")))
                        entry.debtor_name = text;
                    else if (path.inside(QStringLiteral("Cdtr")))
                        entry.creditor_name = text;
                } else if (path.inside(QStringLiteral("RltdPties")) &&
                           (path.ends_with(QStringLiteral("Id/IBAN")) ||
                            path.ends_with(QStringLiteral("Othr/Id")))) {
                    if (path.inside(QStringLiteral("DbtrAcct")))
                        entry.debtor_account = text;
                    else if (path.inside(QStringLiteral("CdtrAcct")))
                        entry.creditor_account = text;
                }
                continue;
            }
            if (token == QXmlStreamReader::EndElement) {
                if (path.ends_with(QStringLiteral("Stmt/Ntry")))
                    statement.movements.push_back(movement_of(entry, statement_currency));
                if (path.ends_with(QStringLiteral("Stmt/Bal"))) {
                    long long cents = amount_cents(balance_amount, balance_line, "Bal/Amt");
                    if (balance_direction == QLatin1String("DBIT"))
                        cents = -cents;
                    if ((balance_code == QLatin1String("OPBD") ||
                         balance_code == QLatin1String("PRCD")) &&
                        statements == 1)
                        statement.old_balance_cents = cents;
                    if (balance_code == QLatin1String("CLBD")) {
                        statement.new_balance_cents = cents;
                        closing = iso_date(balance_date, balance_line, "Bal/Dt");
                    }
                }
                if (path.ends_with(QStringLiteral("Document/BkToCstmrStmt/Stmt"))) {
                    statement.date = closing.isValid() ? closing : created;
                    if (!statement.date.isValid())
                        fail(statement_line, "Stmt",
                             QStringLiteral("výpis neuvádí své datum (CreDtTm ani CLBD)."));
                    for (size_t i = first_movement; i < statement.movements.size(); ++i)
                        statement.movements[i].statement_date = statement.date;
                }
                path.pop();
            }
        }
        if (xml.hasError())
            throw ParseError{QStringLiteral("Řádek %1: soubor není platné XML (%2).")
                                 .arg(xml.lineNumber())
                                 .arg(xml.errorString())};
        if (!is_statement)
            throw ParseError{QStringLiteral("Soubor není bankovní výpis camt.053 "
                                            "(chybí prvek BkToCstmrStmt/Stmt).")};
        if (!has_account)
            throw ParseError{QStringLiteral("Výpis neuvádí číslo účtu (prvek Acct/Id).")};
    } catch (const ParseError &error) {
        reading.error = error.text;
        statement = {};
    }
    return reading;
}
