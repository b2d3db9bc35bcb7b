#include "platform/mail/smtp_endpoint.h"

#include "platform/mail/domain_name.h"
#include "platform/mail/mail_error.h"

namespace mail {
namespace {

constexpr int implicit_tls_port = 465;

std::optional<QByteArray> url_host(const QString &server)
{
    if (!server.contains(QLatin1Char(':')))
        return ascii_domain(server);
    QString address = server;
    if (address.startsWith(QLatin1Char('[')) && address.endsWith(QLatin1Char(']')))
        address = address.mid(1, address.size() - 2);
    for (const QChar c : address) {
        if (!c.isDigit() && !QStringLiteral("abcdefABCDEF:.").contains(c))
            return std::nullopt;
    }
    return "[" + address.toLatin1() + "]";
}

} // namespace

std::optional<SmtpEndpoint> smtp_endpoint(const QString &server, int port, bool tls_required)
{
    const QString name = server.trimmed();
    if (name.isEmpty()) {
        set_error(QStringLiteral("není zadán server odchozí pošty."));
        return std::nullopt;
    }
    const std::optional<QByteArray> host = url_host(name);
    if (!host) {
        set_error(QStringLiteral("název serveru %1 není platný.").arg(quoted(name)));
        return std::nullopt;
    }
    if (port < 1 || port > 65535) {
        set_error(QStringLiteral("port %1 není platný, server odchozí pošty má port 1 až 65535.")
                      .arg(port));
        return std::nullopt;
    }
    const bool implicit = port == implicit_tls_port;
    const QByteArray scheme = implicit ? "smtps://" : "smtp://";
    const TlsUse tls = implicit       ? TlsUse::Implicit
                       : tls_required ? TlsUse::Required
                                      : TlsUse::WhenOffered;
    return SmtpEndpoint{scheme + *host + ':' + QByteArray::number(port), tls};
}

} // namespace mail
