#include "engine/csv_export_filter.h"
#include "engine/export_filter_registry.h"
#include "engine/html_export_filter.h"
#include "engine/memory_data_source.h"
#include "engine/pdf_export_filter.h"
#include "engine/report.h"
#include "engine/report_error.h"
#include "engine/rtf_export_filter.h"
#include "engine/text_export_filter.h"

#include "external_tools.h"
#include "report_fixture.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const char *const list_template = R"json({"version": 1, "pages": [{
    "width": 744, "height": 300, "margins": {"left": 20, "top": 20, "right": 20, "bottom": 20},
    "bands": [
      {"kind": "report_title", "height": 40, "objects": [
        {"type": "text", "width": 500, "height": 20, "font": {"size": 12, "bold": true},
         "text": ["Soupis partnerů – „vybraní“"]},
        {"type": "picture", "x": 600, "width": 60, "height": 30, "file": "logo.png",
         "mode": "keep_aspect"},
        {"type": "barcode", "x": 560, "width": 30, "height": 30, "text": ["QR"]}]},
      {"kind": "master_data", "source": "frrepo_PAR", "height": 16, "stretch": true, "objects": [
        {"type": "text", "x": 300, "width": 150, "height": 16, "align": "right",
         "format": "### ##0.00", "text": ["[frrepo_PAR.\"DEBT\"]"], "frame": {"sides": 15}},
        {"type": "text", "width": 200, "height": 16, "stretch": true, "fill": "#eeeeee",
         "text": ["[frrepo_PAR.\"NAME\"]"]},
        {"type": "text", "x": 200, "width": 100, "height": 16,
         "text": ["[frrepo_PAR.\"CITY\"]"]}]},
      {"kind": "page_footer", "height": 16, "objects": [
        {"type": "line", "width": 704, "height": 0},
        {"type": "text", "x": 500, "width": 204, "height": 16, "align": "right",
         "text": ["strana [PAGE#] z [TOTALPAGES]"]}]}]}]})json";

class Exports : public testing::Test {
protected:
    Exports() : m_rows({"NAME", "CITY", "DEBT"})
    {
        m_dir.setAutoRemove(qEnvironmentVariableIsEmpty("TALLYRA_KEEP_TEST_FILES"));
        m_rows.add_row({"Novák & syn; s.r.o.", "Praha", 1234.5});
        m_rows.add_row({"Řezník \"U Zlatého býka\"", "Čáslav", 0.0});
        m_rows.add_row({"Velmi dlouhé jméno firmy, které se zalomí na dva řádky", "Brno", -7.25});
        for (int i = 1; i <= 12; ++i)
            m_rows.add_row({QStringLiteral("Firma %1").arg(i), "Ústí nad Labem", i * 100.0});
        Report report;
        report.set_template(template_from_json(list_template));
        report.register_source(QStringLiteral("frrepo_PAR"), &m_rows);
        m_prepared = report.prepare(fixed_day());
    }

