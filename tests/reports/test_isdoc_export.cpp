// The ISDOC files of issued invoices and credit notes: checked by the format's own schema
// through xmllint, and read back for the figures a customer's program books from them.

#include "reports/isdoc_export.h"

#include "data/memtable.h"
#include "platform/dm/dm.h"
#include "support/db_fixture.h"
#include "text/format_settings.h"

#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QXmlStreamReader>

namespace {

// Every element's text by its path from the root ("Invoice/ID"), in document order.
using XmlValues = QMap<QString, QStringList>;

XmlValues read_values(const QString &file_name)
{
    QFile file(file_name);
    XmlValues values;
    if (!file.open(QIODevice::ReadOnly))
        return values;
    QXmlStreamReader xml(&file);
    QStringList path;
    QString text;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            path << xml.name().toString();
            text.clear();
            for (const QXmlStreamAttribute &attribute : xml.attributes())
                values[path.join(u'/') + u'@' + attribute.name().toString()]
                    << attribute.value().toString();
            break;
        case QXmlStreamReader::Characters:
            text += xml.text();
            break;
        case QXmlStreamReader::EndElement:
            values[path.join(u'/')] << text.trimmed();
            text.clear();
            path.removeLast();
            break;
        default:
            break;
        }
    }
    EXPECT_FALSE(xml.hasError()) << qPrintable(xml.errorString());
    return values;
}

// Empty when the schema accepts the file, else xmllint's words.
QString schema_errors(const QString &file_name)
{
    QProcess xmllint;
    xmllint.setProcessChannelMode(QProcess::MergedChannels);
    xmllint.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), QStringLiteral("--schema"),
                                              QStringLiteral(TALLYRA_ISDOC_SCHEMA), file_name});
    if (!xmllint.waitForFinished(30000))
        return QStringLiteral("xmllint did not finish");
    const QString output = QString::fromUtf8(xmllint.readAll());
    return xmllint.exitCode() == 0 ? QString() : output;
}

