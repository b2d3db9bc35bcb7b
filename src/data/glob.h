#pragma once
// Helpers shared by many windows: the amount in Czech words, tolerant number parsing and
// padded number formatting.

#include <QString>

// The whole part of the amount in Czech words joined without spaces, each word with a
// capital letter ("JedenMilionDvěStěTřicetČtyřiTisícPětSetŠedesátSedm").  Empty for 0,
// for negative amounts and for amounts of a milliard and more.
QString amount_in_words(double amount);

// A number typed with either decimal mark: the first ',' or '.' that is not the process
// separator is read as it.  Surrounding and grouping spaces (also no-break spaces) are
// ignored.  0 when the text is not a number.
double parse_amount(const QString &text);

// The number formatted by the display format (number_format.h), padded on the left with
// spaces to at least `width` characters.
QString format_padded(int width, const QString &format, double number);
QString pad_left(const QString &text, int width);
