#include "engine/export_filter.h"
#include "engine/haru_pdf.h"
#include "engine/memory_data_source.h"
#include "engine/pdf_export_filter.h"
#include "engine/report.h"
#include "engine/report_error.h"
#include "engine/units.h"

#include "external_tools.h"
#include "report_fixture.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <array>
#include <gtest/gtest.h>

namespace {

class PdfExport : public testing::Test {
protected:
    // TALLYRA_KEEP_TEST_FILES=1 keeps the written files for a look.
    PdfExport() { m_dir.setAutoRemove(qEnvironmentVariableIsEmpty("TALLYRA_KEEP_TEST_FILES")); }

    QString path(const QString &name) const { return m_dir.filePath(name); }

    QString export_pdf(const PreparedReport &prepared, const QString &name,
                       PdfExportOptions options = {})
    {
        options.picture_file = path(QStringLiteral("picture.jpg"));
        TfrTNPDFExportFilter filter(options);
        export_to_file(prepared, filter, path(name));
        return path(name);
    }

    static PreparedReport prepare(const QByteArray &json, Report *report = nullptr)
    {
        Report own;
        Report &target = report ? *report : own;
        target.set_template(template_from_json(json));
        return target.prepare(fixed_day());
    }

    // The page content as libHaru wrote it: decrypted and uncompressed by qpdf.
    QString content_stream(const QString &pdf)
    {
        const QString plain = path(QStringLiteral("plain.pdf"));
        const ToolRun run = run_tool(
            qpdf_program(), {"--decrypt", "--qdf", "--object-streams=disable", pdf, plain});
        EXPECT_EQ(run.exit_code, 0) << run.err.toStdString();
        QFile file(plain);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return QString::fromLatin1(file.readAll());
    }

    QTemporaryDir m_dir;
};

// The text lines of the content, each as its Td position and its string.
struct ShownText {
    double x;
    double y;
    QByteArray text; // in Windows-1250
};

std::vector<ShownText> shown_texts(const QString &content)
{
    static const QRegularExpression shown(QStringLiteral(
        R"re(BT\s+(-?[\d.]+)\s+(-?[\d.]+)\s+Td\s+(?:\((.*?)\)|<([0-9a-f]*)>)\s*Tj\s+ET)re"));
    std::vector<ShownText> texts;
    for (auto it = shown.globalMatch(content); it.hasNext();) {
        const auto match = it.next();
        const QByteArray text = match.capturedLength(4) > 0
                                    ? QByteArray::fromHex(match.captured(4).toLatin1())
                                    : match.captured(3).toLatin1();
        texts.push_back({match.captured(1).toDouble(), match.captured(2).toDouble(), text});
    }
    return texts;
}

const char *const czech_texts = R"json({"version": 1, "pages": [{"bands": [
    {"kind": "report_title", "height": 60, "objects": [
      {"type": "text", "name": "first", "x": 100, "y": 50, "width": 500, "height": 14,
       "font": {"size": 8}, "text": ["Příliš žluťoučký kůň úpěl ďábelské ódy"]},
      {"type": "text", "x": 100, "y": 70, "width": 500, "height": 14,
       "font": {"size": 8, "bold": true}, "text": ["Cena 1 234,50 € – „zaplaceno“"]},
      {"type": "text", "x": 100, "y": 90, "width": 500, "height": 14,
       "font": {"size": 8, "bold": true, "italic": true}, "text": ["Sněhulák ☃ a 漢字"]}]}]}]})json";

