#include "engine/text_layout.h"

#include <algorithm>

namespace {

// Slack for widths that are equal but for rounding.
constexpr double tolerance = 0.01;

// Chops off the pieces of the word that fill a whole line; what is left begins the next
// line, and its position in the paragraph is returned.
qsizetype break_word(const FontBook &fonts, int font, QStringView paragraph, qsizetype begin,
                     qsizetype end, double width, std::vector<BrokenLine> &lines)
{
    while (begin < end &&
           fonts.width(font, paragraph.sliced(begin, end - begin)) > width + tolerance) {
        const QStringView word = paragraph.sliced(begin, end - begin);
        qsizetype fits = 1;
        while (fits < word.size() && fonts.width(font, word.first(fits + 1)) <= width + tolerance)
            ++fits;
        if (fits < word.size() && word.at(fits - 1).isHighSurrogate())
            ++fits;
        lines.push_back({word.first(fits).toString(), fonts.width(font, word.first(fits))});
        begin += fits;
    }
    return begin;
}

// Words are measured one by one and their widths summed with the spaces between them, so a
// long paragraph costs one measurement per word, not one per word and line length.  A line
// is a stretch of the paragraph between two positions, copied out once when it is complete.
void break_paragraph(const FontBook &fonts, int font, const QString &paragraph, double width,
                     std::vector<BrokenLine> &lines)
{
    const double whole = fonts.width(font, paragraph);
    if (whole <= width + tolerance) {
        lines.push_back({paragraph, whole});
        return;
    }
    const QStringView text(paragraph);
    const auto line_of = [&](qsizetype begin, qsizetype end) {
        const QStringView line = text.sliced(begin, end - begin);
        return BrokenLine{line.toString(), fonts.width(font, line)};
    };
    const double space = fonts.width(font, QStringLiteral(" "));
    qsizetype line_begin = 0;
    qsizetype line_end = 0;
    double line_width = 0.0;
    bool started = false;
    for (qsizetype word_begin = 0;;) {
        const qsizetype space_at = paragraph.indexOf(u' ', word_begin);
        const qsizetype word_end = space_at < 0 ? paragraph.size() : space_at;
        const double word_width = fonts.width(font, text.sliced(word_begin, word_end - word_begin));
        const double candidate = started ? line_width + space + word_width : word_width;
        if (candidate <= width + tolerance) {
            if (!started)
                line_begin = word_begin;
            line_end = word_end;
            line_width = candidate;
            started = true;
        } else {
            if (started && line_end > line_begin)
                lines.push_back(line_of(line_begin, line_end));
            line_begin = break_word(fonts, font, text, word_begin, word_end, width, lines);
            line_end = word_end;
            line_width = fonts.width(font, text.sliced(line_begin, line_end - line_begin));
            started = true;
        }
        if (space_at < 0)
            break;
        word_begin = space_at + 1;
    }
    if (line_end > line_begin || lines.empty())
        lines.push_back(line_of(line_begin, line_end));
}

} // namespace

std::vector<BrokenLine> break_text(const FontBook &fonts, int font, const QString &text,
                                   double width, bool word_wrap)
{
    std::vector<BrokenLine> lines;
    break_text_into(lines, fonts, font, text, width, word_wrap);
    return lines;
}

void break_text_into(std::vector<BrokenLine> &lines, const FontBook &fonts, int font,
                     const QString &text, double width, bool word_wrap)
{
    lines.clear();
    const auto add_paragraph = [&](const QString &paragraph) {
        if (word_wrap && width > 0)
            break_paragraph(fonts, font, paragraph, width, lines);
        else
            lines.push_back({paragraph, fonts.width(font, paragraph)});
    };
    // Most cells of a long list are one line: no copy and no split for them.
    if (std::none_of(text.cbegin(), text.cend(),
                     [](QChar c) { return c == u'\n' || c == u'\r'; })) {
        add_paragraph(text);
        return;
    }
    QString normalized = text;
    normalized.remove(u'\r');
    for (const QString &paragraph : normalized.split(u'\n'))
        add_paragraph(paragraph);
}

std::vector<TextLine> place_lines(const std::vector<BrokenLine> &lines, double line_height,
                                  const QRectF &rect, HAlign align, VAlign valign)
{
    const double needed = line_height * double(lines.size());
    double top = rect.top();
    if (valign == VAlign::Center)
        top += (rect.height() - needed) / 2;
    else if (valign == VAlign::Bottom)
        top += rect.height() - needed;
    top = std::max(top, rect.top());
    std::vector<TextLine> placed;
    placed.reserve(lines.size());
    for (const BrokenLine &line : lines) {
        if (top > rect.top() && top + line_height > rect.bottom() + tolerance)
            break;
        if (line.text.isEmpty()) {
            top += line_height;
            continue;
        }
        double x = rect.left();
        if (align == HAlign::Center)
            x += (rect.width() - line.width) / 2;
        else if (align == HAlign::Right)
            x += rect.width() - line.width;
        placed.push_back({QPointF(x, top), line.text});
        top += line_height;
    }
    return placed;
}
