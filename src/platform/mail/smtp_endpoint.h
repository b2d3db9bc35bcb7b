#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace mail {

enum class TlsUse {
    Implicit,    // the connection is TLS from its first byte (port 465)
    Required,    // STARTTLS, and no session without it
    WhenOffered, // STARTTLS when the server offers it
};

struct SmtpEndpoint {
    QByteArray url;
    TlsUse tls;
};

// The URL libcurl is given for a server and port, and how TLS is used there.  The server
// must be a host name or an IP address and nothing else, so that no typed text can change
// the URL's meaning.  `tls_required`: the session carries a password that must not go
// out unencrypted.  Nothing, with the reason as the last error, for an invalid server or a
// port outside 1 to 65535.
std::optional<SmtpEndpoint> smtp_endpoint(const QString &server, int port, bool tls_required);

} // namespace mail
