#include "data/rtf_reader.h"
#include "data/rtf_writer.h"

#include <QFile>
#include <QFont>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <utility>
#include <vector>

namespace {

const QString czech_alphabet = QStringLiteral("ÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ áčďéěíňóřšťúůýž");
const QString pangram = QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy");

QByteArray fixture(const char *name)
{
    QFile file(QStringLiteral(TALLYRA_RTF_FIXTURES "/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

QString describe(const QTextCharFormat &format, const QFont &default_font)
{
    const QFont font = format.font().resolve(default_font);
    QString text = QString::number(font.pointSizeF()) + "pt";
    if (!font.families().value(0).isEmpty())
        text += ' ' + font.families().value(0);
    if (font.bold())
        text += " b";
    if (font.italic())
        text += " i";
    if (font.underline())
        text += " u";
    if (format.foreground().style() != Qt::NoBrush)
        text += ' ' + format.foreground().color().name();
    return text;
}

QString list_name(QTextListFormat::Style style)
{
    switch (style) {
    case QTextListFormat::ListDisc:
        return "disc";
    case QTextListFormat::ListDecimal:
        return "decimal";
    case QTextListFormat::ListLowerAlpha:
        return "lower-alpha";
    default:
        return "other-list";
    }
}

// One line per paragraph (alignment, list and its ordinal, the paragraph mark's format when
// the paragraph is empty), then one line per run of equal formatting.
QString dump(const QTextDocument &document)
{
    QString out;
    std::vector<const QTextList *> lists;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const Qt::Alignment alignment =
            block.blockFormat().alignment() & Qt::AlignHorizontal_Mask & ~Qt::AlignAbsolute;
        out += alignment == Qt::AlignHCenter   ? "center"
               : alignment == Qt::AlignRight   ? "right"
               : alignment == Qt::AlignJustify ? "justify"
                                               : "left";
        if (const QTextList *list = block.textList()) {
            if (std::find(lists.begin(), lists.end(), list) == lists.end())
                lists.push_back(list);
            out += ' ' + list_name(list->format().style()) + '#' +
                   QString::number(std::find(lists.begin(), lists.end(), list) - lists.begin() + 1);
        }
        if (block.text().isEmpty())
            out += " mark " + describe(block.charFormat(), document.defaultFont());
        out += '\n';

        QString run_text;
        QString run_format;
        const auto flush = [&] {
            if (!run_text.isEmpty())
                out += "  \"" + run_text + "\" " + run_format + '\n';
            run_text.clear();
        };
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QString format = describe(it.fragment().charFormat(), document.defaultFont());
            if (format != run_format)
                flush();
            run_format = format;
            run_text += it.fragment().text();
        }
        flush();
    }
    return out;
}

// The raw text of the paragraphs, one a line; unlike toPlainText it keeps line breaks
// (U+2028) and no-break spaces as they are.
QString raw_text(const QTextDocument &document)
{
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        lines << block.text();
    return lines.join('\n');
}

QTextCharFormat char_format(const QString &family, double points, const QColor &colour = {},
                            const QString &styles = {})
{
    QTextCharFormat format;
    format.setFontFamilies({family});
    format.setFontPointSize(points);
    format.setFontWeight(styles.contains('b') ? QFont::Bold : QFont::Normal);
    format.setFontItalic(styles.contains('i'));
    format.setFontUnderline(styles.contains('u'));
    if (colour.isValid())
        format.setForeground(colour);
    return format;
}

QTextBlockFormat aligned(Qt::Alignment alignment)
{
    QTextBlockFormat format;
    format.setAlignment(alignment);
    return format;
}

// Everything the rich-text panel can give a text, and what users paste into it.
void fill_with_every_attribute(QTextDocument &document)
{
    document.setDefaultFont(QFont("Arial", 11));
    QTextCursor cursor(&document);
    const QTextCharFormat plain = char_format("Arial", 11);
    cursor.insertText("Tučné ", char_format("Arial", 11, {}, "b"));
    cursor.insertText("kurzíva ", char_format("Arial", 11, {}, "i"));
    cursor.insertText("podtržené", char_format("Arial", 11, {}, "u"));
    cursor.insertText(" vše", char_format("Arial", 11, {}, "biu"));
    cursor.insertText(QString("\ttabulátor") + QChar::LineSeparator + "druhý řádek", plain);

    cursor.insertBlock(aligned(Qt::AlignHCenter), plain);
    cursor.insertText(pangram, char_format("Times New Roman", 16, QColor(192, 0, 0)));
    cursor.insertBlock(aligned(Qt::AlignRight), plain);
    cursor.insertText(czech_alphabet, char_format("Courier New", 10.5, QColor(128, 128, 128)));

    cursor.insertBlock(aligned(Qt::AlignLeft), plain);
    cursor.createList(QTextListFormat::ListDisc);
    cursor.insertText("první odrážka", plain);
    cursor.insertBlock();
    cursor.insertText("druhá ", plain);
    cursor.insertText("odrážka", char_format("Arial", 11, {}, "b"));

    cursor.insertBlock(QTextBlockFormat(), char_format("Arial", 8, QColor(0, 0, 255), "i"));
    cursor.insertBlock(QTextBlockFormat(), plain);
    cursor.createList(QTextListFormat::ListDisc);
    cursor.insertText("nový seznam", plain);

    cursor.insertBlock(aligned(Qt::AlignJustify), plain);
    cursor.insertText(
        QString("mimo 1250: → Ж 😀 ") + QChar(0xF0B7) + QChar::Nbsp + " € ő a RTF \\ { } ;", plain);
    cursor.insertBlock(QTextBlockFormat(), plain);
    cursor.createList(QTextListFormat::ListDecimal);
    cursor.insertText("číslovaná", plain);
    cursor.insertBlock();
    cursor.insertText("položka", plain);
    cursor.insertBlock(QTextBlockFormat(), plain);
    cursor.createList(QTextListFormat::ListDecimal);
    cursor.insertText("číslování znovu od jedné", plain);
}

// What the credit note takes over from its invoice: the old text in 8-point grey italics
// under an empty line, a separator and an empty line in 11-point black.
void fill_as_quoted_credit_note(QTextDocument &document)
{
    document.setDefaultFont(QFont("Arial", 11));
    QTextCursor cursor(&document);
    const QTextCharFormat black = char_format("Arial", 11, QColor(0, 0, 0));
    const QTextCharFormat grey = char_format("Arial", 8, QColor(128, 128, 128), "i");
    cursor.setBlockCharFormat(black);
    cursor.insertBlock(QTextBlockFormat(), black);
    cursor.insertText(QString(28, '-'), black);
    cursor.insertBlock(QTextBlockFormat(), black);
    cursor.insertBlock(QTextBlockFormat(), grey);
    cursor.insertText("Fakturujeme Vám za služby:", grey);
    cursor.insertBlock(aligned(Qt::AlignRight), grey);
    cursor.insertText("Celkem ", grey);
    cursor.insertText("1 250,00 Kč", char_format("Arial", 8, QColor(128, 128, 128), "bi"));
}

QString round_trip_dump(const QTextDocument &original)
{
    QTextDocument copy;
    EXPECT_TRUE(read_rtf_into(copy, rtf_from_document(original)));
    return dump(copy);
}

TEST(RtfFixture, LibreOfficeTextLoadsWithItsAttributesOnTheRightRuns)
{
    QTextDocument document;
    ASSERT_TRUE(read_rtf_into(document, fixture("libreoffice_attributes.rtf")));
    EXPECT_EQ(dump(document).toStdString(),
              "left\n"
              "  \"Tučné\" 11pt Liberation Sans b\n"
              "  \" \" 11pt Liberation Sans\n"
              "  \"kurzíva\" 11pt Liberation Sans i\n"
              "  \" \" 11pt Liberation Sans\n"
              "  \"podtržené\" 11pt Liberation Sans u\n"
              "  \" obyčejné\" 11pt Liberation Sans\n"
              "center\n"
              "  \"Příliš žluťoučký kůň úpěl ďábelské ódy\" 16pt Liberation Serif #c00000\n"
              "right\n"
              "  \"ÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ áčďéěíňóřšťúůýž\" 8pt Liberation Sans i #808080\n"
              "left disc#1\n"
              "  \"první odrážka\" 11pt Liberation Sans\n"
              "left disc#1\n"
              "  \"druhá \" 11pt Liberation Sans\n"
              "  \"odrážka\" 11pt Liberation Sans b\n"
              "left\n"
              "  \"konec\" 11pt Liberation Sans\n");
}

TEST(RtfRoundTrip, EveryAttributeThePanelGivesSurvives)
{
    QTextDocument original;
    fill_with_every_attribute(original);
    EXPECT_EQ(round_trip_dump(original).toStdString(), dump(original).toStdString());

    QTextDocument empty;
    EXPECT_EQ(round_trip_dump(empty).toStdString(), "left mark 12pt\n");
}

TEST(RtfRoundTrip, QuotedCreditNoteTextKeepsItsSeparatorAndGreyItalics)
{
    QTextDocument original;
    fill_as_quoted_credit_note(original);
    QTextDocument copy;
    ASSERT_TRUE(read_rtf_into(copy, rtf_from_document(original)));
    EXPECT_EQ(dump(copy).toStdString(), "left mark 11pt Arial #000000\n"
                                        "left\n"
                                        "  \"----------------------------\" 11pt Arial #000000\n"
                                        "left mark 11pt Arial #000000\n"
                                        "left\n"
                                        "  \"Fakturujeme Vám za služby:\" 8pt Arial i #808080\n"
                                        "right\n"
                                        "  \"Celkem \" 8pt Arial i #808080\n"
                                        "  \"1 250,00 Kč\" 8pt Arial b i #808080\n");
    EXPECT_EQ(dump(copy), dump(original));
}

// Our RTF of these documents, opened and saved again by LibreOffice.
TEST(RtfFixture, LibreOfficeKeepsWhatWeWrote)
{
    const std::vector<std::pair<const char *, void (*)(QTextDocument &)>> cases = {
        {"libreoffice_resaved_every_attribute.rtf", fill_with_every_attribute},
        {"libreoffice_resaved_credit_note.rtf", fill_as_quoted_credit_note},
    };
    for (const auto &[name, fill] : cases) {
        QTextDocument original;
        fill(original);
        QTextDocument resaved;
        ASSERT_TRUE(read_rtf_into(resaved, fixture(name))) << name;
        EXPECT_EQ(dump(resaved).toStdString(), dump(original).toStdString()) << name;
    }
}

TEST(RtfWriter, WritesCzechInCodePage1250AndTheRestAsUnicode)
{
    QTextDocument document;
    QTextCursor(&document).insertText(czech_alphabet + QString("→😀") + QChar(0xF0B7));
    const QByteArray rtf = rtf_from_document(document);

    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1250"));
    EXPECT_TRUE(rtf.contains("\\fcharset238"));
    for (const char c : rtf)
        ASSERT_TRUE(c > 0 && c < 0x7F) << "not 7-bit: " << int(c);
    EXPECT_TRUE(rtf.contains("\\'c1\\'c8\\'cf\\'c9\\'cc\\'cd\\'d2\\'d3\\'d8\\'8a\\'8d\\'da\\'d9"
                             "\\'dd\\'8e \\'e1\\'e8\\'ef\\'e9\\'ec\\'ed\\'f2\\'f3\\'f8\\'9a"
                             "\\'9d\\'fa\\'f9\\'fd\\'9e"));
    EXPECT_TRUE(rtf.contains("\\u8594?\\u-10179?\\u-8704?\\u-3913?"));
}

struct ReadCase {
    const char *name;
    QByteArray rtf;
    QString text;
};

// How other writers put letters and special characters.
TEST(RtfReader, DecodesTheWaysOtherWritersPutCharacters)
{
    const std::vector<ReadCase> cases = {
        {"cp1250 document", "{\\rtf1\\ansi\\ansicpg1250 \\'e8\\'9a\\'f8}", "čšř"},
        {"1252 by default", "{\\rtf1\\ansi \\'e8\\'9a\\'80}", "èš€"},
        {"raw 8-bit text", "{\\rtf1\\ansi\\ansicpg1250 \xe8\x9a}", "čš"},
        {"Czech font in a 1252 document",
         "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f1\\fcharset238 Arial CE;}}"
         "\\f1\\'e8\\f0\\'e8}",
         "čè"},
        {"cp1251 document", "{\\rtf1\\ansi\\ansicpg1251 \\'c6}", "Ж"},
        {"unicode with one fallback byte", "{\\rtf1\\uc1\\u269\\'e8\\u345?x}", "čřx"},
        {"unicode with two fallback bytes", "{\\rtf1\\uc2\\u269\\'e8\\'e8x}", "čx"},
        {"fallback count is per group", "{\\rtf1{\\uc0 \\u269 a}\\u269?b}", "čačb"},
        {"fallback ends at a brace", "{\\rtf1\\uc3\\u269{b}c}", "čbc"},
        {"negative unicode", "{\\rtf1\\u-3913?\\u-10179?\\u-8704?}", QString(QChar(0xF0B7)) + "😀"},
        {"unicode beyond 16 bits", "{\\rtf1\\u128512?}", "😀"},
        {"escaped braces and backslash", "{\\rtf1 \\{a\\}\\\\b}", "{a}\\b"},
        {"line, tab and special spaces", "{\\rtf1 a\\line b\\tab c\\~d\\emdash}",
         QString("a") + QChar::LineSeparator + "b\tc" + QChar::Nbsp + "d—"},
        {"paragraphs", "{\\rtf1 a\\par b\\par\\par c}", "a\nb\n\nc"},
        {"final \\par makes no empty paragraph", "{\\rtf1 a\\par}", "a"},
        {"unknown words ignored", "{\\rtf1\\foo12\\barbaz a\\qux-5 b}", "ab"},
        {"optional destinations skipped", "{\\rtf1{\\*\\unknown x{y}}a{\\*\\generator W;}b}", "ab"},
        {"header tables and info skipped",
         "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1\\green2\\blue3;}"
         "{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}{\\author A}}text}",
         "text"},
        {"pictures with binary data skipped", "{\\rtf1{\\pict\\bin5 }}{{\\ }a}", "a"},
        {"field result kept, instruction skipped",
         "{\\rtf1{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt odkaz}}}", "odkaz"},
        {"list fallback text skipped", "{\\rtf1{\\listtext\\'95\\tab}a{\\pntext 1.\\tab}b}", "ab"},
    };
    for (const ReadCase &c : cases) {
        QTextDocument document;
        ASSERT_TRUE(read_rtf_into(document, c.rtf)) << c.name;
        EXPECT_EQ(raw_text(document), c.text) << c.name;
    }
}

TEST(RtfReader, SwitchesResetsAndGroupsSetTheFormats)
{
    QTextDocument document;
    ASSERT_TRUE(read_rtf_into(
        document,
        "{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0 Times;}{\\f1\\fswiss Arial{\\*\\falt Helvetica};}}"
        "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
        "\\qc\\fs20\\b\\i\\ul\\cf1 A\\b0 B\\ulnone C\\cf0 D\\i0\\ul E\\ul0 F\\plain G\\par "
        "{\\f0\\fs32\\b\\cf2 H}I\\par "
        "\\pard J\\qr{\\qc}K\\par}"));
    EXPECT_EQ(dump(document).toStdString(), "center\n"
                                            "  \"A\" 10pt Arial b i u #ff0000\n"
                                            "  \"B\" 10pt Arial i u #ff0000\n"
                                            "  \"C\" 10pt Arial i #ff0000\n"
                                            "  \"D\" 10pt Arial i\n"
                                            "  \"E\" 10pt Arial u\n"
                                            "  \"F\" 10pt Arial\n"
                                            "  \"G\" 12pt Arial\n"
                                            "center\n"
                                            "  \"H\" 16pt Times b #0000ff\n"
                                            "  \"I\" 12pt Arial\n"
                                            "right\n"
                                            "  \"JK\" 12pt Arial\n");
}

TEST(RtfReader, ReadsOldAndNewListForms)
{
    // WordPad and Word 95 number paragraphs with \pn; Word 97 and later with list tables.
    const QByteArray old_form =
        "{\\rtf1{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1{\\pntxtb\\'b7}}one\\par "
        "{\\pntext\\'b7\\tab}two\\par\\pard plain\\par "
        "{\\*\\pn\\pnlvlbody\\pndec\\pnstart1}first\\par second\\par}";
    const QByteArray new_form =
        "{\\rtf1{\\*\\listtable{\\list\\listtemplateid7{\\listlevel\\levelnfc0{\\leveltext"
        "\\'02\\'00.;}}{\\listlevel\\levelnfc23}\\listid70}{\\list{\\listlevel\\levelnfc23"
        "{\\leveltext\\'01\\u8226 ?;}}\\listid80}}"
        "{\\*\\listoverridetable{\\listoverride\\listid80\\ls1}{\\listoverride\\listid70\\ls2}}"
        "{\\listtext\\'95\\tab}\\pard\\ls1 one\\par{\\listtext\\'95\\tab}two\\par"
        "\\pard plain\\par{\\listtext 1.\\tab}\\pard\\ls2 first\\par second\\par\\ls9 "
        "unknown\\par}";
    for (const QByteArray &rtf : {old_form, new_form}) {
        QTextDocument document;
        ASSERT_TRUE(read_rtf_into(document, rtf));
        const QString text = dump(document);
        EXPECT_TRUE(text.startsWith("left disc#1\n  \"one\" 12pt\n"
                                    "left disc#1\n  \"two\" 12pt\n"
                                    "left\n  \"plain\" 12pt\n"
                                    "left decimal#2\n  \"first\" 12pt\n"
                                    "left decimal#2\n  \"second\" 12pt\n"))
            << text.toStdString();
    }
    QTextDocument document;
    ASSERT_TRUE(read_rtf_into(document, new_form));
    EXPECT_TRUE(dump(document).endsWith("left disc#3\n  \"unknown\" 12pt\n"));
}

struct DamagedCase {
    const char *name;
    QByteArray rtf;
    bool is_rtf;
    QString text;
};

TEST(RtfReader, DamagedInputNeverCrashesAndGivesWhatWasRead)
{
    const int depth = 100000;
    const QByteArray deep_nest =
        "{\\rtf1 " + QByteArray(depth, '{') + "\\b deep" + QByteArray(depth, '}') + " after}";
    std::mt19937 random(20240601);
    QByteArray junk = "{\\rtf1 ";
    for (int i = 0; i < 200000; ++i)
        junk += static_cast<char>(random() & 0xFF);

    const std::vector<DamagedCase> cases = {
        {"empty input", "", false, ""},
        {"plain text", "Dobrý den,\r\nposílám fakturu.", false, ""},
        {"HTML", "<html><body>{\\rtf1</body></html>", false, ""},
        {"only the opening", "{\\rtf1", true, ""},
        {"cut off in the text", "{\\rtf1\\ansi\\ansicpg1250 k\\'f9\\'f2 \\b tu\\'e8", true,
         "kůň tuč"},
        {"cut off in a control word", "{\\rtf1 a\\fs2", true, "a"},
        {"cut off after a backslash", "{\\rtf1 a\\", true, "a"},
        {"cut off in a hex escape", "{\\rtf1 a\\'e", true, "ae"},
        {"cut off in a header table", "{\\rtf1{\\fonttbl{\\f0 Ari", true, ""},
        {"bad hex escape", "{\\rtf1 \\'zz}", true, "zz"},
        {"too many closing braces", "{\\rtf1 a}}}b", true, "a"},
        {"unclosed groups", "{\\rtf1{{{a\\par{b", true, "a\nb"},
        {"byte-order mark and spaces first", "\xEF\xBB\xBF \r\n{\\rtf1 a}", true, "a"},
        {"huge numbers", "{\\rtf1\\fs99999999999999999999 x\\u99999999999?y\\uc-5\\u269 z}", true,
         "xyčz"},
        {"unicode of a control character", "{\\rtf1 a\\u0?\\u7?b}", true, "ab"},
        {"huge binary length", "{\\rtf1 a\\bin999999999999 {}}}", true, "a"},
        {"negative binary length", "{\\rtf1 a\\bin-5 b}", true, "ab"},
        {"deep nest", deep_nest, true, "deep after"},
        {"deep nest never closed", "{\\rtf1 " + QByteArray(depth, '{') + "x", true, "x"},
    };
    for (const DamagedCase &c : cases) {
        QTextDocument document;
        EXPECT_EQ(read_rtf_into(document, c.rtf), c.is_rtf) << c.name;
        EXPECT_EQ(raw_text(document), c.text) << c.name;
    }

    QTextDocument document;
    EXPECT_TRUE(read_rtf_into(document, junk));
}

TEST(RtfReader, InputThatIsNotRtfLeavesTheDocumentAlone)
{
    QTextDocument document;
    QTextCursor(&document).insertText("původní text");
    EXPECT_FALSE(read_rtf_into(document, "původní text nahrazený"));
    EXPECT_EQ(raw_text(document), "původní text");

    EXPECT_TRUE(read_rtf_into(document, "{\\rtf1\\ansicpg1250 nov\\'fd}"));
    EXPECT_EQ(raw_text(document), "nový");
    EXPECT_FALSE(document.isUndoAvailable());
}

} // namespace
