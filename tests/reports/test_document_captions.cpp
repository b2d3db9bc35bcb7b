#include "data/inifile.h"
#include "data/memtable.h"
#include "engine/report.h"
#include "reports/document_captions.h"
#include "reports/voucher_texts.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A report of one band with a text object of each name, holding `text`.
Report report_with(const QStringList &names, const QString &text = QStringLiteral("x"))
{
    ReportBand band;
    band.kind = BandKind::ReportTitle;
    band.height = 100;
    for (const QString &name : names) {
        ReportObject object;
        object.name = name;
        object.content = TextContent{{text}};
        band.objects.push_back(object);
    }
    ReportTemplate report;
    report.pages.emplace_back().bands.push_back(band);
    Report result;
    result.set_template(report);
    return result;
}

QString text_of(Report &report, const char *name)
{
    return report.find_object(QLatin1String(name))->text().join(QStringLiteral("\r\n"));
}

// One header row of the bank columns.
std::unique_ptr<TMemTable> bank_header(const char *account, const char *var_s, const char *const_s,
                                       const char *swift = "", const char *iban = "")
{
    auto set = std::make_unique<TMemTable>();
    for (const char *column : {"BANK_NAME", "ACCOUNT_NO", "SWIFT", "IBAN", "VAR_S", "CONST_S"})
        set->add_field(QLatin1String(column), FieldType::Text, 40);
    set->open();
    set->append();
    set->field_by_name(QStringLiteral("BANK_NAME")).set_as_string(QStringLiteral("Banka"));
    set->field_by_name(QStringLiteral("ACCOUNT_NO")).set_as_string(QString::fromUtf8(account));
    set->field_by_name(QStringLiteral("SWIFT")).set_as_string(QString::fromUtf8(swift));
    set->field_by_name(QStringLiteral("IBAN")).set_as_string(QString::fromUtf8(iban));
    set->field_by_name(QStringLiteral("VAR_S")).set_as_string(QString::fromUtf8(var_s));
    set->field_by_name(QStringLiteral("CONST_S")).set_as_string(QString::fromUtf8(const_s));
    set->post();
    return set;
}

} // namespace

TEST(DocumentCaptions, BankLinkLeavesOutWhatHasNoValue)
{
    const QString bank = QStringLiteral("[dbAPI.repo_HEADER.\"BANK_NAME\"]\r\n");
    const QString account = QStringLiteral("číslo účtu: [dbAPI.repo_HEADER.\"ACCOUNT_NO\"]\r\n");
    const QString symbol = QStringLiteral("variabilní symbol: [dbAPI.repo_HEADER.\"VAR_S\"]\r\n");
    const QString constant = QStringLiteral("konstantní symbol: [dbAPI.repo_HEADER.\"CONST_S\"]\r\n");
    const QString swift = QStringLiteral("SWIFT: [dbAPI.repo_HEADER.\"SWIFT\"]\r\n");
    const QString iban = QStringLiteral("IBAN: [dbAPI.repo_HEADER.\"IBAN\"]\r\n");
    const struct {
        const char *what;
        std::unique_ptr<TMemTable> header;
        QString expected;
    } cases[] = {
        {"one-character account hides the account and the symbol", bank_header("1", "123", "8"),
         bank},
        {"a symbol needs an account", bank_header("", "123", "0308"), bank + constant},
        {"two characters are an account", bank_header("12", "123", "08"),
         bank + account + symbol + constant},
        {"SWIFT and IBAN in their order", bank_header("19-2000145399/0800", "", "", "GIBACZPX",
                                                      "CZ6508000000192000145399"),
         bank + account + swift + iban},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(bank_link_text(*c.header), c.expected);
    }
}

