#include "reports/document_captions.h"

#include "data/inifile.h"
#include "data/memtable.h"
#include "engine/report.h"

#include <QRegularExpression>

namespace {

const QString crlf = QStringLiteral("\r\n");

QString header_field(const char *column)
{
    return QStringLiteral("[dbAPI.repo_HEADER.\"%1\"]").arg(QLatin1String(column));
}

QString address_field(const char *column)
{
    return QStringLiteral("[dbAPI.repo_ADDR.\"%1\"]").arg(QLatin1String(column));
}

QString object_text(const ReportObject &object)
{
    return object.text().join(crlf);
}

void replace_object_text(ReportObject &object, const QString &text)
{
    static const QRegularExpression line_break(QStringLiteral("\r\n|\n|\r"));
    object.set_text(text.split(line_break));
}

// The object's text with the pattern (or the whole text) replaced.
QString substituted(const ReportObject &object, const QString &text, const QString &pattern)
{
    if (pattern.isEmpty())
        return text;
    QString current = object_text(object);
    const qsizetype at = current.indexOf(pattern, 0, Qt::CaseInsensitive);
    if (at >= 0)
        current.replace(at, pattern.size(), text);
    return current;
}

struct Caption {
    const char *object;
    QString text;
};

struct Translation {
    const char *object;
    const char *pattern;
    const char *suffix;
    const char *default_value;
};

// Objects whose caption is translated, in the order a translator meets them.
const Translation translations[] = {
    {"t_invoice", "Faktura", "", ""},
    {"t_credit", "Dobropis, daňový doklad", "", ""},
    {"t_tax_doc", "", "", ""},
    {"t_date", "", "", ""},
    {"t_maturity", "", "", ""},
    {"t_supplier", "", "", ""},
    {"t_customer", "", "", ""},
    {"t_bank", "", "", ""},
    {"t_bank_link", "číslo účtu", "_acc_no", ""},
    {"t_bank_link", "variabilní symbol", "_vars", ""},
    {"t_bank_link", "konstantní symbol", "_const", ""},
    {"t_shipping", "Adresa dodání", "", ""},
    {"t_total", "", "", ""},
    {"t_payment", "", "", ""},
    {"t_code", "", "", ""},
    {"t_product", "", "", ""},
    {"t_price_per_unit", "", "", ""},
    {"t_ammount", "", "", ""},
    {"t_discount_per_item", "", "", ""},
    {"t_text_per_item", "", "", "~text"},
    {"t_sub_total", "", "", ""},
    {"t_delivery", "Dodací list k faktuře číslo", "", ""},
    {"t_date2", "", "", ""},
    {"t_supplier2", "", "", ""},
    {"t_customer2", "", "", ""},
    {"t_total2", "", "", ""},
};

} // namespace

void set_report_text(Report &report, const QString &object, const QString &text,
                     const QString &pattern)
{
    if (ReportObject *target = report.find_object(object))
        replace_object_text(*target, substituted(*target, text, pattern));
}

void translate_caption(IniFile &settings, const QString &language, Report &report,
                       const QString &object, const QString &pattern,
                       const QString &default_value, const QString &suffix)
{
    const QString key = object + suffix;
    const QString fallback = default_value.isEmpty() ? key : default_value;
    ReportObject *target = report.find_object(object);
    if (!settings.key_exists(language, key))
        settings.write_string(language, key, fallback);
    if (!target)
        return;
    const QString value = settings.read_string(language, key, fallback);
    // A key still holding its own name waits for the translator; the printed document keeps
    // its Czech caption meanwhile, on this print and on every later one, so that a settings
    // file older than the shipped captions never puts "t_invoice" on a customer's invoice.
    if (value == key)
        return;
    QString text = substituted(*target, value, pattern);
    text.replace(u'~', crlf).replace(u'|', u' ');
    replace_object_text(*target, text);
}