    QByteArray exported(ExportFilter &filter, const QString &name)
    {
        export_to_file(m_prepared, filter, m_dir.filePath(name));
        QFile file(m_dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    // Every text line of the display list in its order.
    std::vector<QString> display_lines() const
    {
        std::vector<QString> lines;
        for (const PreparedPage &page : m_prepared.pages)
            for (const DisplayItem &item : page.items)
                if (const auto *text = std::get_if<DisplayText>(&item.content))
                    for (const TextLine &line : text->lines)
                        lines.push_back(line.text);
        return lines;
    }

    static std::vector<QString> strings(const QByteArray &json)
    {
        std::vector<QString> result;
        for (const QJsonValue &value : QJsonDocument::fromJson(json).array())
            result.push_back(value.toString());
        return result;
    }

    CzechFormats m_formats;
    MemoryDataSource m_rows;
    PreparedReport m_prepared;
    QTemporaryDir m_dir;
};

TEST_F(Exports, HtmlPassesAParserWithOnePositionedDivPerPage)
{
    REQUIRE_TOOL(xmllint_program(), "xmllint");
    REQUIRE_TOOL(python_program(), "python3");
    ASSERT_GE(m_prepared.pages.size(), 2u);
    HtmlExportFilter filter;
    exported(filter, QStringLiteral("list.html"));
    const QString file = m_dir.filePath(QStringLiteral("list.html"));
    const ToolRun lint = run_tool(xmllint_program(), {"--html", "--noout", file});
    EXPECT_EQ(lint.exit_code, 0);
    EXPECT_EQ(lint.err, QByteArray()) << lint.err.toStdString();
    const char *const script = R"py(
import html.parser, json, sys
class Texts(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.pages, self.lines, self.inside = 0, [], False
    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag == "div" and attrs.get("class") == "page":
            self.pages += 1
            assert "width:595.20pt;height:240.00pt" in attrs["style"], attrs["style"]
        self.inside = tag == "div" and attrs.get("class") == "t"
        if self.inside:
            self.lines.append("")
    def handle_endtag(self, tag):
        self.inside = False
    def handle_data(self, data):
        if self.inside:
            self.lines[-1] += data
parser = Texts()
parser.feed(open(sys.argv[1], encoding="utf-8").read())
print(json.dumps([str(parser.pages)] + parser.lines))
)py";
    const ToolRun parsed = run_tool(python_program(), {"-c", script, file});
    ASSERT_EQ(parsed.exit_code, 0) << parsed.err.toStdString();
    std::vector<QString> found = strings(parsed.out);
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(found.front(), QString::number(m_prepared.pages.size()));
    found.erase(found.begin());
    EXPECT_EQ(found, display_lines());
}

TEST_F(Exports, CsvHasOneLinePerBandRowWithCellsInXOrder)
{
    REQUIRE_TOOL(python_program(), "python3");
    CsvExportFilter filter;
    const QByteArray csv = exported(filter, QStringLiteral("list.csv"));
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
    const char *const script = R"py(
import csv, json, sys
with open(sys.argv[1], encoding="utf-8-sig", newline="") as f:
    print(json.dumps([";".join(["|".join(row)]) for row in csv.reader(f, delimiter=";")]))
)py";
    const ToolRun parsed =
        run_tool(python_program(), {"-c", script, m_dir.filePath(QStringLiteral("list.csv"))});
    ASSERT_EQ(parsed.exit_code, 0) << parsed.err.toStdString();
    const std::vector<QString> rows = strings(parsed.out);
    ASSERT_GE(rows.size(), 5u);
    EXPECT_EQ(rows[0], QStringLiteral("Soupis partnerů – „vybraní“"));
    EXPECT_EQ(rows[1], QStringLiteral("Novák & syn; s.r.o.|Praha|1 234,50"));
    EXPECT_EQ(rows[2], QStringLiteral("Řezník \"U Zlatého býka\"|Čáslav|0,00"));
    EXPECT_EQ(rows[3], QStringLiteral("Velmi dlouhé jméno firmy, které se zalomí na dva "
                                      "řádky|Brno|-7,25"));
    const auto footers = std::count_if(rows.begin(), rows.end(), [](const QString &row) {
        return row.startsWith(QStringLiteral("strana "));
    });
    EXPECT_EQ(size_t(footers), m_prepared.pages.size());
}

// Texts of an RTF document in order: \u escapes decoded, one entry per paragraph.
std::vector<QString> rtf_paragraphs(const QByteArray &rtf, int &depth_error)
{
    std::vector<QString> paragraphs;
    QString current;
    int depth = 0;
    depth_error = 0;
    static const QRegularExpression word(QStringLiteral(R"re(^\\([a-z]+)(-?\d+)? ?)re"));
    const QString text = QString::fromLatin1(rtf);
    int skip_group = -1;
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text.at(i);
        if (c == u'{') {
            ++depth;
            if (text.mid(i, 6) == QLatin1String("{\\pict") ||
                text.mid(i, 5) == QLatin1String("{\\shp") ||
                text.mid(i, 9) == QLatin1String("{\\fonttbl") ||
                text.mid(i, 10) == QLatin1String("{\\colortbl"))
                skip_group = skip_group < 0 ? depth : skip_group;
            ++i;
        } else if (c == u'}') {
            if (depth == skip_group)
                skip_group = -1;
            if (--depth < 0)
                depth_error = 1;
            ++i;
        } else if (c == u'\\' && i + 1 < text.size() &&
                   QStringLiteral("\\{}").contains(text.at(i + 1))) {
            if (skip_group < 0)
                current += text.at(i + 1);
            i += 2;
        } else if (c == u'\\') {
            const auto match = word.match(text.mid(i, 40));
            if (!match.hasMatch()) {
                ++i;
                continue;
            }
            i += match.capturedLength();
            if (skip_group >= 0)
                continue;
            if (match.captured(1) == QLatin1String("u")) {
                current += QChar(char16_t(match.captured(2).toShort()));
                ++i; // the "?" for readers without Unicode
            } else if (match.captured(1) == QLatin1String("par")) {
                paragraphs.push_back(current);
                current.clear();
            }
        } else {
            if (skip_group < 0 && c != u'\n')
                current += c;
            ++i;
        }
    }
    if (depth != 0)
        depth_error = 1;
    return paragraphs;
}

