#pragma once

#include "platform/mail/smtp_endpoint.h"

#include <QByteArray>

#include <curl/curl.h>

#include <functional>

namespace mail {

struct SmtpRequest {
    SmtpEndpoint endpoint;
    QByteArray sender;    // plain address
    QByteArray recipient; // plain address
    QByteArray message;
    bool login = false;
    QByteArray user;
    QByteArray password;
    int connect_seconds = 0;
    int total_seconds = 0;
    QByteArray ca_file; // empty: the system's authorities
};

// What happened in a session, as far as it explains a failure.
struct SmtpOutcome {
    CURLcode code = CURLE_OK;
    bool cancelled = false;
    bool connected = false; // the TCP connection stood
    bool answered = false;  // the server replied at least once
    // When the session's last reply was a refusal (4xx, 5xx): the verb of the command it
    // answered ("RCPT", never the command's data) and the reply line, printable ASCII.
    QByteArray refused_command;
    QByteArray refusal;
    QByteArray detail; // libcurl's own error text
};

// Runs one SMTP session that sends the message.  `progress` is called about every tenth of
// a second with the bytes of the message sent so far, also while the session waits for the
// network; when it returns false, the session ends at once as cancelled.
SmtpOutcome transfer(const SmtpRequest &request, const std::function<bool(qint64)> &progress);

} // namespace mail