TEST_F(PdfExport, CzechTextsComeOutInOrderAndTheRestAsQuestionMarks)
{
    REQUIRE_TOOL(pdftotext_program(), "pdftotext");
    REQUIRE_TOOL(qpdf_program(), "qpdf");
    const QString pdf = export_pdf(prepare(czech_texts), QStringLiteral("czech.pdf"));
    const ToolRun check = run_tool(qpdf_program(), {"--check", pdf});
    EXPECT_EQ(check.exit_code, 0) << check.out.toStdString();
    const ToolRun text = run_tool(pdftotext_program(), {"-layout", pdf, "-"});
    ASSERT_EQ(text.exit_code, 0);
    const QString found = QString::fromUtf8(text.out);
    const qsizetype first = found.indexOf(QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy"));
    const qsizetype second = found.indexOf(QStringLiteral("Cena 1 234,50 € – „zaplaceno“"));
    const qsizetype third = found.indexOf(QStringLiteral("Sněhulák ? a ??"));
    EXPECT_GE(first, 0) << found.toStdString();
    EXPECT_GT(second, first);
    EXPECT_GT(third, second);
}

// A text at x 100, y 50 in 8 points starts 81 points from the left, its top 41 points from
// the top and its baseline 8 points below that.
TEST_F(PdfExport, TextLinesFollowTheReportCoordinates)
{
    REQUIRE_TOOL(qpdf_program(), "qpdf");
    const QString pdf = export_pdf(prepare(czech_texts), QStringLiteral("positions.pdf"));
    const std::vector<ShownText> texts = shown_texts(content_stream(pdf));
    ASSERT_EQ(texts.size(), 3u);
    const double page_height = report_units::a4_height * 0.8;
    EXPECT_NEAR(texts[0].x, 81, 0.01);
    EXPECT_NEAR(texts[0].y, page_height - 41 - 8, 0.01);
    EXPECT_NEAR(texts[1].y, page_height - (70 * 0.8 + 1) - 8, 0.01);
}

TEST_F(PdfExport, FontsAreHelveticaByBoldAndItalic)
{
    REQUIRE_TOOL(pdffonts_program(), "pdffonts");
    const QString pdf = export_pdf(prepare(czech_texts), QStringLiteral("fonts.pdf"));
    const ToolRun fonts = run_tool(pdffonts_program(), {pdf});
    ASSERT_EQ(fonts.exit_code, 0);
    const QString listed = QString::fromLatin1(fonts.out);
    // The bold italic line is written in the oblique face.
    for (const char *name : {"Helvetica ", "Helvetica-Bold ", "Helvetica-Oblique "})
        EXPECT_TRUE(listed.contains(QLatin1String(name))) << name << "\n" << fonts.out.data();
    EXPECT_FALSE(listed.contains(QLatin1String("BoldOblique")));
}

TEST_F(PdfExport, PageSizesFollowThePreparedPages)
{
    REQUIRE_TOOL(pdfinfo_program(), "pdfinfo");
    struct Case {
        const char *page;
        double width;
        double height;
    };
    for (const Case c : {Case{R"json({})json", 595.2, 841.6},
                         Case{R"json({"width": 794, "height": 1123})json", 635.2, 898.4}}) {
        const QByteArray json = QByteArray(R"json({"version": 1, "pages": [)json") + c.page + "]}";
        const QString pdf = export_pdf(prepare(json), QStringLiteral("size.pdf"));
        const ToolRun info = run_tool(pdfinfo_program(), {pdf});
        ASSERT_EQ(info.exit_code, 0);
        static const QRegularExpression size(
            QStringLiteral(R"re(Page size:\s+([\d.]+) x ([\d.]+))re"));
        const auto match = size.match(QString::fromLatin1(info.out));
        ASSERT_TRUE(match.hasMatch()) << info.out.toStdString();
        EXPECT_NEAR(match.captured(1).toDouble(), c.width, 0.05);
        EXPECT_NEAR(match.captured(2).toDouble(), c.height, 0.05);
    }
    // A4 within a point of 595 x 842.
    EXPECT_NEAR(report_units::a4_width * 0.8, 595, 1);
    EXPECT_NEAR(report_units::a4_height * 0.8, 842, 1);
}

TEST_F(PdfExport, PasswordAndPermissionDecideWhatTheFileAllows)
{
    REQUIRE_TOOL(qpdf_program(), "qpdf");
    struct Case {
        const char *password;
        unsigned permission;
        bool print_and_copy;
    };
    for (const Case c : {Case{"", 20, true}, Case{"", 0, false}, Case{"tajné heslo", 20, true}}) {
        const QString password = QString::fromUtf8(c.password);
        const QString pdf = export_pdf(prepare(czech_texts), QStringLiteral("secret.pdf"),
                                       {password, c.permission, {}});
        QStringList arguments{"--show-encryption", pdf};
        if (!password.isEmpty()) {
            const ToolRun refused = run_tool(qpdf_program(), arguments);
            EXPECT_TRUE((refused.out + refused.err).contains("Incorrect password"))
                << "opened without it";
            arguments.prepend(QStringLiteral("--password=") + password);
        }
        const ToolRun shown = run_tool(qpdf_program(), arguments);
        ASSERT_EQ(shown.exit_code, 0) << shown.err.toStdString();
        const QString report = QString::fromUtf8(shown.out);
        EXPECT_TRUE(report.contains(QStringLiteral("User password = ") + password + u'\n'))
            << report.toStdString();
        const QString allowed =
            c.print_and_copy ? QStringLiteral("allowed") : QStringLiteral("not allowed");
        EXPECT_TRUE(report.contains(QStringLiteral("print high resolution: ") + allowed))
            << report.toStdString();
        EXPECT_TRUE(report.contains(QStringLiteral("extract for any purpose: ") + allowed))
            << report.toStdString();
    }
}

TEST_F(PdfExport, FramesAreRectanglesOrSidesRightLeftBottomTop)
{
    REQUIRE_TOOL(qpdf_program(), "qpdf");
    const QString pdf = export_pdf(prepare(R"json({"version": 1, "pages": [{"bands": [
        {"kind": "report_title", "height": 400, "objects": [
          {"type": "text", "x": 100, "y": 100, "width": 50, "height": 20,
           "frame": {"sides": 12}},
          {"type": "text", "x": 100, "y": 150, "width": 50, "height": 20,
           "frame": {"sides": 15, "width": 2}},
          {"type": "text", "x": 100, "y": 300, "width": 50, "height": 20,
           "frame": {"sides": 2}},
          {"type": "text", "x": 150, "y": 300, "width": 50, "height": 20,
           "frame": {"sides": 2}}]}]}]})json"),
                                   QStringLiteral("frames.pdf"));
    const QString content = content_stream(pdf);
    // The lines of the page: one path of the same width, its segments in the order drawn.
    static const QRegularExpression path(
        QStringLiteral(R"re(0.5 w\s+((?:[\d.]+ [\d.]+ m\s+[\d.]+ [\d.]+ l\s+)+)S)re"));
    const auto found = path.match(content);
    ASSERT_TRUE(found.hasMatch()) << content.toStdString();
    static const QRegularExpression segment(
        QStringLiteral(R"re(([\d.]+) ([\d.]+) m\s+([\d.]+) ([\d.]+) l)re"));
    std::vector<std::array<double, 4>> lines;
    for (auto it = segment.globalMatch(found.captured(1)); it.hasNext();) {
        const auto match = it.next();
        lines.push_back({match.captured(1).toDouble(), match.captured(2).toDouble(),
                         match.captured(3).toDouble(), match.captured(4).toDouble()});
    }
    ASSERT_EQ(lines.size(), 3u) << content.toStdString();
    const double page_height = report_units::a4_height * 0.8;
    const double top = page_height - 80;
    // Left side first: a vertical line of the frame's height, less the line width.
    EXPECT_EQ(lines[0][0], 80);
    EXPECT_EQ(lines[0][2], 80);
    EXPECT_NEAR(lines[0][1], top, 0.01);
    EXPECT_NEAR(lines[0][3], top - 17 + 0.5, 0.01);
    // Then the top: a horizontal line.
    EXPECT_NEAR(lines[1][1], top, 0.01);
    EXPECT_NEAR(lines[1][3], top, 0.01);
    EXPECT_NEAR(lines[1][2], 80 + 41 - 0.5, 0.01);
    // The bottom sides of two cells side by side are one line.
    EXPECT_NEAR(lines[2][0], 80, 0.01);
    EXPECT_NEAR(lines[2][2], 120 + 41 - 0.5, 0.01);
    EXPECT_NEAR(lines[2][1], page_height - (240 + 17 - 1), 0.01);
    // All four solid sides are one rectangle, its line half a point thinner than the frame.
    static const QRegularExpression rectangle(
        QStringLiteral(R"re(1.5 w\s+80 ([\d.]+) 41 17 re\s+S)re"));
    EXPECT_TRUE(rectangle.match(content).hasMatch()) << content.toStdString();
}

