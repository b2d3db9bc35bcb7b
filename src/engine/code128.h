#pragma once
// Code 128 barcodes: code set B for text, code set C for runs of digits.  Characters outside
// printable ASCII are encoded as "?".

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <vector>

// The symbol values from the start code to the check value, without the stop code.
std::vector<int> code128_values(const QString &text);

// The bars over the full height of `size`, the quiet zone (in modules) on both sides.
std::vector<QRectF> code128_bars(const QString &text, int quiet_zone, const QSizeF &size);
