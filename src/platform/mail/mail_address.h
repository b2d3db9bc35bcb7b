#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace mail {

// The address as it goes into a header line and an SMTP command: without surrounding
// blanks and with its domain in ASCII form, or nothing when the text is not one plain
// address "local@domain" whose local part is a dot-atom.  Display names, quoting, comments
// and lists are refused, and so is every control character, so that no typed value can add
// a header, a recipient or a command.
std::optional<QByteArray> plain_address(const QString &text);

} // namespace mail
