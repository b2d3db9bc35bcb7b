#pragma once

#include <QByteArray>
#include <QString>

namespace mail {

// Header values are 7-bit: any other text travels as RFC 2047 encoded words (UTF-8,
// base64), each within 75 characters and folded onto lines of their own.  Line breaks and
// other control characters inside the text are thereby encoded too and cannot end the line.
QByteArray encoded_words(const QString &text);

// A display name before an address, on one line: as it stands when it is plain ASCII words,
// otherwise encoded words.
QByteArray display_phrase(const QString &name);

// A MIME parameter `name="value"` for a short plain value; otherwise RFC 2231 encoded
// (UTF-8, percent escapes) and split into numbered sections on folded lines, so that a file
// name of any length and with any characters keeps the header intact.
QByteArray mime_parameter(const QByteArray &name, const QString &value);

} // namespace mail
