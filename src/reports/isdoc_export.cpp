#include "reports/isdoc_export.h"

#include "data/db_api.h"
#include "data/messages.h"
#include "data/tdatetime.h"
#include "documents/doc_totals.h"
#include "documents/doc_types.h"
#include "reports/document_uuid.h"
#include "reports/firm_sender.h"
#include "reports/qr_payment.h"

#include <QDate>
#include <QRegularExpression>
#include <QSaveFile>
#include <QXmlStreamWriter>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

const QString isdoc_namespace = QStringLiteral("http://isdoc.cz/namespace/2013");
const QString isdoc_version = QStringLiteral("6.0.2");
const QString czech_republic = QStringLiteral("Česká republika");

// Both document types of this form, as ISDOC numbers them.
constexpr int isdoc_invoice = 1;
constexpr int isdoc_credit_note = 2;
// Payment means: cash, and a transfer to the account.
constexpr int paid_in_cash = 10;
constexpr int paid_by_transfer = 42;

// A decimal written from whole units of 10^-places, so that binary noise such as
// 0.1 + 0.2 never reaches the file; trailing zeros beyond `min_places` go.
QString decimal_text(double value, int places, int min_places)
{
    const long long scale = static_cast<long long>(std::llround(std::pow(10.0, places)));
    const long long units = std::llround(value * static_cast<double>(scale));
    const unsigned long long magnitude = static_cast<unsigned long long>(std::llabs(units));
    QString fraction = QString::number(magnitude % static_cast<unsigned long long>(scale))
                           .rightJustified(places, u'0');
    while (fraction.size() > min_places && fraction.endsWith(u'0'))
        fraction.chop(1);
    QString text = QString::number(magnitude / static_cast<unsigned long long>(scale));
    if (!fraction.isEmpty())
        text += u'.' + fraction;
    return units < 0 ? u'-' + text : text;
}

QString cents_text(long long cents)
{
    return decimal_text(static_cast<double>(cents) / 100.0, 2, 2);
}

QString iso_date(double days)
{
    return date_from_days(days).toString(Qt::ISODate);
}

QString field_text(const TMemTable &set, const char *column)
{
    const TField *field = set.find_field(QLatin1String(column));
    return field ? field->as_string().trimmed() : QString();
}

double field_float(const TMemTable &set, const char *column)
{
    const TField *field = set.find_field(QLatin1String(column));
    return field ? field->as_float() : 0.0;
}

int field_int(const TMemTable &set, const char *column)
{
    const TField *field = set.find_field(QLatin1String(column));
    return field ? field->as_integer() : 0;
}

bool field_has_date(const TMemTable &set, const char *column)
{
    const TField *field = set.find_field(QLatin1String(column));
    return field && !field->is_null() && date_from_days(field->as_datetime()).isValid();
}

// An amount of the document in its own currency and in crowns at the document's rate, both
// in whole cents: the file states each as it is paid, and sums made of them add up.
struct Amount {
    long long document = 0;
    long long local = 0;
};

class Rate {
public:
    Rate(bool foreign, double curr_amount, double curr_kurs)
        : m_foreign(foreign), m_rate(foreign ? currency_rate(curr_amount, curr_kurs) : 1.0)
    {
    }
    bool foreign() const { return m_foreign; }
    double local(double amount) const { return amount * m_rate; }
    Amount amount(double value) const { return {money_cents(value), money_cents(local(value))}; }

private:
    bool m_foreign;
    double m_rate;
};

struct PostalAddress {
    QString street;
    QString building;
    QString city;
    QString postal_zone;
    QString country_code = QStringLiteral("CZ");
    QString country = czech_republic;
};

struct Party {
    QString id; // IČ
    QString name;
    PostalAddress address;
    QString vat_id; // DIČ
    QString mail;
};

