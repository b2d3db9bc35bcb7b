#pragma once
// Rich text laid out once, in an object's width, on the font book's device: lines of runs,
// each run with its font and colour.

#include "engine/display_list.h"
#include "engine/font_book.h"

#include <memory>

class QTextDocument;

std::shared_ptr<const RichTextLayout> layout_rich_text(const QTextDocument &document, double width,
                                                       FontBook &fonts);