// The section collects its keys on the first print; the second print finds them holding
// their own names and still prints the Czech captions.
TEST(DocumentCaptions, EmptyLanguageSectionCollectsEveryKeyAndKeepsTheCzechCaptions)
{
    QTemporaryDir dir;
    IniFile settings(dir.filePath(QStringLiteral("tallyra.ini")));
    const auto header = bank_header("19-2000145399/0800", "2026001", "0308");
    for (const char *print : {"first print", "second print"}) {
        SCOPED_TRACE(print);
        Report report = report_with({QStringLiteral("t_invoice"), QStringLiteral("t_text_per_item"),
                                     QStringLiteral("t_bank_link"), QStringLiteral("t_date"),
                                     QStringLiteral("t_shipping2")});
        write_document_captions(report, *header, true, settings, QStringLiteral("CZECH"));

        const QStringList keys = settings.keys(QStringLiteral("CZECH"));
        EXPECT_EQ(keys.size(), 26) << qPrintable(keys.join(u' '));
        for (const QString &key : keys)
            EXPECT_EQ(settings.read_string(QStringLiteral("CZECH"), key),
                      key == QLatin1String("t_text_per_item") ? QStringLiteral("~text") : key);
        EXPECT_FALSE(settings.key_exists(QStringLiteral("CZECH"), QStringLiteral("t_shipping2")));
        EXPECT_EQ(text_of(report, "t_invoice"),
                  QStringLiteral("Faktura: [dbAPI.repo_HEADER.\"DOC_NO\"]"));
        EXPECT_EQ(text_of(report, "t_text_per_item"), QStringLiteral("\r\ntext"));
        EXPECT_EQ(text_of(report, "t_date"), QStringLiteral("datum:"));
        EXPECT_TRUE(text_of(report, "t_bank_link")
                        .contains(QStringLiteral("číslo účtu: [dbAPI.repo_HEADER.\"ACCOUNT_NO\"]")));
        EXPECT_TRUE(
            text_of(report, "t_bank_link")
                .contains(QStringLiteral("konstantní symbol: [dbAPI.repo_HEADER.\"CONST_S\"]")));
        EXPECT_FALSE(text_of(report, "t_bank_link").contains(QStringLiteral("t_bank_link")));
        // Not translated: the Czech caption stays.
        EXPECT_TRUE(text_of(report, "t_shipping2").contains(QStringLiteral("Adresa dodání:")));
    }
}

TEST(DocumentCaptions, BarPrintsAsSpaceAndTildeAsLineBreak)
{
    QTemporaryDir dir;
    IniFile settings(dir.filePath(QStringLiteral("tallyra.ini")));
    settings.write_string(QStringLiteral("ENGLISH"), QStringLiteral("t_invoice"), QStringLiteral("Invoice|"));
    settings.write_string(QStringLiteral("ENGLISH"), QStringLiteral("t_code"), QStringLiteral("product~code"));
    Report report = report_with({QStringLiteral("t_invoice"), QStringLiteral("t_code")},
                                QStringLiteral("FAKTURA č. 1"));
    translate_caption(settings, QStringLiteral("ENGLISH"), report, QStringLiteral("t_invoice"),
                      QStringLiteral("Faktura"), {});
    translate_caption(settings, QStringLiteral("ENGLISH"), report, QStringLiteral("t_code"), {}, {});
    EXPECT_EQ(text_of(report, "t_invoice"), QStringLiteral("Invoice  č. 1"));
    EXPECT_EQ(report.find_object(QStringLiteral("t_code"))->text(),
              (QStringList{QStringLiteral("product"), QStringLiteral("code")}));
    // A template without the object is not touched, but its key is still collected.
    translate_caption(settings, QStringLiteral("ENGLISH"), report, QStringLiteral("t_total"), {}, {});
    EXPECT_EQ(settings.read_string(QStringLiteral("ENGLISH"), QStringLiteral("t_total")),
              QStringLiteral("t_total"));
}

TEST(DocumentCaptions, SetReportTextReplacesTheFirstMatchWhateverItsCase)
{
    Report report = report_with({QStringLiteral("t")}, QStringLiteral("Celkem celkem"));
    set_report_text(report, QStringLiteral("t"), QStringLiteral("Total"), QStringLiteral("CELKEM"));
    EXPECT_EQ(text_of(report, "t"), QStringLiteral("Total celkem"));
    set_report_text(report, QStringLiteral("missing"), QStringLiteral("x"));
    set_report_text(report, QStringLiteral("t"), QStringLiteral("a\r\nb"));
    EXPECT_EQ(report.find_object(QStringLiteral("t"))->text(),
              (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
}

TEST(VoucherTexts, PurposeBreaksAfterTheFirstSeparatorFromTheFortiethCharacter)
{
    const struct {
        const char *what;
        QString text;
        int first_length;
    } cases[] = {
        {"47 characters stay whole", QString(20, u'a') + u' ' + QString(26, u'b'), 47},
        {"space at 45 of 60", QString(44, u'a') + u' ' + QString(15, u'b'), 45},
        {"a comma at 40 itself", QString(39, u'a') + u',' + QString(20, u'b'), 40},
        {"a space before 40 is not used", QString(10, u'a') + u' ' + QString(49, u'b'), 60},
        {"colon", QString(41, u'a') + u':' + QString(10, u'b'), 42},
        {"hyphen", QString(49, u'a') + u'-' + QString(3, u'b'), 50},
        {"full stop", QString(45, u'a') + u'.' + QString(3, u'b'), 46},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const auto [first, second] = split_purpose_text(c.text);
        EXPECT_EQ(first, c.text.left(c.first_length));
        EXPECT_EQ(second, c.text.mid(c.first_length));
    }
}
