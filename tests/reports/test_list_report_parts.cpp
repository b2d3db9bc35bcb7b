#include "data/app_paths.h"
#include "data/rtf_writer.h"
#include "engine/report.h"
#include "engine/report_error.h"
#include "reports/document_lists.h"
#include "reports/report_preparation.h"
#include "reports/summary_report.h"
#include "reports/table_layout.h"
#include "support/db_fixture.h"
#include "text/format_settings.h"

#include <QDir>
#include <QFile>
#include <QTextDocument>

namespace {

const QString templates = QStringLiteral(TALLYRA_REPORT_TEMPLATES);

QString template_of(const QString &name)
{
    return templates + QLatin1Char('/') + name + QStringLiteral(".frf");
}

class ListReportParts : public DbFixture {};

} // namespace

TEST(ReportTemplates, EveryListTemplateLoadsAndNamesWhatTheProgramFills)
{
    struct Case {
        const char *name;
        QStringList objects;
    };
    const QStringList common = {QStringLiteral("report_title"), QStringLiteral("report_footer")};
    const Case cases[] = {
        {"summary", {QStringLiteral("report_footer"), QStringLiteral("sum_kc_in"),
                     QStringLiteral("sum_kc_out"), QStringLiteral("balance_kc")}},
        {"doc_list", common + QStringList{QStringLiteral("where_sql"), QStringLiteral("rekap")}},
        {"doc_list_par", common},
        {"te", common},
        {"te_bank", common},
        {"te_grp", common},
        {"te_curr", common},
        {"cash", common},
        {"cat", common},
        {"cat_sales", common},
        {"part_list", common},
        {"view", common},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Report report;
        ASSERT_NO_THROW(report.load(template_of(QLatin1String(c.name))));
        for (const QString &object : c.objects)
            EXPECT_NE(report.find_object(object), nullptr) << qPrintable(object);
    }
    Report view;
    view.load(template_of(QStringLiteral("view")));
    EXPECT_NE(view.find_band(QStringLiteral("page_header")), nullptr);
    EXPECT_NE(view.find_band(QStringLiteral("master_data")), nullptr);
}

TEST(ReportTemplates, PathCollapsesDoubledSeparators)
{
    const QString saved = app_exe_path();
    set_app_exe_path(QStringLiteral("/opt//tallyra/tallyra"));
    EXPECT_EQ(report_template_path(QStringLiteral("te")), QStringLiteral("/opt/tallyra/Lib/te.frf"));
    set_app_exe_path(saved);
}

TEST(DocumentLists, SelectsAndCaptions)
{
    EXPECT_EQ(document_list_select(1, QString()), QStringLiteral("SELECT * FROM VIEW_DOC1"));
    EXPECT_EQ(document_list_select(3, QStringLiteral("WHERE X")),
              QStringLiteral("SELECT * FROM VIEW_DOC3 WHERE X"));
    EXPECT_EQ(document_list_caption(2), QStringLiteral("    Soupis došlých faktur."));
    try {
        document_list_caption(5);
        ADD_FAILURE() << "type 5 accepted";
    } catch (const ReportError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("Neznámý typ dokladu!"));
    }
    EXPECT_EQ(partner_documents_select(17, QString()),
              QStringLiteral("SELECT * FROM PRINT_DOC_PAR WHERE PAR_RECID=17 "));
    EXPECT_EQ(partner_documents_select(17, QStringLiteral("(ID_DOCSTATE = 0)")),
              QStringLiteral("SELECT * FROM PRINT_DOC_PAR WHERE PAR_RECID=17 AND ((ID_DOCSTATE = 0))"));
}

