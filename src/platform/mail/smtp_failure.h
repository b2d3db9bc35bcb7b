#pragma once

#include "platform/mail/smtp_transfer.h"

#include <QString>

namespace mail {

// Why a session failed, as a Czech sentence tail for the user, with the server's reply or
// libcurl's text after it in parentheses for support.  `server` is the server as the user
// wrote it.
QString failure_reason(const SmtpOutcome &outcome, const SmtpRequest &request,
                       const QString &server, int port);

} // namespace mail