class IsdocExport : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        m_partner = insert_partner(1, QStringLiteral("Řezbářství Šťastný s.r.o."));
        m_address = m_api->new_recid();
        m_bank = m_api->new_recid();
        m_cash = m_api->new_recid();
        exec(QStringLiteral(
                 "UPDATE CONF_ADDRESS SET MYNAME = 'Tomáš Dvořák – stavební práce', "
                 "MYID = '73150241', MYVAT = '', MYADDRESS = 'Masarykova 1228/37' || "
                 "char(13, 10) || '400 01 Ústí nad Labem' || char(13, 10) || "
                 "'e-mail: fakturace@dvorak.cz' WHERE RECID = 1;"
                 "UPDATE PAR SET ICO = '12345678', DIC = 'CZ12345678' WHERE RECID = %1;"
                 "INSERT INTO PAR_ADDR (RECID, ID_PARTNER, IS_INVOICE, ADDRESS_TITLE, ADDRESS, "
                 "CITY, POSTAL_CODE, COUNTRY) VALUES (%2, %1, 'T', 'sídlo', 'Dlouhá 5', "
                 "'Brno-Žabovřesky', '616 00', '');"
                 "INSERT INTO CONF_BANKCASH (RECID, IS_BANK, MNAME, MNO, MADDRESS, SWIFT, IBAN) "
                 "VALUES (%3, 'T', 'Běžný účet', '19-2000145399/0800', "
                 "'Česká spořitelna, Olbrachtova 1929/62, Praha 4', 'GIBACZPX', '');"
                 "INSERT INTO CONF_BANKCASH (RECID, IS_BANK, MNAME) VALUES (%4, 'F', 'Pokladna');"
                 "INSERT INTO PRO (RECID, PRO_NO, PRO_NAME, UNITV, COST) VALUES "
                 "(900, 17, 'Dubová lišta', 'm', 99.9), (901, 18, 'Montáž', 'hod', 450.5)")
                 .arg(m_partner)
                 .arg(m_address)
                 .arg(m_bank)
                 .arg(m_cash));
    }

    int add_document(int type, int number, double all_sum, double round_sum,
                     const QString &currency = QStringLiteral("Kč"), double rate = 1, int bank = 0,
                     int link = 0)
    {
        const int id = m_api->new_recid();
        exec(QStringLiteral("INSERT INTO DOC_HEAD (RECID, ID_DOC_TYPE, DOC_NO, ID_ADDRESS, "
                            "DATE_D, MATURITY_D, DOC_TITLE, ALL_SUM, ROUND_ID, ROUND_SUM, "
                            "CURR_NAME, CURR_AMOUNT, CURR_KURS) VALUES (%1, %2, %3, %4, "
                            "'2026-03-01', '2026-03-15', 'Dodávka lišt a montáž – Žďár', %5, "
                            "1, %6, %7, 1, %8);"
                            "INSERT INTO DOC_DRS%2 (RECID, VAR_S, CONST_S, ID_LINK, ID_BANK) "
                            "VALUES (%1, '%3', '0308', %9, %10)")
                 .arg(id)
                 .arg(type)
                 .arg(number)
                 .arg(m_address)
                 .arg(sql_number(all_sum), sql_number(round_sum), sql_quote(currency),
                      sql_number(rate))
                 .arg(link)
                 .arg(bank));
        return id;
    }

    void add_item(int document, int product, double amount, const QString &unit, double unit_price,
                  double cost, const QString &text = {})
    {
        exec(QStringLiteral("INSERT INTO DOC_ITEMS (RECID, HEADER_ID, PRO_ID, AMOUNT, UNITV, "
                            "COST_PER_UNIT, COST, ITEM_TEXT) VALUES (%1, %2, %3, %4, %5, %6, "
                            "%7, %8)")
                 .arg(m_api->new_recid())
                 .arg(document)
                 .arg(product)
                 .arg(sql_number(amount), sql_quote(unit), sql_number(unit_price), sql_number(cost),
                      sql_quote(text)));
    }

    // 3 × 99.90 less 10 %, 2 h of assembly, and two small lines whose sum has binary noise:
    // 1 171.03 EUR, to pay 1 171 EUR.
    int euro_invoice()
    {
        const int invoice =
            add_document(1, 2026001, 269.73 + 901 + 0.1 + 0.2, 1171, "EUR", 25, m_bank);
        add_item(invoice, 900, 3, "m", 99.9, 269.73);
        add_item(invoice, 901, 2, "hod", 450.5, 901, QStringLiteral("Montáž lišt v kuchyni"));
        add_item(invoice, 0, 1, "ks", 0.1, 0.1, QStringLiteral("Drobný spojovací materiál"));
        add_item(invoice, 0, 1, "ks", 0.2, 0.2, QStringLiteral("Úklid – ošetření dřeva"));
        return invoice;
    }

    // Exported, valid by the schema, and read back.
    XmlValues exported(int document, const QString &name = QStringLiteral("doklad.isdoc"))
    {
        const QString file = path(name);
        EXPECT_TRUE(export_isdoc(*m_api, document, file));
        EXPECT_TRUE(m_messages.empty()) << qPrintable(m_messages.front().text);
        EXPECT_EQ(schema_errors(file), QString());
        return read_values(file);
    }

    int m_partner = 0;
    int m_address = 0;
    int m_bank = 0;
    int m_cash = 0;
};

QString first(const XmlValues &values, const QString &path)
{
    return values.value(QStringLiteral("Invoice/") + path).value(0);
}

