#include "engine/report.h"
#include "engine/report_error.h"
#include "engine/template_loader.h"

#include "report_fixture.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QString load_error(const QByteArray &json)
{
    try {
        template_from_json(json);
    } catch (const ReportError &error) {
        return error.message();
    }
    return QStringLiteral("<loaded>");
}

struct FaultCase {
    const char *json;
    const char *message;
};

class TemplateFault : public testing::TestWithParam<FaultCase> {};

TEST_P(TemplateFault, NamesTheJsonPath)
{
    EXPECT_EQ(load_error(GetParam().json), QString::fromUtf8(GetParam().message));
}

// Band 3 of page 0, its object 2, whose font size is a text.
const char *const wrong_font_size = R"json({"version": 1, "pages": [{"bands": [
    {"kind": "page_header", "height": 10},
    {"kind": "column_header", "height": 10},
    {"kind": "report_title", "height": 10},
    {"kind": "master_data", "height": 10, "objects": [
        {"type": "text"}, {"type": "line", "width": 5},
        {"type": "text", "font": {"size": "10"}}]}]}]})json";

INSTANTIATE_TEST_SUITE_P(
    Loader, TemplateFault,
    testing::Values(
        FaultCase{wrong_font_size, "pages[0].bands[3].objects[2].font.size: očekáváno číslo"},
        FaultCase{R"json({"pages": []})json", "version: chybí povinná položka"},
        FaultCase{R"json({"version": 2, "pages": []})json",
                  "version: verze 2 není podporována (nejvýše 1)"},
        FaultCase{R"json({"version": 1})json", "pages: chybí povinná položka"},
        FaultCase{R"json([1])json", "očekáván objekt"},
        FaultCase{R"json({"version": 1, "pages": [{"bands": [{"height": 5}]}]})json",
                  "pages[0].bands[0].kind: chybí povinná položka"},
        FaultCase{
            R"json({"version": 1, "pages": [{"bands": [{"kind": "header", "height": 5}]}]})json",
            "pages[0].bands[0].kind: očekáváno \"report_title\", \"page_header\", "
            "\"page_footer\", \"column_header\", \"master_data\", \"detail_data\", "
            "\"group_header\", \"group_footer\", \"report_summary\""},
        FaultCase{R"json({"version": 1, "pages": [{"bands": [{"kind": "master_data", "height": 5,
                     "objects": [{"type": "text", "colour": "#000000"}]}]}]})json",
                  "pages[0].bands[0].objects[0].colour: neznámá položka"},
        FaultCase{R"json({"version": 1, "pages": [{"bands": [{"kind": "master_data", "height": 5,
                     "objects": [{"type": "text", "text": ["a", 2]}]}]}]})json",
                  "pages[0].bands[0].objects[0].text[1]: očekáván text"},
        FaultCase{R"json({"version": 1, "pages": [{"bands": [{"kind": "master_data", "height": 5,
                     "objects": [{"type": "text", "frame": {"sides": 16}}]}]}]})json",
                  "pages[0].bands[0].objects[0].frame.sides: očekáván součet stran: vpravo 1, "
                  "dole 2, vlevo 4, nahoře 8"},
        FaultCase{R"json({"version": 1, "pages": [{"bands": [{"kind": "master_data", "height": 5,
                     "objects": [{"type": "text", "color": "red"}]}]}]})json",
                  "pages[0].bands[0].objects[0].color: očekávána barva ve tvaru \"#rrggbb\""},
        FaultCase{
            R"json({"version": 1, "pages": [{"bands": [
                {"kind": "group_header", "height": 5}]}]})json",
            "pages[0].bands[0].group: záhlaví skupiny potřebuje výraz skupiny"},
        FaultCase{R"json({"version": 1, "pages": [{"bands": [{"kind": "master_data", "height": 5,
                     "objects": [{"type": "line", "width": 5, "height": 5}]}]}]})json",
                  "pages[0].bands[0].objects[0]: čára je vodorovná (height 0) nebo svislá "
                  "(width 0)"},
        FaultCase{R"json({"version": 1, "pages": [{"width": -1}]})json",
                  "pages[0].width: očekáváno kladné číslo"},
        FaultCase{R"json({"version": 1, "pages": [{"bands": [{"kind": "master_data", "height": 5,
                     "objects": [{"type": "picture", "file": "missing.png"}]}]}]})json",
                  "pages[0].bands[0].objects[0].file: obrázek „missing.png“ nelze načíst"}));