QString bank_link_text(const TMemTable &header)
{
    const auto value = [&header](const char *column) {
        const TField *field = header.find_field(QLatin1String(column));
        return field ? field->as_string() : QString();
    };
    const bool has_account = value("ACCOUNT_NO").size() >= 2;
    QString text = header_field("BANK_NAME") + crlf;
    if (has_account)
        text += QStringLiteral("číslo účtu: ") + header_field("ACCOUNT_NO") + crlf;
    if (value("SWIFT").size() >= 2)
        text += QStringLiteral("SWIFT: ") + header_field("SWIFT") + crlf;
    if (value("IBAN").size() >= 2)
        text += QStringLiteral("IBAN: ") + header_field("IBAN") + crlf;
    if (!value("VAR_S").isEmpty() && has_account)
        text += QStringLiteral("variabilní symbol: ") + header_field("VAR_S") + crlf;
    if (value("CONST_S").size() >= 2)
        text += QStringLiteral("konstantní symbol: ") + header_field("CONST_S") + crlf;
    return text;
}

QString shipping_address_text(bool with_delivery)
{
    QStringList lines{header_field("ADDRESS"),
                      header_field("POSTAL_CODE") + u' ' + header_field("CITY"),
                      header_field("COUNTRY")};
    if (with_delivery)
        lines << QString() << QStringLiteral("Adresa dodání:") << address_field("ADDRESS_TITLE")
              << address_field("ADDRESS") + u' ' + address_field("ADDRESS2")
              << address_field("POSTAL_CODE") + u' ' + address_field("CITY")
              << address_field("COUNTRY");
    return lines.join(crlf);
}

void write_document_captions(Report &report, const TMemTable &header, bool with_delivery,
                             IniFile &settings, const QString &language)
{
    const QString number = header_field("DOC_NO");
    const QString address = shipping_address_text(with_delivery);
    const Caption captions[] = {
        {"t_invoice", QStringLiteral("Faktura: ") + number},
        {"t_credit", QStringLiteral("Dobropis, daňový doklad: ") + number},
        {"t_bank_link", bank_link_text(header)},
        {"t_shipping", address},
        {"t_shipping2", address},
        {"t_delivery", QStringLiteral("Dodací list k faktuře číslo: ") + number},
        {"t_tax_doc", QStringLiteral("daňový doklad")},
        {"t_date", QStringLiteral("datum:")},
        {"t_maturity", QStringLiteral("splatnost:")},
        {"t_supplier", QStringLiteral("Dodavatel")},
        {"t_customer", QStringLiteral("Odběratel")},
        {"t_bank", QStringLiteral("Bankovní spojení:")},
        {"t_total", QStringLiteral("Celkem:")},
        {"t_payment", QStringLiteral("Celkem k úhradě:")},
        {"t_code", QStringLiteral("kód\r\nproduktu")},
        {"t_product", QStringLiteral("název produktu")},
        {"t_price_per_unit", QStringLiteral("cena za\r\njednotku")},
        {"t_ammount", QStringLiteral("množství")},
        {"t_discount_per_item", QStringLiteral("sleva za\r\npoložku")},
        {"t_text_per_item", QStringLiteral("\r\ntext")},
        {"t_sub_total", QStringLiteral("cena\r\ncelkem")},
        {"t_date2", QStringLiteral("datum:")},
        {"t_supplier2", QStringLiteral("Dodavatel")},
        {"t_customer2", QStringLiteral("Odběratel")},
        {"t_total2", QStringLiteral("Celkem:")},
    };
    for (const Caption &caption : captions)
        set_report_text(report, QLatin1String(caption.object), caption.text);
    if (language.isEmpty())
        return;
    for (const Translation &t : translations)
        translate_caption(settings, language, report, QLatin1String(t.object),
                          QString::fromUtf8(t.pattern), QString::fromUtf8(t.default_value),
                          QLatin1String(t.suffix));
}
