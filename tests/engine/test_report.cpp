#include "engine/memory_data_source.h"
#include "engine/painter_replay.h"
#include "engine/report.h"
#include "engine/units.h"

#include "external_tools.h"
#include "report_fixture.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

const char *const view_template = R"json({"version": 1, "pages": [{
    "margins": {"left": 20, "top": 20, "right": 20, "bottom": 20},
    "bands": [
      {"kind": "report_title", "name": "title", "height": 100, "objects": [
        {"type": "text", "name": "report_title", "width": 300, "height": 20, "text": ["x"]},
        {"type": "picture", "name": "logo", "x": 400, "width": 100, "height": 50},
        {"type": "rich_text", "name": "RichText", "y": 50, "width": 600, "height": 40,
         "stretch": true}]},
      {"kind": "page_header", "name": "page_header", "top": 150, "height": 30},
      {"kind": "master_data", "name": "master_data", "top": 290, "height": 20}]}]})json";

std::vector<QString> texts(const PreparedReport &report)
{
    std::vector<QString> found;
    for (const PreparedPage &page : report.pages)
        for (const DisplayItem &item : page.items)
            if (const auto *text = std::get_if<DisplayText>(&item.content))
                for (const TextLine &line : text->lines)
                    found.push_back(line.text);
    return found;
}

TEST(Report, ApplicationFillsNamedObjectsBeforePreparing)
{
    Report report;
    report.set_template(template_from_json(view_template));
    ReportObject *title = report.find_object(QStringLiteral("report_title"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), QStringList{"x"});
    EXPECT_TRUE(title->set_text({QStringLiteral("   Katalog produktů")}));
    EXPECT_EQ(report.find_object(QStringLiteral("no_such_object")), nullptr);
    // Each kind takes what suits it.
    ReportObject *logo = report.find_object(QStringLiteral("logo"));
    EXPECT_FALSE(logo->set_text({QStringLiteral("x")}));
    EXPECT_FALSE(title->load_picture(QStringLiteral(TALLYRA_ENGINE_TEMPLATES "/logo.png")));
    EXPECT_FALSE(logo->load_picture(QStringLiteral(TALLYRA_ENGINE_TEMPLATES "/missing.png")));
    EXPECT_TRUE(logo->load_picture(QStringLiteral(TALLYRA_ENGINE_TEMPLATES "/logo.png")));
    QTextDocument document;
    QTextCursor(&document).insertText(QStringLiteral("Děkujeme za objednávku.\nS pozdravem"));
    ReportObject *rich = report.find_object(QStringLiteral("RichText"));
    EXPECT_FALSE(title->set_rich_text(document));
    EXPECT_TRUE(rich->set_rich_text(document));
    // The copy is the report's: the application's document may change or go.
    document.clear();

    report.set_tag(3);
    EXPECT_EQ(report.tag(), 3);
    const PreparedReport prepared = report.prepare(fixed_day());
    EXPECT_EQ(texts(prepared), std::vector<QString>{QStringLiteral("   Katalog produktů")});
    const auto &items = prepared.pages.at(0).items;
    ASSERT_EQ(items.size(), 3u);
    const auto &picture = std::get<DisplayPicture>(items[1].content);
    ASSERT_TRUE(picture.image);
    const auto &laid = std::get<DisplayRichText>(items[2].content);
    ASSERT_TRUE(laid.layout);
    ASSERT_EQ(laid.layout->lines.size(), 2u);
    EXPECT_EQ(laid.layout->lines[0].text(), QStringLiteral("Děkujeme za objednávku."));

    EXPECT_TRUE(rich->clear_rich_text());
    EXPECT_FALSE(
        std::get<DisplayRichText>(report.prepare(fixed_day()).pages[0].items[2].content).layout);
}