TEST_F(ListReportParts, RecapHasALinePerCurrencyOfTheType)
{
    set_decimal_separator(u'.');
    exec(QStringLiteral(
        "INSERT INTO DOC_HEAD (RECID, ID_DOC_TYPE, DOC_NO, DATE_D, ROUND_SUM, CURR_NAME) VALUES "
        "(9001, 1, 1, '2026-01-05', 1250.5, 'Kč'), (9002, 1, 2, '2026-01-06', 100, 'EUR'), "
        "(9003, 2, 1, '2026-01-06', 999, 'Kč');"
        "INSERT INTO TE (RECID, DOC_ID, DATE_D, INCOME) VALUES (9101, 9001, '2026-01-07', 250.5)"));
    const QStringList lines = document_recap_lines(*m_api, 1);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("celkem").rightJustified(28) +
                            QStringLiteral("z toho uhrazeno").rightJustified(28) +
                            QStringLiteral("zbývá uhradit").rightJustified(28));
    EXPECT_EQ(lines[1], QStringLiteral("1 250.50 Kč     ").rightJustified(28) +
                            QStringLiteral("250.50 Kč     ").rightJustified(28) +
                            QStringLiteral("1 000.00 Kč     ").rightJustified(28));
    EXPECT_EQ(lines[2], QStringLiteral("100.00 EUR    ").rightJustified(28) +
                            QStringLiteral("0.00 EUR    ").rightJustified(28) +
                            QStringLiteral("100.00 EUR    ").rightJustified(28));
}

TEST_F(ListReportParts, ListFilterIsOnOnlyWithAFilterAndDatesSortNewestFirst)
{
    exec(QStringLiteral(
        "INSERT INTO DOC_HEAD (RECID, ID_DOC_TYPE, DOC_NO, DATE_D) VALUES "
        "(9001, 1, 1, '2026-01-05'), (9002, 1, 2, '2026-02-06'), (9003, 1, 3, '2025-12-30')"));
    TMemTable *set = m_api->select_sql(QStringLiteral("repo_VIEW_DOC1"),
                                       QStringLiteral("SELECT * FROM VIEW_DOC1"));
    ASSERT_NE(set, nullptr);
    const auto numbers = [set] {
        QStringList seen;
        for (set->first(); !set->eof(); set->next())
            seen << set->find_field(QStringLiteral("DOC_NO"))->as_string();
        return seen.join(u',');
    };
    apply_list_filter_and_order(*m_api, set, QString(), QStringLiteral("DATE_D"));
    EXPECT_FALSE(set->filtered());
    EXPECT_EQ(numbers(), QStringLiteral("2,1,3"));
    apply_list_filter_and_order(*m_api, set, QStringLiteral("DATE_D>='1.1.2026' and DATE_D<='31.1.2026'"),
                                QStringLiteral("DOC_NO"));
    EXPECT_TRUE(set->filtered());
    EXPECT_EQ(numbers(), QStringLiteral("1"));
    m_api->free_set(set);
}

TEST_F(ListReportParts, SummarySumsAreFormattedWithAPointWhateverTheSeparator)
{
    exec(QStringLiteral("INSERT INTO TE (RECID, DATE_D, ORIGIN_CURR, INCOME, OUTCOME, CURR_KURS, "
                        "CURR_AMOUNT) VALUES (9101, '2026-01-07', 'Kč', 1500.25, 0, 1, 1), "
                        "(9102, '2026-01-08', 'EUR', 10, 0, 25, 1), "
                        "(9103, '2026-01-09', 'Kč', 0, 2000, 1, 1)"));
    const DecimalPointGuard point;
    TMemTable *sums = m_api->select_sql(summary_sets().front().name, summary_sets().front().select);
    ASSERT_NE(sums, nullptr);
    Report report;
    report.load(template_of(QStringLiteral("summary")));
    write_summary_sums(report, sums);
    EXPECT_EQ(report.find_object(QStringLiteral("sum_kc_in"))->text(),
              QStringList{QStringLiteral("1 750.25")});
    EXPECT_EQ(report.find_object(QStringLiteral("sum_kc_out"))->text(),
              QStringList{QStringLiteral("2 000.00")});
    EXPECT_EQ(report.find_object(QStringLiteral("balance_kc"))->text(),
              QStringList{QStringLiteral("-249.75")});
    m_api->free_set(sums);
}