// "Masarykova 1228/37" is the street "Masarykova" and the building "1228/37"; a line
// without a number is all street.
void split_street(const QString &line, PostalAddress &address)
{
    static const QRegularExpression numbered(
        QStringLiteral("^(.*\\S)\\s+(\\d+[\\p{L}]?(?:/\\d+[\\p{L}]?)?)$"));
    const QString text = line.simplified();
    const QRegularExpressionMatch match = numbered.match(text);
    address.street = match.hasMatch() ? match.captured(1) : text;
    address.building = match.hasMatch() ? match.captured(2) : QString();
}

// The country as the address names it; ISDOC wants its two-letter code beside the name.
void set_country(const QString &name, PostalAddress &address)
{
    struct Country {
        const char *code;
        std::vector<QString> names;
    };
    static const std::vector<Country> countries = {
        {"CZ", {czech_republic, QStringLiteral("Česko"), QStringLiteral("ČR")}},
        {"SK",
         {QStringLiteral("Slovenská republika"), QStringLiteral("Slovensko"),
          QStringLiteral("SR")}},
        {"DE", {QStringLiteral("Německo"), QStringLiteral("Deutschland")}},
        {"AT", {QStringLiteral("Rakousko"), QStringLiteral("Österreich")}},
        {"PL", {QStringLiteral("Polsko"), QStringLiteral("Polska")}},
    };
    const QString text = name.simplified();
    if (text.isEmpty())
        return;
    address.country = text;
    address.country_code.clear();
    static const QRegularExpression code(QStringLiteral("^[A-Za-z]{2}$"));
    if (code.match(text).hasMatch()) {
        address.country_code = text.toUpper();
        return;
    }
    for (const Country &country : countries)
        for (const QString &known : country.names)
            if (known.compare(text, Qt::CaseInsensitive) == 0)
                address.country_code = QLatin1String(country.code);
}

// The firm's address is one free text ("Masarykova 1228/37\r\n400 01 Ústí nad Labem", or
// on one line with commas) that may name its e-mail and telephone too.
PostalAddress firm_address(const QString &text)
{
    static const QRegularExpression parts_separator(QStringLiteral("[\\r\\n]+|,"));
    static const QRegularExpression zone_first(QStringLiteral("^(\\d{3}\\s?\\d{2})\\s+(.+)$"));
    static const QRegularExpression contact(QStringLiteral("@|^(tel|mobil|e-mail|fax|www)"),
                                            QRegularExpression::CaseInsensitiveOption);
    QStringList parts;
    for (const QString &part : text.split(parts_separator, Qt::SkipEmptyParts))
        if (!part.simplified().isEmpty() && !contact.match(part.simplified()).hasMatch())
            parts << part.simplified();
    PostalAddress address;
    if (parts.isEmpty())
        return address;
    split_street(parts.takeFirst(), address);
    for (const QString &part : parts) {
        const QRegularExpressionMatch zone = zone_first.match(part);
        if (zone.hasMatch()) {
            address.postal_zone = zone.captured(1);
            address.city = zone.captured(2);
            return address;
        }
    }
    if (!parts.isEmpty())
        address.city = parts.first();
    return address;
}

Party firm_party(TdbAPI &api)
{
    const QString table = QStringLiteral("CONF_ADDRESS");
    const QString address = api.lookup_text(1, table, QStringLiteral("MYADDRESS"));
    Party firm;
    firm.id = api.lookup_text(1, table, QStringLiteral("MYID")).trimmed();
    firm.name = api.lookup_text(1, table, QStringLiteral("MYNAME")).simplified();
    firm.address = firm_address(address);
    firm.vat_id = api.lookup_text(1, table, QStringLiteral("MYVAT")).trimmed();
    firm.mail = first_mail_address(address);
    return firm;
}

