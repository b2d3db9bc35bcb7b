#include "platform/mail/smtp_failure.h"

#include "platform/mail/mail_error.h"

namespace mail {
namespace {

QString with_detail(const QString &sentence, const QByteArray &detail)
{
    if (detail.isEmpty())
        return sentence + QLatin1Char('.');
    return QStringLiteral("%1 (%2).").arg(sentence, QString::fromLatin1(detail));
}

QString login_refused(const QByteArray &detail)
{
    return with_detail(
        QStringLiteral("server odmítl přihlášení, zkontrolujte přihlašovací jméno a heslo"),
        detail);
}

// A reply of refusal says what the server would not do, by the command it answered.
QString refusal(const SmtpOutcome &outcome, const SmtpRequest &request, const QString &server)
{
    const QByteArray &reply = outcome.refusal;
    const QByteArray &command = outcome.refused_command;
    if (command == "AUTH")
        return login_refused(reply);
    if (command == "MAIL" && reply.startsWith("530"))
        return with_detail(QStringLiteral("server %1 vyžaduje přihlášení").arg(quoted(server)),
                           reply);
    if (command == "MAIL")
        return with_detail(QStringLiteral("server odmítl odesílatele %1")
                               .arg(quoted(QString::fromLatin1(request.sender))),
                           reply);
    if (command == "RCPT")
        return with_detail(QStringLiteral("server odmítl příjemce %1")
                               .arg(quoted(QString::fromLatin1(request.recipient))),
                           reply);
    if (command == "DATA")
        return with_detail(QStringLiteral("server odmítl zprávu"), reply);
    if (command == "STARTTLS")
        return with_detail(
            QStringLiteral("server %1 odmítl zabezpečené spojení (STARTTLS)").arg(quoted(server)),
            reply);
    return with_detail(QStringLiteral("server %1 odmítl spojení").arg(quoted(server)), reply);
}

QString timeout(const SmtpOutcome &outcome, const QString &server, int port)
{
    if (!outcome.connected)
        return QStringLiteral("spojení se serverem %1 na portu %2 se nepodařilo navázat včas.")
            .arg(quoted(server))
            .arg(port);
    if (!outcome.answered)
        return QStringLiteral("server %1 přijal spojení, ale neodpovídá.").arg(quoted(server));
    return QStringLiteral("server %1 přestal odpovídat.").arg(quoted(server));
}

} // namespace

QString failure_reason(const SmtpOutcome &outcome, const SmtpRequest &request,
                       const QString &server, int port)
{
    if (outcome.code == CURLE_OPERATION_TIMEDOUT)
        return timeout(outcome, server, port);
    if (!outcome.refusal.isEmpty())
        return refusal(outcome, request, server);
    const QString name = quoted(server);
    switch (outcome.code) {
    case CURLE_COULDNT_RESOLVE_HOST:
        return QStringLiteral("server %1 nebyl nalezen.").arg(name);
    case CURLE_COULDNT_CONNECT:
        return with_detail(
            QStringLiteral("server %1 nepřijímá spojení na portu %2").arg(name).arg(port),
            outcome.detail);
    case CURLE_LOGIN_DENIED:
        return login_refused(outcome.detail);
    case CURLE_USE_SSL_FAILED:
        return QStringLiteral("server %1 nenabízí šifrované spojení (STARTTLS), heslo se proto "
                              "neposílá.")
            .arg(name);
    case CURLE_PEER_FAILED_VERIFICATION:
        return with_detail(QStringLiteral("certifikát serveru %1 není důvěryhodný").arg(name),
                           outcome.detail);
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ENGINE_INITFAILED:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_CRL_BADFILE:
        return with_detail(
            QStringLiteral("zabezpečené spojení se serverem %1 se nepodařilo navázat").arg(name),
            outcome.detail);
    case CURLE_URL_MALFORMAT:
        return QStringLiteral("název serveru %1 není platný.").arg(name);
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
        return with_detail(QStringLiteral("spojení se serverem %1 bylo přerušeno").arg(name),
                           outcome.detail);
    default:
        return with_detail(QStringLiteral("komunikace se serverem %1 selhala").arg(name),
                           outcome.detail);
    }
}

} // namespace mail
