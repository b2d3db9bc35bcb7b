#include "reports/mail_client.h"

#include "platform/mail/mail.h"

#include <QProcess>

QStringList mail_client_arguments(const QString &recipient, const QStringList &attachments)
{
    // --utf8: the texts come in UTF-8 whatever the locale says, so the Czech subject is kept.
    QStringList arguments{QStringLiteral("--utf8")};
    for (const QString &attachment : attachments)
        arguments << QStringLiteral("--attach") << attachment;
    return arguments << QStringLiteral("--subject") << mail_subject << recipient.trimmed();
}

MailClientStart open_in_mail_client(const QString &recipient, const QStringList &attachments)
{
    if (!tl_mail_address_valid(recipient.toUtf8().constData()))
        return MailClientStart::InvalidRecipient;
    QProcess client;
    client.setProgram(mail_client_program);
    client.setArguments(mail_client_arguments(recipient, attachments));
    client.setStandardOutputFile(QProcess::nullDevice());
    client.setStandardErrorFile(QProcess::nullDevice());
    return client.startDetached() ? MailClientStart::Started : MailClientStart::NotStarted;
}