TEST_F(PdfExport, RichTextLinesCentredOnThePageAndEmptyLinesEightPoints)
{
    REQUIRE_TOOL(qpdf_program(), "qpdf");
    Report report;
    report.set_template(template_from_json(R"json({"version": 1, "pages": [{"bands": [
        {"kind": "report_title", "height": 200, "objects": [
          {"type": "rich_text", "name": "RichText", "x": 50, "y": 100, "width": 200,
           "height": 100}]}]}]})json"));
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextCharFormat plain;
    plain.setFontPointSize(10);
    QTextCharFormat bold = plain;
    bold.setFontWeight(QFont::Bold);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.setBlockFormat(centred);
    cursor.insertText(QStringLiteral("x"), plain);
    cursor.insertBlock(QTextBlockFormat(), plain);
    cursor.insertBlock(QTextBlockFormat(), plain);
    cursor.insertText(QStringLiteral("tučně"), bold);
    cursor.insertText(QStringLiteral(" vlevo"), plain);
    ASSERT_TRUE(report.find_object(QStringLiteral("RichText"))->set_rich_text(document));
    const QString pdf = export_pdf(report.prepare(fixed_day()), QStringLiteral("rich.pdf"));
    const std::vector<ShownText> texts = shown_texts(content_stream(pdf));
    ASSERT_EQ(texts.size(), 3u);
    const double page_width = report_units::a4_width * 0.8;
    const double page_height = report_units::a4_height * 0.8;
    // Helvetica's "x" is half an em wide: centred on the page, not in its object.
    EXPECT_NEAR(texts[0].x, (page_width - 5) / 2, 0.01);
    EXPECT_NEAR(texts[0].y, page_height - 80 - 10, 0.01);
    EXPECT_EQ(texts[1].text, QByteArray(" "));
    EXPECT_NEAR(texts[1].y, page_height - 90 - 8, 0.01);
    EXPECT_NEAR(texts[2].x, 40, 0.01);
    EXPECT_NEAR(texts[2].y, page_height - 98 - 10, 0.01);
}