// The generic table print: a heading at y 158 and a cell at y 301 on the first page, in the
// bands that lie there, and the data band bound to the printed record set.
TEST(Report, TextObjectsAddedOnAPageJoinTheBandAtTheirPlace)
{
    Report report;
    report.set_template(template_from_json(view_template));
    ASSERT_TRUE(report.set_band_source(QStringLiteral("master_data"), QStringLiteral("frPAR")));
    EXPECT_FALSE(report.set_band_source(QStringLiteral("no_band"), QStringLiteral("frPAR")));
    const FontStyle font{"Arial CE", 8};
    ReportObject *heading =
        report.add_text_object(0, QRectF(32, 158, 128, 14), font, {QStringLiteral("Název")});
    ReportObject *cell = report.add_text_object(0, QRectF(32, 301, 128, 14), font,
                                                {QStringLiteral("[dbAPI.PAR.\"NAME\"]")});
    ASSERT_NE(heading, nullptr);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(report.add_text_object(0, QRectF(32, 400, 128, 14), font, {}), nullptr);
    EXPECT_EQ(report.add_text_object(1, QRectF(32, 158, 128, 14), font, {}), nullptr);
    EXPECT_EQ(report.find_band(QStringLiteral("page_header"))->objects.size(), 1u);
    EXPECT_EQ(report.find_band(QStringLiteral("master_data"))->objects.size(), 1u);

    MemoryDataSource partners({"NAME"});
    partners.add_row({"Novák"});
    partners.add_row({"Dvořák"});
    report.register_source(QStringLiteral("frPAR"), &partners);
    const PreparedReport prepared = report.prepare(fixed_day());
    EXPECT_EQ(texts(prepared), (std::vector<QString>{"x", "Název", "Novák", "Dvořák"}));
    // On the prepared page the heading keeps its place inside its band, which follows the
    // title: 8 units below the band's top at 120.
    for (const DisplayItem &item : prepared.pages[0].items) {
        const auto *text = std::get_if<DisplayText>(&item.content);
        if (text && text->lines.at(0).text == QStringLiteral("Název")) {
            EXPECT_EQ(item.rect.topLeft(), QPointF(32, 128));
        }
    }
}

TEST(PainterReplay, PagesPaintedOnAnImageAndAPdfWriter)
{
    Report report;
    report.set_template(template_from_json(R"json({"version": 1, "pages": [{"bands": [
        {"kind": "master_data", "source": "frT", "height": 600, "objects": [
          {"type": "text", "x": 40, "y": 40, "width": 600, "height": 40, "fill": "#ffff00",
           "font": {"size": 20}, "text": ["Strana [PAGE#]"], "frame": {"sides": 15}},
          {"type": "barcode", "x": 40, "y": 120, "width": 240, "height": 240,
           "text": ["Tallyra [frT.\"X\"]"]},
          {"type": "barcode", "symbology": "code128", "x": 300, "y": 120, "width": 400,
           "height": 80, "text": ["FV-[frT.\"X\"]"]}]}]}]})json"));
    MemoryDataSource rows({"X"});
    rows.add_row({1});
    rows.add_row({2});
    report.register_source(QStringLiteral("frT"), &rows);
    const PreparedReport prepared = report.prepare(fixed_day());
    ASSERT_EQ(prepared.pages.size(), 2u);

    const QImage image = render_page(prepared, 1, 150);
    EXPECT_EQ(image.width(), qCeil(report_units::a4_width * 150 / 90));
    // The fill shows where the object lies: 40 units from the left and the top.
    EXPECT_EQ(image.pixelColor(qRound(600 * 150 / 90.0), qRound(45 * 150 / 90.0)),
              QColor(Qt::yellow));
    QTemporaryDir dir;
    REQUIRE_TOOL(zbarimg_program(), "zbarimg");
    const QString png = dir.filePath(QStringLiteral("page.png"));
    ASSERT_TRUE(image.save(png));
    const QString decoded = QString::fromUtf8(run_tool(zbarimg_program(), {"--quiet", png}).out);
    EXPECT_TRUE(decoded.contains(QStringLiteral("QR-Code:Tallyra 2"))) << decoded.toStdString();
    EXPECT_TRUE(decoded.contains(QStringLiteral("CODE-128:FV-2"))) << decoded.toStdString();

    REQUIRE_TOOL(pdfinfo_program(), "pdfinfo");
    const QString pdf = dir.filePath(QStringLiteral("writer.pdf"));
    {
        QPdfWriter writer(pdf);
        paint_report(prepared, writer, 0, 1);
    }
    const QString info = QString::fromUtf8(run_tool(pdfinfo_program(), {pdf}).out);
    EXPECT_TRUE(info.contains(QStringLiteral("Pages:           2"))) << info.toStdString();
    static const QRegularExpression size(QStringLiteral(R"re(Page size:\s+([\d.]+) x ([\d.]+))re"));
    const auto match = size.match(info);
    ASSERT_TRUE(match.hasMatch()) << info.toStdString();
    EXPECT_NEAR(match.captured(1).toDouble(), 595.2, 0.5);
    EXPECT_NEAR(match.captured(2).toDouble(), 841.6, 0.5);
    const QString text = QString::fromUtf8(run_tool(pdftotext_program(), {pdf, "-"}).out);
    EXPECT_TRUE(text.contains(QStringLiteral("Strana 1"))) << text.toStdString();
}

} // namespace