Party customer_party(TdbAPI &api, const TMemTable &header)
{
    Party customer;
    customer.id = field_text(header, "ICO");
    customer.name = field_text(header, "PARTNER_NAME");
    customer.vat_id = field_text(header, "DIC");
    const ScopedSet address = api.select_scoped(
        QStringLiteral("X"),
        QStringLiteral("SELECT ADDRESS, ADDRESS2, CITY, POSTAL_CODE, COUNTRY FROM PAR_ADDR "
                       "WHERE RECID=") +
            QString::number(field_int(header, "ID_ADDRESS")));
    if (address && !address->is_empty()) {
        const TMemTable &row = *address.get();
        const QString street = field_text(row, "ADDRESS");
        split_street(street.isEmpty() ? field_text(row, "ADDRESS2") : street, customer.address);
        customer.address.city = field_text(row, "CITY");
        customer.address.postal_zone = field_text(row, "POSTAL_CODE");
        set_country(field_text(row, "COUNTRY"), customer.address);
    }
    return customer;
}

struct InvoiceLine {
    QString description;
    QString product_no;
    double quantity = 1;
    QString unit;
    double unit_price = 0;
    double cost = 0;
};

// A document without items (a credit note, an invoice of a typed total) is one line of its
// title and total: the format knows no invoice without lines.
std::vector<InvoiceLine> invoice_lines(TdbAPI &api, const TMemTable &header, int document_id)
{
    std::vector<InvoiceLine> lines;
    const ScopedSet items = api.select_scoped(
        QStringLiteral("X"),
        QStringLiteral("SELECT PRO_NO, PRO_NAME, ITEM_TEXT, AMOUNT, UNITV, COST_PER_UNIT, COST "
                       "FROM VIEW_ITEMS WHERE HEADER_ID=") +
            QString::number(document_id));
    if (items)
        for (items->first(); !items->eof(); items->next()) {
            const TMemTable &item = *items.get();
            InvoiceLine line;
            line.description = field_text(item, "ITEM_TEXT");
            if (line.description.isEmpty())
                line.description = field_text(item, "PRO_NAME");
            line.product_no = field_text(item, "PRO_NO");
            line.quantity = field_float(item, "AMOUNT");
            line.unit = field_text(item, "UNITV");
            line.unit_price = field_float(item, "COST_PER_UNIT");
            line.cost = field_float(item, "COST");
            lines.push_back(line);
        }
    if (lines.empty()) {
        InvoiceLine whole;
        whole.description = field_text(header, "DOC_TITLE");
        whole.unit_price = field_float(header, "ALL_SUM");
        whole.cost = whole.unit_price;
        lines.push_back(whole);
    }
    return lines;
}

struct Account {
    bool bank = false;
    QString number; // "prefix-number" of a domestic account, else the whole number
    QString bank_code;
    QString bank_name;
    QString iban;
    QString bic;
};

// The account or cash desk the document is paid to; none when the document names no existing
// one, or a bank account without its number, for there is nothing to transfer to.
std::optional<Account> payment_account(TdbAPI &api, int bank_id)
{
    if (bank_id == 0)
        return std::nullopt;
    const ScopedSet row = api.select_scoped(
        QStringLiteral("X"),
        QStringLiteral("SELECT IS_BANK, MNAME, MNO, MADDRESS, SWIFT, IBAN FROM CONF_BANKCASH "
                       "WHERE RECID=") +
            QString::number(bank_id));
    if (!row || row->is_empty())
        return std::nullopt;
    const TMemTable &bank = *row.get();
    Account account;
    const QString number = field_text(bank, "MNO");
    account.bank = field_text(bank, "IS_BANK") != QLatin1String("F");
    if (!account.bank)
        return account;
    if (number.isEmpty())
        return std::nullopt;
    const qsizetype slash = number.lastIndexOf(u'/');
    account.number = slash < 0 ? number : number.left(slash).trimmed();
    account.bank_code = slash < 0 ? QString() : number.mid(slash + 1).trimmed();
    // The bank's address starts with its name: "Komerční banka, Na Příkopě 33, Praha 1".
    account.bank_name = field_text(bank, "MADDRESS").section(u',', 0, 0).trimmed();
    if (account.bank_name.isEmpty())
        account.bank_name = field_text(bank, "MNAME");
    account.iban = field_text(bank, "IBAN").remove(u' ').toUpper();
    if (account.iban.isEmpty())
        account.iban = iban_of_account(number);
    account.bic = field_text(bank, "SWIFT");
    return account;
}

