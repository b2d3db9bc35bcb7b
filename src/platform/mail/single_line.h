#pragma once

#include <QString>

namespace mail {

// A value shown within one line of text (a reason, a display name, a sentence of the
// message): line breaks, tabs and other control characters become spaces.
QString single_line(const QString &text);

} // namespace mail
