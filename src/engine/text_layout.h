#pragma once
// Breaks an object's text into lines that fit its width and places them in its rectangle.

#include "engine/font_book.h"
#include "engine/report_object.h"

#include <vector>

struct BrokenLine {
    QString text;
    double width = 0.0;
};

// Paragraphs end at line breaks; with word wrap each is broken at spaces, and a word wider
// than the object at the last character that fits.  Spaces are kept as written, so texts
// padded with spaces keep their columns.
std::vector<BrokenLine> break_text(const FontBook &fonts, int font, const QString &text,
                                   double width, bool word_wrap);
// The same into `lines`, emptied first: a long list breaks its cells one after another into
// one buffer that keeps its room.
void break_text_into(std::vector<BrokenLine> &lines, const FontBook &fonts, int font,
                     const QString &text, double width, bool word_wrap);

// The lines aligned in the rectangle.  Lines below its bottom are left out, except the first,
// which is always printed; empty lines keep their place but print nothing.
std::vector<TextLine> place_lines(const std::vector<BrokenLine> &lines, double line_height,
                                  const QRectF &rect, HAlign align, VAlign valign);