TEST_F(IsdocExport, ForeignCurrencyInvoiceStatesItsItemsAndTotalsInBothCurrencies)
{
    const XmlValues values = exported(euro_invoice());
    EXPECT_EQ(values.value(QStringLiteral("Invoice@version")), QStringList{"6.0.2"});
    const std::vector<std::pair<const char *, const char *>> expected = {
        {"DocumentType", "1"},
        {"ID", "2026001"},
        {"IssueDate", "2026-03-01"},
        {"VATApplicable", "false"},
        {"Note", "Dodávka lišt a montáž – Žďár"},
        {"LocalCurrencyCode", "CZK"},
        {"ForeignCurrencyCode", "EUR"},
        {"CurrRate", "25"},
        {"RefCurrRate", "1"},
        {"AccountingSupplierParty/Party/PartyIdentification/ID", "73150241"},
        {"AccountingSupplierParty/Party/PartyName/Name", "Tomáš Dvořák – stavební práce"},
        {"AccountingSupplierParty/Party/PostalAddress/StreetName", "Masarykova"},
        {"AccountingSupplierParty/Party/PostalAddress/BuildingNumber", "1228/37"},
        {"AccountingSupplierParty/Party/PostalAddress/CityName", "Ústí nad Labem"},
        {"AccountingSupplierParty/Party/PostalAddress/PostalZone", "400 01"},
        {"AccountingSupplierParty/Party/PostalAddress/Country/IdentificationCode", "CZ"},
        {"AccountingSupplierParty/Party/Contact/ElectronicMail", "fakturace@dvorak.cz"},
        {"AccountingCustomerParty/Party/PartyIdentification/ID", "12345678"},
        {"AccountingCustomerParty/Party/PartyName/Name", "Řezbářství Šťastný s.r.o."},
        {"AccountingCustomerParty/Party/PostalAddress/StreetName", "Dlouhá"},
        {"AccountingCustomerParty/Party/PostalAddress/BuildingNumber", "5"},
        {"AccountingCustomerParty/Party/PostalAddress/CityName", "Brno-Žabovřesky"},
        {"AccountingCustomerParty/Party/PostalAddress/PostalZone", "616 00"},
        {"AccountingCustomerParty/Party/PartyTaxScheme/CompanyID", "CZ12345678"},
        {"TaxTotal/TaxAmount", "0.00"},
        {"TaxTotal/TaxAmountCurr", "0.00"},
        {"LegalMonetaryTotal/TaxExclusiveAmountCurr", "1171.03"},
        {"LegalMonetaryTotal/TaxExclusiveAmount", "29275.75"},
        {"LegalMonetaryTotal/PayableRoundingAmountCurr", "-0.03"},
        {"LegalMonetaryTotal/PayableRoundingAmount", "-0.75"},
        {"LegalMonetaryTotal/PayableAmountCurr", "1171.00"},
        {"LegalMonetaryTotal/PayableAmount", "29275.00"},
        {"PaymentMeans/Payment/PaidAmount", "1171.00"},
        {"PaymentMeans/Payment/PaymentMeansCode", "42"},
        {"PaymentMeans/Payment/Details/PaymentDueDate", "2026-03-15"},
        {"PaymentMeans/Payment/Details/ID", "19-2000145399"},
        {"PaymentMeans/Payment/Details/BankCode", "0800"},
        {"PaymentMeans/Payment/Details/Name", "Česká spořitelna"},
        {"PaymentMeans/Payment/Details/IBAN", "CZ6508000000192000145399"},
        {"PaymentMeans/Payment/Details/BIC", "GIBACZPX"},
        {"PaymentMeans/Payment/Details/VariableSymbol", "2026001"},
        {"PaymentMeans/Payment/Details/ConstantSymbol", "0308"},
    };
    for (const auto &[element, value] : expected)
        EXPECT_EQ(first(values, element), QString::fromUtf8(value)) << element;
    EXPECT_FALSE(values.contains(QStringLiteral("Invoice/OriginalDocumentReferences")));

    const QString line = QStringLiteral("Invoice/InvoiceLines/InvoiceLine/");
    EXPECT_EQ(values.value(line + "ID"), (QStringList{"1", "2", "3", "4"}));
    EXPECT_EQ(values.value(line + "InvoicedQuantity"), (QStringList{"3", "2", "1", "1"}));
    EXPECT_EQ(values.value(line + "InvoicedQuantity@unitCode"),
              (QStringList{"m", "hod", "ks", "ks"}));
    EXPECT_EQ(values.value(line + "LineExtensionAmountCurr"),
              (QStringList{"269.73", "901.00", "0.10", "0.20"}));
    EXPECT_EQ(values.value(line + "LineExtensionAmount"),
              (QStringList{"6743.25", "22525.00", "2.50", "5.00"}));
    EXPECT_EQ(values.value(line + "UnitPrice"),
              (QStringList{"2497.50", "11262.50", "2.50", "5.00"}));
    // A product's own name unless the item has a text of its own.
    EXPECT_EQ(values.value(line + "Item/Description"),
              (QStringList{"Dubová lišta", "Montáž lišt v kuchyni", "Drobný spojovací materiál",
                           "Úklid – ošetření dřeva"}));
    EXPECT_EQ(values.value(line + "Item/SellersItemIdentification/ID"), (QStringList{"17", "18"}));
}

