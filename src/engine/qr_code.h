#pragma once
// QR codes through libqrencode: the text in UTF-8, byte mode.

#include "engine/report_object.h"

#include <QRectF>
#include <QSizeF>
#include <vector>

// The dark modules as rectangles (runs of a row merged), filling the largest square that
// fits `size`, centred, with the quiet zone around the symbol.  Throws a ReportError when
// the text is too long for any QR code.
std::vector<QRectF> qr_modules(const QString &text, QrErrorLevel level, int quiet_zone,
                               const QSizeF &size);
