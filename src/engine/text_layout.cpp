#include "engine/text_layout.h"

namespace {

// Slack for widths that are equal but for rounding.
constexpr double tolerance = 0.01;

void break_word(const FontBook &fonts, int font, QString word, double width,
                std::vector<BrokenLine> &lines, QString &current)
{
    while (!word.isEmpty() && fonts.width(font, word) > width + tolerance) {
        qsizetype fits = 1;
        while (fits < word.size() && fonts.width(font, word.left(fits + 1)) <= width + tolerance)
            ++fits;
        if (fits < word.size() && word.at(fits - 1).isHighSurrogate())
            ++fits;
        lines.push_back({word.left(fits), fonts.width(font, word.left(fits))});
        word.remove(0, fits);
    }
    current = word;
}

// Words are measured one by one and their widths summed with the spaces between them, so a
// long paragraph costs one measurement per word, not one per word and line length.
void break_paragraph(const FontBook &fonts, int font, const QString &paragraph, double width,
                     std::vector<BrokenLine> &lines)
{
    const double whole = fonts.width(font, paragraph);
    if (whole <= width + tolerance) {
        lines.push_back({paragraph, whole});
        return;
    }
    const double space = fonts.width(font, QStringLiteral(" "));
    QString current;
    double current_width = 0.0;
    bool started = false;
    for (const QString &word : paragraph.split(u' ')) {
        const double word_width = fonts.width(font, word);
        const double candidate = started ? current_width + space + word_width : word_width;
        if (candidate <= width + tolerance) {
            current = started ? current + u' ' + word : word;
            current_width = candidate;
            started = true;
            continue;
        }
        if (started && !current.isEmpty())
            lines.push_back({current, fonts.width(font, current)});
        break_word(fonts, font, word, width, lines, current);
        current_width = fonts.width(font, current);
        started = true;
    }
    if (!current.isEmpty() || lines.empty())
        lines.push_back({current, fonts.width(font, current)});
}

} // namespace

std::vector<BrokenLine> break_text(const FontBook &fonts, int font, const QString &text,
                                   double width, bool word_wrap)
{
    std::vector<BrokenLine> lines;
    const auto add_paragraph = [&](const QString &paragraph) {
        if (word_wrap && width > 0)
            break_paragraph(fonts, font, paragraph, width, lines);
        else
            lines.push_back({paragraph, fonts.width(font, paragraph)});
    };
    // Most cells of a long list are one line: no copy and no split for them.
    if (!text.contains(u'\n') && !text.contains(u'\r')) {
        add_paragraph(text);
        return lines;
    }
    QString normalized = text;
    normalized.remove(u'\r');
    for (const QString &paragraph : normalized.split(u'\n'))
        add_paragraph(paragraph);
    return lines;
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