TEST(TemplateLoader, ReadsEveryPropertyOfAnObject)
{
    const ReportTemplate report = template_from_json(R"json({"version": 1, "pages": [{
        "width": 800, "height": 600, "margins": {"left": 10, "top": 20, "right": 30, "bottom": 40},
        "bands": [
          {"kind": "page_header", "height": 30},
          {"kind": "master_data", "name": "rows", "source": "frrepo_TE", "height": 18,
           "stretch": true, "keep_together": true, "split": true,
           "objects": [{"type": "text", "name": "cell", "x": 5, "y": 2, "width": 100,
             "height": 14, "text": ["first", "second"],
             "font": {"family": "Arial CE", "size": 8.5, "bold": true, "italic": true,
                      "underline": true},
             "color": "#102030", "fill": "#ffffe0", "align": "right", "valign": "bottom",
             "wrap": false, "format": "### ##0.00", "padding": 2, "stretch": true,
             "frame": {"sides": 10, "width": 2, "style": "dash", "color": "#ff0000"}}]}]}]})json");
    const TemplatePage &page = report.pages.at(0);
    EXPECT_EQ(page.width, 800);
    EXPECT_EQ(page.margins, QMarginsF(10, 20, 30, 40));
    const ReportBand &band = page.bands.at(1);
    // A band without "top" follows the one before it.
    EXPECT_EQ(band.top, 50);
    EXPECT_EQ(band.source, QStringLiteral("frrepo_TE"));
    EXPECT_TRUE(band.stretch && band.keep_together && band.split);
    const ReportObject &object = band.objects.at(0);
    EXPECT_EQ(object.rect, QRectF(5, 2, 100, 14));
    EXPECT_EQ(object.frame, (Frame{10, 2.0, FrameStyle::Dash, 0xffff0000}));
    EXPECT_EQ(object.fill, 0xffffffe0);
    const auto &text = std::get<TextContent>(object.content);
    EXPECT_EQ(text.text, QStringList({"first", "second"}));
    EXPECT_EQ(text.font, (FontStyle{"Arial CE", 8.5, true, true, true}));
    EXPECT_EQ(text.color, 0xff102030);
    EXPECT_EQ(text.align, HAlign::Right);
    EXPECT_EQ(text.valign, VAlign::Bottom);
    EXPECT_FALSE(text.word_wrap);
    EXPECT_EQ(text.format, QStringLiteral("### ##0.00"));
}

TEST(TemplateLoader, ShippedExamplesLoad)
{
    for (const char *name : {"journal.frf", "invoice.frf"}) {
        Report report;
        EXPECT_NO_THROW(
            report.load(QStringLiteral(TALLYRA_ENGINE_TEMPLATES "/") + QLatin1String(name)))
            << name;
    }
}

// The example of the users' description of the format is a template that loads.
TEST(TemplateLoader, ExampleOfTheFormatDescriptionLoads)
{
    QFile readme(QStringLiteral(TALLYRA_TEMPLATE_README));
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
    const QByteArray text = readme.readAll();
    const qsizetype start = text.lastIndexOf("```json\n");
    const qsizetype end = text.indexOf("```", start + 8);
    ASSERT_GT(start, 0);
    ASSERT_GT(end, start);
    const ReportTemplate report = template_from_json(text.mid(start + 8, end - start - 8));
    EXPECT_EQ(report.pages.at(0).bands.size(), 6u);
}

TEST(TemplateLoader, ErrorOfAFileNamesTheFile)
{
    Report report;
    try {
        report.load(QStringLiteral(TALLYRA_ENGINE_TEMPLATES "/no_such_template.frf"));
        FAIL() << "loaded a missing file";
    } catch (const ReportError &error) {
        EXPECT_TRUE(error.message().startsWith(QStringLiteral("Šablonu sestavy „")))
            << error.message().toStdString();
    }
}

} // namespace