TEST_F(Exports, RtfHasThePageSizeAndEveryLineAtItsPosition)
{
    RtfExportFilter filter;
    const QByteArray rtf = exported(filter, QStringLiteral("list.rtf"));
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1250"));
    EXPECT_TRUE(rtf.contains("\\paperw11904\\paperh4800"));
    EXPECT_EQ(rtf.count("\\sectd"), qsizetype(m_prepared.pages.size()));
    int depth_error = 0;
    std::vector<QString> paragraphs = rtf_paragraphs(rtf, depth_error);
    EXPECT_EQ(depth_error, 0) << "unbalanced braces";
    std::erase(paragraphs, QString());
    EXPECT_EQ(paragraphs, display_lines());
    // The first line of the title at its place: 20 units = 320 twips.
    EXPECT_TRUE(rtf.contains("\\posx320\\posy320")) << rtf.left(600).toStdString();
    EXPECT_TRUE(rtf.contains("{\\pict\\pngblip"));
}

TEST_F(Exports, TextIsAFixedPitchImageOfEachPage)
{
    TextExportFilter filter;
    const QString text = QString::fromUtf8(exported(filter, QStringLiteral("list.txt")));
    const QStringList pages = text.split(u'\f');
    ASSERT_EQ(pages.size(), qsizetype(m_prepared.pages.size()));
    const QStringList rows = pages.front().split(u'\n');
    // 20 units from the left and the top: the fourth column of the third row (12 units each).
    ASSERT_GE(rows.size(), 6);
    EXPECT_EQ(rows[2], QStringLiteral("   Soupis partnerů – „vybraní“"));
    EXPECT_TRUE(rows[5].startsWith(QStringLiteral("   Novák & syn; s.r.o.")));
    EXPECT_TRUE(rows[5].endsWith(QStringLiteral(" 1 234,50")));
    EXPECT_TRUE(pages.back().contains(QStringLiteral("strana %1 z %1").arg(pages.size())));
}

TEST_F(Exports, FailedExportLeavesTheExistingFileAsItWas)
{
    const QString target = m_dir.filePath(QStringLiteral("kept.csv"));
    {
        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("earlier");
    }
    class FailingFilter : public CsvExportFilter {
    public:
        void end(QIODevice &) override { throw ReportError(QStringLiteral("disk plný")); }
    } filter;
    EXPECT_THROW(export_to_file(m_prepared, filter, target), ReportError);
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("earlier"));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"kept.csv"});
    CsvExportFilter csv;
    EXPECT_THROW(export_to_file(m_prepared, csv, m_dir.filePath(QStringLiteral("no/such/dir.csv"))),
                 ReportError);
}

TEST(ExportRegistry, OffersTheFiveFormatsAndFindsThemByFileName)
{
    ExportFilterRegistry registry;
    int asked = 0;
    register_export_formats(registry, [&asked] {
        ++asked;
        return PdfExportOptions{};
    });
    QStringList masks;
    for (const ExportFormat &format : registry.formats()) {
        masks << format.mask;
        EXPECT_TRUE(format.description.endsWith(QStringLiteral("  (") + format.mask + u')'))
            << format.description.toStdString();
    }
    EXPECT_EQ(masks, QStringList({"*.txt", "*.html", "*.rtf", "*.csv", "*.pdf"}));
    const ExportFormat *pdf = registry.for_file(QStringLiteral("/tmp/Faktura.PDF"));
    ASSERT_NE(pdf, nullptr);
    EXPECT_EQ(pdf->description, QStringLiteral("Adobe Acrobat PDF  (*.pdf)"));
    // The options are taken when an export starts, not when the format is registered.
    EXPECT_EQ(asked, 0);
    EXPECT_NE(pdf->create(), nullptr);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(registry.for_file(QStringLiteral("report.odt")), nullptr);
}

} // namespace