TEST_F(IsdocExport, CreditNoteRefersToItsInvoiceAndItsIdentity)
{
    const int invoice = euro_invoice();
    const int credit = add_document(3, 2026003, 100.5, 100.5, "EUR", 25, m_cash, invoice);
    const XmlValues credit_note = exported(credit, QStringLiteral("dobropis.isdoc"));
    const XmlValues original = exported(invoice, QStringLiteral("faktura.isdoc"));

    EXPECT_EQ(first(credit_note, "DocumentType"), "2");
    const QString reference =
        QStringLiteral("OriginalDocumentReferences/OriginalDocumentReference");
    EXPECT_EQ(first(credit_note, reference + "@id"), "2026001");
    EXPECT_EQ(first(credit_note, reference + "/ID"), "2026001");
    EXPECT_EQ(first(credit_note, reference + "/IssueDate"), "2026-03-01");
    EXPECT_EQ(first(credit_note, reference + "/UUID"), first(original, "UUID"));
    EXPECT_NE(first(credit_note, "UUID"), first(original, "UUID"));
    // Without items the document is one line of its title and total.
    EXPECT_EQ(credit_note.value("Invoice/InvoiceLines/InvoiceLine/Item/Description"),
              QStringList{"Dodávka lišt a montáž – Žďár"});
    EXPECT_EQ(first(credit_note, "InvoiceLines/InvoiceLine/LineExtensionAmountCurr"), "100.50");
    EXPECT_EQ(first(credit_note, "LegalMonetaryTotal/PayableRoundingAmountCurr"), "0.00");
    // Paid at the cash desk: no account to transfer to.
    EXPECT_EQ(first(credit_note, "PaymentMeans/Payment/PaymentMeansCode"), "10");
    EXPECT_FALSE(credit_note.contains("Invoice/PaymentMeans/Payment/Details"));
}

TEST_F(IsdocExport, DocumentKeepsItsIdentityWhenExportedAgainAndLosesItWhenDeleted)
{
    const int invoice = euro_invoice();
    const QString once = first(exported(invoice, "a.isdoc"), "UUID");
    EXPECT_EQ(first(exported(invoice, "b.isdoc"), "UUID"), once);
    EXPECT_EQ(once.size(), 36);
    EXPECT_EQ(sqlite_shell(QStringLiteral("SELECT UUID FROM DOC_UUID WHERE RECID=%1").arg(invoice))
                  .trimmed(),
              once);
    exec(QStringLiteral("DELETE FROM DOC_HEAD WHERE RECID=%1").arg(invoice));
    EXPECT_EQ(sqlite_shell("SELECT COUNT(*) FROM DOC_UUID").trimmed(), "0");
}

