#include "reports/qr_payment.h"

#include "data/czech_numbers.h"
#include "data/memtable.h"
#include "data/tdatetime.h"
#include "engine/report.h"

#include <QRegularExpression>
#include <cmath>

namespace {

// The descriptor separates its fields with "*", so a value writes its own as "%2A".
QString spd_value(const QString &value)
{
    QString escaped = value;
    return escaped.replace(u'*', QStringLiteral("%2A"));
}

QString spd_iban(const QrPaymentDetails &details, QString &refusal)
{
    QString iban = details.iban;
    iban.remove(u' ');
    iban = iban.toUpper();
    if (!iban.isEmpty()) {
        if (!is_valid_iban(iban))
            refusal = QStringLiteral("IBAN účtu není platný.");
        return iban;
    }
    iban = iban_of_account(details.account_no);
    if (iban.isEmpty())
        refusal = QStringLiteral("Číslo účtu není platné české číslo účtu.");
    return iban;
}

} // namespace

QString currency_iso_code(const QString &currency, QString &refusal)
{
    const QString name = currency.trimmed();
    if (name.isEmpty() || name.compare(QStringLiteral("Kč"), Qt::CaseInsensitive) == 0 ||
        name.compare(QStringLiteral("Kc"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("CZK");
    static const QRegularExpression iso(QStringLiteral("^[A-Za-z]{3}$"));
    if (!iso.match(name).hasMatch())
        refusal = QStringLiteral("Měna „%1“ nemá kód ISO.").arg(name);
    return name.toUpper();
}

QString iban_of_account(const QString &account_no)
{
    static const QRegularExpression domestic(
        QStringLiteral("^(?:(\\d{1,6})-)?(\\d{2,10})/(\\d{4})$"));
    const QRegularExpressionMatch match = domestic.match(account_no.trimmed());
    if (!match.hasMatch())
        return {};
    const qint64 prefix = match.captured(1).toLongLong();
    const qint64 number = match.captured(2).toLongLong();
    if (!is_valid_account_part(prefix) || !is_valid_account_part(number) || number == 0)
        return {};
    return czech_iban(prefix, number, match.captured(3).toInt());
}

QrPayment qr_payment(const QrPaymentDetails &details)
{
    QrPayment result;
    QString &refusal = result.refusal;
    if (!std::isfinite(details.amount) || std::round(details.amount * 100) <= 0) {
        refusal = QStringLiteral("Není co platit: částka k úhradě není kladná.");
        return result;
    }
    if (details.account_no.trimmed().size() < 2) {
        refusal = QStringLiteral("Bankovní spojení nemá číslo účtu.");
        return result;
    }
    const QString iban = spd_iban(details, refusal);
    if (!refusal.isEmpty())
        return result;
    const QString amount = QString::number(std::round(details.amount * 100) / 100, 'f', 2);
    // The descriptor allows ten characters: up to 9 999 999.99.
    if (amount.size() > 10) {
        refusal = QStringLiteral("Částka je pro QR platbu příliš velká.");
        return result;
    }
    const QString currency = currency_iso_code(details.currency, refusal);
    if (!refusal.isEmpty())
        return result;
    const QString symbol = details.variable_symbol.trimmed();
    static const QRegularExpression digits(QStringLiteral("^\\d{1,10}$"));
    if (!symbol.isEmpty() && !digits.match(symbol).hasMatch()) {
        refusal = QStringLiteral("Variabilní symbol „%1“ nemá jen číslice (nejvýše 10).")
                      .arg(symbol);
        return result;
    }

    QStringList fields{QStringLiteral("SPD"), QStringLiteral("1.0"),
                       QStringLiteral("ACC:") + spd_value(iban),
                       QStringLiteral("AM:") + amount,
                       QStringLiteral("CC:") + spd_value(currency)};
    if (details.maturity.isValid())
        fields << QStringLiteral("DT:") + details.maturity.toString(QStringLiteral("yyyyMMdd"));
    if (!symbol.isEmpty())
        fields << QStringLiteral("X-VS:") + symbol;
    const QString message = details.message.simplified().left(60);
    if (!message.isEmpty())
        fields << QStringLiteral("MSG:") + spd_value(message);
    result.payload = fields.join(u'*');
    return result;
}

namespace {

QString column_text(const TMemTable &set, const char *column)
{
    const TField *field = set.find_field(QLatin1String(column));
    return field ? field->as_string() : QString();
}

void remove_object(Report &report, const QString &name)
{
    for (TemplatePage &page : report.report_template().pages)
        for (ReportBand &band : page.bands)
            std::erase_if(band.objects,
                          [&name](const ReportObject &object) { return object.name == name; });
}

} // namespace

QString write_qr_payment(Report &report, const TMemTable &header)
{
    const QString code_object = QStringLiteral("qr_payment");
    ReportObject *code = report.find_object(code_object);
    if (!code)
        return {};
    QrPaymentDetails details;
    details.account_no = column_text(header, "ACCOUNT_NO");
    details.iban = column_text(header, "IBAN");
    if (const TField *sum = header.find_field(QStringLiteral("ROUND_SUM")))
        details.amount = sum->as_float();
    details.currency = column_text(header, "CURR_NAME");
    details.variable_symbol = column_text(header, "VAR_S");
    if (const TField *due = header.find_field(QStringLiteral("MATURITY_D")); due && !due->is_null())
        details.maturity = date_from_days(due->as_datetime());
    details.message = QStringLiteral("Faktura ") + column_text(header, "DOC_NO");
    const QrPayment payment = qr_payment(details);
    if (payment.payload.isEmpty()) {
        remove_object(report, code_object);
        remove_object(report, QStringLiteral("qr_caption"));
    } else {
        code->set_text({payment.payload});
    }
    return payment.refusal;
}
