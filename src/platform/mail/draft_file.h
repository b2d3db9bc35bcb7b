#pragma once

#include <QByteArray>
#include <QString>

namespace mail {

// Where the draft of a message with this attachment lives: beside the attachment, named
// like it with the extension ".eml", as an absolute path.
QString draft_path(const QString &attachment_path);

// Writes the draft whole or not at all: when writing fails, an earlier draft stays as it
// was and the reason is the last error.
bool write_draft(const QString &path, const QByteArray &message);

} // namespace mail