struct OriginalDocument {
    QString number;
    QString issue_date;
    QString uuid;
};

class IsdocWriter {
public:
    IsdocWriter(QIODevice *device, const Rate &rate) : m_xml(device), m_rate(rate)
    {
        m_xml.setAutoFormatting(true);
        m_xml.setAutoFormattingIndent(2);
    }

    QXmlStreamWriter &xml() { return m_xml; }

    void text(const QString &name, const QString &value) { m_xml.writeTextElement(name, value); }

    // The amount in crowns, preceded or followed by its foreign-currency twin "…Curr" where
    // the format places it, for a document in a foreign currency only.
    void amount(const QString &name, const Amount &value, bool currency_first)
    {
        if (m_rate.foreign() && currency_first)
            text(name + QStringLiteral("Curr"), cents_text(value.document));
        text(name, cents_text(value.local));
        if (m_rate.foreign() && !currency_first)
            text(name + QStringLiteral("Curr"), cents_text(value.document));
    }

    void party(const QString &role, const Party &party)
    {
        m_xml.writeStartElement(role);
        m_xml.writeStartElement(QStringLiteral("Party"));
        m_xml.writeStartElement(QStringLiteral("PartyIdentification"));
        text(QStringLiteral("ID"), party.id);
        m_xml.writeEndElement();
        m_xml.writeStartElement(QStringLiteral("PartyName"));
        text(QStringLiteral("Name"), party.name);
        m_xml.writeEndElement();
        m_xml.writeStartElement(QStringLiteral("PostalAddress"));
        text(QStringLiteral("StreetName"), party.address.street);
        text(QStringLiteral("BuildingNumber"), party.address.building);
        text(QStringLiteral("CityName"), party.address.city);
        text(QStringLiteral("PostalZone"), party.address.postal_zone);
        m_xml.writeStartElement(QStringLiteral("Country"));
        text(QStringLiteral("IdentificationCode"), party.address.country_code);
        text(QStringLiteral("Name"), party.address.country);
        m_xml.writeEndElement();
        m_xml.writeEndElement();
        if (!party.vat_id.isEmpty()) {
            m_xml.writeStartElement(QStringLiteral("PartyTaxScheme"));
            text(QStringLiteral("CompanyID"), party.vat_id);
            text(QStringLiteral("TaxScheme"), QStringLiteral("VAT"));
            m_xml.writeEndElement();
        }
        if (!party.mail.isEmpty()) {
            m_xml.writeStartElement(QStringLiteral("Contact"));
            text(QStringLiteral("ElectronicMail"), party.mail);
            m_xml.writeEndElement();
        }
        m_xml.writeEndElement();
        m_xml.writeEndElement();
    }

    void lines(const std::vector<InvoiceLine> &lines)
    {
        m_xml.writeStartElement(QStringLiteral("InvoiceLines"));
        int number = 0;
        for (const InvoiceLine &line : lines) {
            const Amount cost = m_rate.amount(line.cost);
            const QString unit_price = decimal_text(m_rate.local(line.unit_price), 4, 2);
            m_xml.writeStartElement(QStringLiteral("InvoiceLine"));
            text(QStringLiteral("ID"), QString::number(++number));
            m_xml.writeStartElement(QStringLiteral("InvoicedQuantity"));
            if (!line.unit.isEmpty())
                m_xml.writeAttribute(QStringLiteral("unitCode"), line.unit);
            m_xml.writeCharacters(decimal_text(line.quantity, 4, 0));
            m_xml.writeEndElement();
            amount(QStringLiteral("LineExtensionAmount"), cost, true);
            amount(QStringLiteral("LineExtensionAmountTaxInclusive"), cost, true);
            text(QStringLiteral("LineExtensionTaxAmount"), cents_text(0));
            text(QStringLiteral("UnitPrice"), unit_price);
            text(QStringLiteral("UnitPriceTaxInclusive"), unit_price);
            m_xml.writeStartElement(QStringLiteral("ClassifiedTaxCategory"));
            text(QStringLiteral("Percent"), QStringLiteral("0"));
            text(QStringLiteral("VATCalculationMethod"), QStringLiteral("0"));
            text(QStringLiteral("VATApplicable"), QStringLiteral("false"));
            m_xml.writeEndElement();
            m_xml.writeStartElement(QStringLiteral("Item"));
            text(QStringLiteral("Description"), line.description);
            if (!line.product_no.isEmpty() && line.product_no != QLatin1String("0")) {
                m_xml.writeStartElement(QStringLiteral("SellersItemIdentification"));
                text(QStringLiteral("ID"), line.product_no);
                m_xml.writeEndElement();
            }
            m_xml.writeEndElement();
            m_xml.writeEndElement();
        }
        m_xml.writeEndElement();
    }

