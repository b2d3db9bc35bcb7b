#pragma once

#include "platform/mail/mime_message.h"

#include <QString>

#include <optional>

namespace mail {

// The message both ways of mailing a report make: to the recipient, with the subject
// "Tisková sestava.", a text that names the attachment followed by the second text when
// there is one, and the attachment's bytes.  Nothing, with the reason as the last error,
// when the recipient is no plain address or the attachment is missing, unreadable or empty:
// a message must never go out without the report or with an earlier one.
std::optional<MimeMessage> report_message(const QString &recipient, const QString &second_text,
                                          const QString &attachment_path);

} // namespace mail