TEST_F(PdfExport, PictureAndBarcodesArePrinted)
{
    REQUIRE_TOOL(pdftoppm_program(), "pdftoppm");
    REQUIRE_TOOL(zbarimg_program(), "zbarimg");
    const QString payment =
        QStringLiteral("SPD*1.0*ACC:CZ6508000000192000145399*AM:1234.50*CC:CZK");
    const PreparedReport prepared = prepare(R"json({"version": 1, "pages": [{"bands": [
        {"kind": "report_title", "height": 700, "objects": [
          {"type": "picture", "x": 300, "y": 20, "width": 200, "height": 100,
           "mode": "keep_aspect", "file": "logo.png", "frame": {"sides": 15}},
          {"type": "barcode", "x": 40, "y": 150, "width": 200, "height": 200,
           "error_level": "M", "text": ["SPD*1.0*ACC:CZ6508000000192000145399*AM:1234.50*CC:CZK"]},
          {"type": "barcode", "symbology": "code128", "x": 40, "y": 450, "width": 400,
           "height": 80, "quiet_zone": 10, "text": ["FV2026000123"]}]}]}]})json");
    const QString pdf = export_pdf(prepared, QStringLiteral("codes.pdf"));
    const ToolRun render =
        run_tool(pdftoppm_program(), {"-png", "-r", "150", "-singlefile", pdf, path("codes")});
    ASSERT_EQ(render.exit_code, 0) << render.err.toStdString();
    const ToolRun read = run_tool(zbarimg_program(), {"--quiet", path("codes.png")});
    const QString decoded = QString::fromUtf8(read.out);
    EXPECT_TRUE(decoded.contains(QStringLiteral("QR-Code:") + payment)) << decoded.toStdString();
    EXPECT_TRUE(decoded.contains(QStringLiteral("CODE-128:FV2026000123"))) << decoded.toStdString();
    const ToolRun check = run_tool(qpdf_program(), {"--check", pdf});
    EXPECT_EQ(check.exit_code, 0) << check.out.toStdString();
    // The picture went through the working JPEG file into the document.
    EXPECT_TRUE(content_stream(pdf).contains(QStringLiteral("/DCTDecode")));
}

TEST_F(PdfExport, LibHaruErrorKeepsTheExistingFile)
{
    const QString target = path(QStringLiteral("kept.pdf"));
    {
        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("the earlier export");
    }
    Report report;
    report.set_template(template_from_json(R"json({"version": 1, "pages": [{"bands": [
        {"kind": "report_title", "height": 100}]}]})json"));
    // libHaru refuses a font of a thousand points.
    ASSERT_TRUE(report.add_text_object(0, QRectF(0, 10, 100, 20), FontStyle{"Arial", 1000},
                                       {QStringLiteral("obří")}));
    TfrTNPDFExportFilter filter({{}, 20, path(QStringLiteral("picture.jpg"))});
    try {
        export_to_file(report.prepare(fixed_day()), filter, target);
        FAIL() << "libHaru took a font of 1000 points";
    } catch (const ReportError &error) {
        static const QRegularExpression message(
            QStringLiteral("^Během vytváření PDF dokumentu došlo k chybě: [1-9]\\d*-\\d+$"));
        EXPECT_TRUE(message.match(error.message()).hasMatch()) << error.message().toStdString();
    }
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("the earlier export"));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"kept.pdf"});
}

TEST_F(PdfExport, DamagedJpegRaisesAfterTheDocumentIsFreed)
{
    const QString damaged = path(QStringLiteral("damaged.jpg"));
    {
        QFile file(damaged);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\xFF\xD8 not a picture");
    }
    THaruPdf pdf("CP1250");
    EXPECT_THROW(pdf.draw_jpeg(damaged, 10, 10, 0, 0, 1.0), ReportError);
    // A missing file is left out without a word.
    THaruPdf other("CP1250");
    EXPECT_NO_THROW(other.draw_jpeg(path(QStringLiteral("missing.jpg")), 10, 10, 0, 0, 1.0));
    EXPECT_FALSE(other.save().isEmpty());
}

TEST_F(PdfExport, RegisteredWithItsDescriptionAndMask)
{
    EXPECT_EQ(TfrTNPDFExportFilter::description, QStringLiteral("Adobe Acrobat PDF  (*.pdf)"));
    EXPECT_EQ(TfrTNPDFExportFilter::mask, QStringLiteral("*.pdf"));
    EXPECT_EQ(TfrTNPDFExportFilter::owner_password.size(), 5);
}

} // namespace