    void tax_total(const Amount &total)
    {
        const Amount none;
        m_xml.writeStartElement(QStringLiteral("TaxTotal"));
        m_xml.writeStartElement(QStringLiteral("TaxSubTotal"));
        amount(QStringLiteral("TaxableAmount"), total, true);
        amount(QStringLiteral("TaxAmount"), none, true);
        amount(QStringLiteral("TaxInclusiveAmount"), total, true);
        amount(QStringLiteral("AlreadyClaimedTaxableAmount"), none, true);
        amount(QStringLiteral("AlreadyClaimedTaxAmount"), none, true);
        amount(QStringLiteral("AlreadyClaimedTaxInclusiveAmount"), none, true);
        amount(QStringLiteral("DifferenceTaxableAmount"), total, true);
        amount(QStringLiteral("DifferenceTaxAmount"), none, true);
        amount(QStringLiteral("DifferenceTaxInclusiveAmount"), total, true);
        m_xml.writeStartElement(QStringLiteral("TaxCategory"));
        text(QStringLiteral("Percent"), QStringLiteral("0"));
        text(QStringLiteral("VATApplicable"), QStringLiteral("false"));
        m_xml.writeEndElement();
        m_xml.writeEndElement();
        amount(QStringLiteral("TaxAmount"), none, true);
        m_xml.writeEndElement();
    }

    // The amount to pay is the total and its rounding, each stated in both currencies.
    void monetary_total(const Amount &total, const Amount &to_pay)
    {
        const Amount none;
        const Amount rounding{to_pay.document - total.document, to_pay.local - total.local};
        m_xml.writeStartElement(QStringLiteral("LegalMonetaryTotal"));
        amount(QStringLiteral("TaxExclusiveAmount"), total, false);
        amount(QStringLiteral("TaxInclusiveAmount"), total, false);
        amount(QStringLiteral("AlreadyClaimedTaxExclusiveAmount"), none, false);
        amount(QStringLiteral("AlreadyClaimedTaxInclusiveAmount"), none, false);
        amount(QStringLiteral("DifferenceTaxExclusiveAmount"), total, false);
        amount(QStringLiteral("DifferenceTaxInclusiveAmount"), total, false);
        amount(QStringLiteral("PayableRoundingAmount"), rounding, false);
        amount(QStringLiteral("PaidDepositsAmount"), none, false);
        amount(QStringLiteral("PayableAmount"), to_pay, false);
        m_xml.writeEndElement();
    }

