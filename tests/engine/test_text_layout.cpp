#include "engine/text_layout.h"

#include "report_fixture.h"

#include <gtest/gtest.h>

namespace {

class TextLayout : public testing::Test {
protected:
    std::vector<QString> broken(const QString &text, double width, bool wrap = true)
    {
        std::vector<QString> lines;
        for (const BrokenLine &line : break_text(m_fonts, m_font, text, width, wrap))
            lines.push_back(line.text);
        return lines;
    }

    double width(const QString &text) { return m_fonts.width(m_font, text); }

    FontBook m_fonts;
    int m_font = m_fonts.font(FontStyle{"Arial", 10});
};

TEST_F(TextLayout, BreaksAtSpacesAndInsideWordsTooLongForALine)
{
    const double three_words = width(QStringLiteral("jedna dva tři"));
    EXPECT_EQ(broken(QStringLiteral("jedna dva tři čtyři pět"), three_words),
              (std::vector<QString>{"jedna dva tři", "čtyři pět"}));
    // A word wider than the object breaks at the last character that fits.
    const double four_letters = width(QStringLiteral("Nejn"));
    EXPECT_EQ(broken(QStringLiteral("Nejneobhospodařovávatelnější"), four_letters).front(),
              QStringLiteral("Nejn"));
    for (const QString &line : broken(QStringLiteral("Nejneobhospodařovávatelnější"), four_letters))
        EXPECT_LE(width(line), four_letters + 0.01);
    // Line breaks of the text always break; without word wrap nothing else does.
    EXPECT_EQ(broken(QStringLiteral("a\r\nb\nc d"), 1000), (std::vector<QString>{"a", "b", "c d"}));
    EXPECT_EQ(broken(QStringLiteral("jedna dva tři čtyři"), 10, false),
              std::vector<QString>{"jedna dva tři čtyři"});
    // Padding spaces keep their columns.
    EXPECT_EQ(broken(QStringLiteral("     celkem  12"), 1000),
              std::vector<QString>{"     celkem  12"});
    EXPECT_EQ(broken(QString(), 100), std::vector<QString>{QString()});
}

TEST_F(TextLayout, PlacesLinesByAlignmentAndDropsThoseBelowTheBottom)
{
    const double line_height = m_fonts.prepared(m_font).height;
    const std::vector<BrokenLine> lines = {{"a", 10}, {"", 0}, {"ccc", 30}};
    const QRectF rect(100, 200, 50, line_height * 4);
    struct Case {
        HAlign align;
        VAlign valign;
        double first_x;
        double first_y;
    };
    for (const Case c : {Case{HAlign::Left, VAlign::Top, 100, 200},
                         Case{HAlign::Center, VAlign::Center, 120, 200 + line_height / 2},
                         Case{HAlign::Right, VAlign::Bottom, 140, 200 + line_height}}) {
        const std::vector<TextLine> placed =
            place_lines(lines, line_height, rect, c.align, c.valign);
        // The empty line keeps its place and prints nothing.
        ASSERT_EQ(placed.size(), 2u);
        EXPECT_EQ(placed[0].position, QPointF(c.first_x, c.first_y));
        EXPECT_DOUBLE_EQ(placed[1].position.y(), c.first_y + 2 * line_height);
    }
    // An object too low for its text shows the lines that fit, and always the first.
    EXPECT_EQ(place_lines(lines, line_height, QRectF(0, 0, 50, line_height / 2), HAlign::Left,
                          VAlign::Bottom)
                  .size(),
              1u);
}

TEST_F(TextLayout, FontsOfTheSameSpecShareTheirMetrics)
{
    EXPECT_EQ(m_fonts.font(FontStyle{"Arial", 10}), m_font);
    const int bold = m_fonts.font(FontStyle{"Arial", 10, true});
    EXPECT_NE(bold, m_font);
    EXPECT_GT(width(QStringLiteral("Příliš")), 0);
    EXPECT_GT(m_fonts.width(bold, QStringLiteral("rrr")), width(QStringLiteral("rrr")));
    // Ten points are 12.5 report units; a line is a little taller than that.
    EXPECT_GT(m_fonts.prepared(m_font).height, 12.5);
    EXPECT_LT(m_fonts.prepared(m_font).height, 16);
    // "Arial CE" is Arial.
    const int ce = m_fonts.font(FontStyle{"Arial CE", 10});
    EXPECT_DOUBLE_EQ(m_fonts.width(ce, QStringLiteral("Účet")), width(QStringLiteral("Účet")));
}

} // namespace