TEST_F(IsdocExport, HomeCurrencyInvoiceWithoutAccountHasNoPaymentMeans)
{
    exec(QStringLiteral("UPDATE PAR SET DIC = '' WHERE RECID=%1; UPDATE PAR_ADDR SET "
                        "ADDRESS = 'Náměstí Míru', COUNTRY = 'Slovensko' WHERE RECID=%2")
             .arg(m_partner)
             .arg(m_address));
    // A bank account of no number has nothing to transfer to either.
    exec("INSERT INTO CONF_BANKCASH (RECID, IS_BANK, MNAME) VALUES (990, 'T', 'Nový účet')");
    const int unnumbered = add_document(1, 2026003, 10, 10, "Kč", 1, 990);
    EXPECT_FALSE(exported(unnumbered).contains("Invoice/PaymentMeans"));

    const int invoice = add_document(1, 2026002, 1234.5, 1235);
    add_item(invoice, 901, 2.5, "hod", 493.8, 1234.5);
    const XmlValues values = exported(invoice);
    EXPECT_FALSE(values.contains("Invoice/PaymentMeans"));
    EXPECT_FALSE(values.contains("Invoice/ForeignCurrencyCode"));
    EXPECT_FALSE(values.contains("Invoice/LegalMonetaryTotal/PayableAmountCurr"));
    EXPECT_FALSE(values.contains("Invoice/AccountingCustomerParty/Party/PartyTaxScheme"));
    EXPECT_EQ(first(values, "CurrRate"), "1");
    EXPECT_EQ(first(values, "InvoiceLines/InvoiceLine/InvoicedQuantity"), "2.5");
    EXPECT_EQ(first(values, "LegalMonetaryTotal/PayableRoundingAmount"), "0.50");
    EXPECT_EQ(first(values, "LegalMonetaryTotal/PayableAmount"), "1235.00");
    const QString address = QStringLiteral("AccountingCustomerParty/Party/PostalAddress/");
    EXPECT_EQ(first(values, address + "StreetName"), "Náměstí Míru");
    EXPECT_EQ(first(values, address + "BuildingNumber"), "");
    EXPECT_EQ(first(values, address + "Country/IdentificationCode"), "SK");
    EXPECT_EQ(first(values, address + "Country/Name"), "Slovensko");
}

TEST_F(IsdocExport, RefusedDocumentsLeaveNoFileAndSayWhy)
{
    const int received = add_document(2, 7, 100, 100);
    const int no_code = add_document(1, 8, 100, 100, "Euro", 25);
    const int orphan = add_document(3, 9, 100, 100, "Kč", 1, 0, 0);
    struct Case {
        const char *what;
        int document;
        QString file;
        const char *reason;
    };
    const std::vector<Case> cases = {
        {"a received invoice", received, path("x.isdoc"), "jen vydané faktury a vydané dobropisy"},
        {"a currency without its code", no_code, path("x.isdoc"), "Měna „Euro“ nemá kód ISO."},
        {"a credit note without its invoice", orphan, path("x.isdoc"), "Dobropis nemá fakturu"},
        {"a folder that does not exist", euro_invoice(), path("chybí/x.isdoc"), "chybí/x.isdoc"},
    };
    for (const Case &c : cases) {
        m_messages.clear();
        EXPECT_FALSE(export_isdoc(*m_api, c.document, c.file)) << c.what;
        ASSERT_EQ(m_messages.size(), 1u) << c.what;
        EXPECT_EQ(m_messages[0].title, "Chyba") << c.what;
        EXPECT_TRUE(m_messages[0].text.contains(QString::fromUtf8(c.reason)))
            << c.what << ": " << qPrintable(m_messages[0].text);
        EXPECT_TRUE(m_messages[0].text.endsWith("Soubor ISDOC nebyl vytvořen.")) << c.what;
        EXPECT_FALSE(QFileInfo::exists(c.file)) << c.what;
    }
}

TEST_F(IsdocExport, UpgradeGivesAnOlderDatabaseTheStoredIdentities)
{
    exec("DROP TRIGGER DOC_UUID_DEL; DROP TABLE DOC_UUID;");
    m_api->upgrade_schema();
    EXPECT_TRUE(dm_db_object_exists("TABLE.DOC_UUID"));
    EXPECT_TRUE(dm_db_object_exists("TRIGGER.DOC_UUID_DEL"));
    EXPECT_TRUE(m_messages.empty());
    exported(euro_invoice());
}

TEST(IsdocFileName, NamesTheKindAndNumber)
{
    EXPECT_EQ(isdoc_file_name(1, 2026001), "faktura-2026001.isdoc");
    EXPECT_EQ(isdoc_file_name(3, 2026003), "dobropis-2026003.isdoc");
    EXPECT_TRUE(has_isdoc_form(1));
    EXPECT_TRUE(has_isdoc_form(3));
    EXPECT_FALSE(has_isdoc_form(2));
    EXPECT_FALSE(has_isdoc_form(4));
}

} // namespace