    // What the customer transfers, in the document's own currency.
    void payment(const Account &account, const Amount &to_pay, const QString &due_date,
                 const QString &variable_symbol, const QString &constant_symbol)
    {
        m_xml.writeStartElement(QStringLiteral("PaymentMeans"));
        m_xml.writeStartElement(QStringLiteral("Payment"));
        text(QStringLiteral("PaidAmount"), cents_text(to_pay.document));
        text(QStringLiteral("PaymentMeansCode"),
             QString::number(account.bank ? paid_by_transfer : paid_in_cash));
        if (account.bank) {
            m_xml.writeStartElement(QStringLiteral("Details"));
            text(QStringLiteral("PaymentDueDate"), due_date);
            text(QStringLiteral("ID"), account.number);
            text(QStringLiteral("BankCode"), account.bank_code);
            text(QStringLiteral("Name"), account.bank_name);
            text(QStringLiteral("IBAN"), account.iban);
            text(QStringLiteral("BIC"), account.bic);
            if (!variable_symbol.isEmpty())
                text(QStringLiteral("VariableSymbol"), variable_symbol);
            if (!constant_symbol.isEmpty())
                text(QStringLiteral("ConstantSymbol"), constant_symbol);
            m_xml.writeEndElement();
        }
        m_xml.writeEndElement();
        m_xml.writeEndElement();
    }

    void original_document(const OriginalDocument &invoice)
    {
        m_xml.writeStartElement(QStringLiteral("OriginalDocumentReferences"));
        m_xml.writeStartElement(QStringLiteral("OriginalDocumentReference"));
        m_xml.writeAttribute(QStringLiteral("id"), invoice.number);
        text(QStringLiteral("ID"), invoice.number);
        if (!invoice.issue_date.isEmpty())
            text(QStringLiteral("IssueDate"), invoice.issue_date);
        if (!invoice.uuid.isEmpty())
            text(QStringLiteral("UUID"), invoice.uuid);
        m_xml.writeEndElement();
        m_xml.writeEndElement();
    }

private:
    QXmlStreamWriter m_xml;
    const Rate &m_rate;
};

void refuse(const QString &reason)
{
    show_message(QStringLiteral("Chyba"), reason + QStringLiteral(" Soubor ISDOC nebyl vytvořen."),
                 mbIconError);
}

// The invoice a credit note corrects, with the identity its own file carries or will carry.
std::optional<OriginalDocument> original_invoice(TdbAPI &api, int invoice_id)
{
    const ScopedSet invoice = api.select_scoped(
        QStringLiteral("X"), QStringLiteral("SELECT DOC_NO, DATE_D FROM DOC_HEAD WHERE RECID=") +
                                 QString::number(invoice_id));
    if (invoice_id == 0 || !invoice || invoice->is_empty()) {
        refuse(QStringLiteral("Dobropis nemá fakturu, ke které byl vystaven."));
        return std::nullopt;
    }
    const TMemTable &row = *invoice.get();
    OriginalDocument original;
    original.number = field_text(row, "DOC_NO");
    if (field_has_date(row, "DATE_D"))
        original.issue_date = iso_date(field_float(row, "DATE_D"));
    original.uuid = document_uuid(api, invoice_id);
    if (original.uuid.isEmpty())
        return std::nullopt;
    return original;
}

} // namespace

bool has_isdoc_form(int doc_type)
{
    return doc_type == dtIssuedInvoice || doc_type == dtIssuedCredit;
}

QString isdoc_file_name(int doc_type, int doc_no)
{
    const QString kind =
        doc_type == dtIssuedCredit ? QStringLiteral("dobropis") : QStringLiteral("faktura");
    return kind + u'-' + QString::number(doc_no) + QStringLiteral(".isdoc");
}