TEST_F(ListReportParts, TableLayoutGivesEveryVisibleColumnAHeadingAndACell)
{
    TMemTable *units = m_api->select_sql(QStringLiteral("PRO_UNITS"),
                                         QStringLiteral("SELECT RECID, UNIT_SHORT FROM PRO_UNITS"));
    ASSERT_NE(units, nullptr);
    units->name = QStringLiteral("PRO_UNITS");
    const int unit = units->find_field(QStringLiteral("UNIT_SHORT"))->index();
    Report report;
    report.load(template_of(QStringLiteral("view")));
    const int header_objects = int(report.find_band(QStringLiteral("page_header"))->objects.size());
    build_table_layout(report, *units, QStringLiteral("   Jednotky"));
    EXPECT_EQ(report.find_band(QStringLiteral("master_data"))->source,
              QStringLiteral("frPRO_UNITS"));
    EXPECT_EQ(report.find_object(QStringLiteral("report_title"))->text(),
              QStringList{QStringLiteral("   Jednotky")});
    const ReportBand *header = report.find_band(QStringLiteral("page_header"));
    ASSERT_EQ(int(header->objects.size()), header_objects + 1);
    const ReportBand *cells = report.find_band(QStringLiteral("master_data"));
    ASSERT_EQ(cells->objects.size(), 1u);
    EXPECT_EQ(cells->objects[0].text(),
              QStringList{QStringLiteral("[dbAPI.PRO_UNITS.\"UNIT_SHORT\"]")});
    const double width = cells->objects[0].rect.width();
    EXPECT_EQ(width, table_column_width(*units, unit));
    EXPECT_GT(width, 0);

    // Text widens with its declared size; any other type takes 128 at least.
    TMemTable mixed;
    mixed.name = QStringLiteral("MIXED");
    mixed.add_field(QStringLiteral("A"), FieldType::Integer);
    mixed.add_field(QStringLiteral("B"), FieldType::Text, 10);
    mixed.add_field(QStringLiteral("C"), FieldType::Text, 20);
    mixed.open();
    EXPECT_EQ(table_column_width(mixed, 0), 128);
    EXPECT_NEAR(table_column_width(mixed, 2) / double(table_column_width(mixed, 1)), 21.0 / 11.0,
                0.1);
    m_api->free_set(units);

    Report without_header;
    without_header.load(template_of(QStringLiteral("te")));
    const size_t before = without_header.find_band(QStringLiteral("master_data"))->objects.size();
    build_table_layout(without_header, mixed, QStringLiteral("x"));
    EXPECT_EQ(without_header.find_band(QStringLiteral("master_data"))->objects.size(), before);
}

// A document print leaves its text in the working file; a list printed later must not show it.
TEST_F(ListReportParts, RichTextComesFromTheWorkingFileOnlyWhenAsked)
{
    QTextDocument stored;
    stored.setPlainText(QStringLiteral("Děkujeme za objednávku."));
    QFile file(app_file_path(QStringLiteral(".rtf")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(rtf_from_document(stored));
    file.close();
    const QByteArray json = R"({"version": 1, "pages": [{"bands": [{"kind": "master_data",
        "height": 40, "objects": [{"type": "rich_text", "name": "RichText", "width": 300,
        "height": 40}]}]}]})";
    QFile frf(path(QStringLiteral("rich.frf")));
    ASSERT_TRUE(frf.open(QIODevice::WriteOnly));
    frf.write(json);
    frf.close();
    for (const bool asked : {true, false}) {
        Report report;
        report.load(frf.fileName());
        load_rich_text(report, asked);
        const auto &content =
            std::get<RichTextContent>(report.find_object(QStringLiteral("RichText"))->content);
        if (asked) {
            ASSERT_TRUE(content.document);
            EXPECT_EQ(content.document->toPlainText(), QStringLiteral("Děkujeme za objednávku."));
        } else {
            EXPECT_TRUE(!content.document || content.document->isEmpty());
        }
    }
}