bool export_isdoc(TdbAPI &api, int document_id, const QString &file_name)
{
    const int type =
        api.lookup_int(document_id, QStringLiteral("DOC_HEAD"), QStringLiteral("ID_DOC_TYPE"));
    if (!has_isdoc_form(type)) {
        refuse(QStringLiteral("Ve formátu ISDOC se ukládají jen vydané faktury a vydané "
                              "dobropisy."));
        return false;
    }
    const ScopedSet header = api.select_scoped(
        QStringLiteral("X"),
        QStringLiteral("SELECT * FROM VIEW_DOC%1 WHERE RECID=%2").arg(type).arg(document_id));
    if (!header || header->is_empty()) {
        refuse(QStringLiteral("Doklad se nepodařilo přečíst."));
        return false;
    }
    const TMemTable &document = *header.get();
    QString refusal;
    const QString currency = currency_iso_code(field_text(document, "CURR_NAME"), refusal);
    if (!refusal.isEmpty()) {
        refuse(refusal);
        return false;
    }
    std::optional<OriginalDocument> invoice;
    if (type == dtIssuedCredit) {
        invoice = original_invoice(api, field_int(document, "ID_LINK"));
        if (!invoice)
            return false;
    }
    const QString uuid = document_uuid(api, document_id);
    if (uuid.isEmpty())
        return false;

    const bool foreign = currency != QLatin1String("CZK");
    const Rate rate(foreign, field_float(document, "CURR_AMOUNT"),
                    field_float(document, "CURR_KURS"));
    const Amount total = rate.amount(field_float(document, "ALL_SUM"));
    const Amount to_pay = rate.amount(field_float(document, "ROUND_SUM"));
    const QString issue_date = iso_date(field_float(document, "DATE_D"));

    QSaveFile file(file_name);
    if (!file.open(QIODevice::WriteOnly)) {
        refuse(QStringLiteral("Soubor %1 nelze otevřít pro zápis (%2).")
                   .arg(file_name, file.errorString()));
        return false;
    }
    IsdocWriter writer(&file, rate);
    QXmlStreamWriter &xml = writer.xml();
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("Invoice"));
    xml.writeDefaultNamespace(isdoc_namespace);
    xml.writeAttribute(QStringLiteral("version"), isdoc_version);
    writer.text(QStringLiteral("DocumentType"),
                QString::number(type == dtIssuedCredit ? isdoc_credit_note : isdoc_invoice));
    writer.text(QStringLiteral("ID"), field_text(document, "DOC_NO"));
    writer.text(QStringLiteral("UUID"), uuid);
    writer.text(QStringLiteral("IssuingSystem"), QStringLiteral("Tallyra"));
    writer.text(QStringLiteral("IssueDate"), issue_date);
    writer.text(QStringLiteral("VATApplicable"), QStringLiteral("false"));
    // Required, even where no written agreement is kept.
    writer.text(QStringLiteral("ElectronicPossibilityAgreementReference"), QString());
    if (const QString title = field_text(document, "DOC_TITLE"); !title.isEmpty())
        writer.text(QStringLiteral("Note"), title);
    writer.text(QStringLiteral("LocalCurrencyCode"), QStringLiteral("CZK"));
    if (foreign) {
        writer.text(QStringLiteral("ForeignCurrencyCode"), currency);
        writer.text(QStringLiteral("CurrRate"),
                    decimal_text(field_float(document, "CURR_KURS"), 6, 0));
        writer.text(QStringLiteral("RefCurrRate"),
                    QString::number(std::max(1, field_int(document, "CURR_AMOUNT"))));
    } else {
        writer.text(QStringLiteral("CurrRate"), QStringLiteral("1"));
        writer.text(QStringLiteral("RefCurrRate"), QStringLiteral("1"));
    }
    writer.party(QStringLiteral("AccountingSupplierParty"), firm_party(api));
    writer.party(QStringLiteral("AccountingCustomerParty"), customer_party(api, document));
    if (invoice)
        writer.original_document(*invoice);
    writer.lines(invoice_lines(api, document, document_id));
    writer.tax_total(total);
    writer.monetary_total(total, to_pay);
    if (const std::optional<Account> account =
            payment_account(api, field_int(document, "ID_BANK"))) {
        const QString due_date = field_has_date(document, "MATURITY_D")
                                     ? iso_date(field_float(document, "MATURITY_D"))
                                     : issue_date;
        writer.payment(*account, to_pay, due_date, field_text(document, "VAR_S"),
                       field_text(document, "CONST_S"));
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    if (xml.hasError() || !file.commit()) {
        refuse(QStringLiteral("Soubor %1 se nepodařilo zapsat (%2).")
                   .arg(file_name, file.errorString()));
        return false;
    }
    return true;
}
