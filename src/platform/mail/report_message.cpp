#include "platform/mail/report_message.h"

#include "platform/mail/mail_address.h"
#include "platform/mail/mail_error.h"
#include "platform/mail/single_line.h"

#include <QFile>
#include <QFileInfo>

namespace mail {
namespace {

QString message_text(const QString &attachment_name, const QString &second_text)
{
    QString text =
        QStringLiteral("Tento e-mail obsahuje přílohu \"%1\".").arg(single_line(attachment_name));
    if (!second_text.isEmpty())
        text += QStringLiteral("\n\n") + second_text;
    text += QLatin1Char('\n');
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

QByteArray content_type(const QFileInfo &file)
{
    if (file.suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0)
        return QByteArrayLiteral("application/pdf");
    return QByteArrayLiteral("application/octet-stream");
}

std::optional<QByteArray> attachment_bytes(const QString &path)
{
    if (path.isEmpty()) {
        set_error(QStringLiteral("není zadána příloha."));
        return std::nullopt;
    }
    if (!QFileInfo(path).isFile()) {
        set_error(QStringLiteral("příloha %1 neexistuje.").arg(quoted(path)));
        return std::nullopt;
    }
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        set_error(
            QStringLiteral("přílohu %1 nelze přečíst (%2).").arg(quoted(path), file.errorString()));
        return std::nullopt;
    }
    if (bytes.isEmpty()) {
        set_error(QStringLiteral("příloha %1 je prázdná.").arg(quoted(path)));
        return std::nullopt;
    }
    return bytes;
}

} // namespace

std::optional<MimeMessage> report_message(const QString &recipient, const QString &second_text,
                                          const QString &attachment_path)
{
    const std::optional<QByteArray> to = plain_address(recipient);
    if (!to) {
        set_error(recipient.trimmed().isEmpty()
                      ? QStringLiteral("není zadána adresa příjemce.")
                      : QStringLiteral("adresa příjemce %1 není platná e-mailová adresa.")
                            .arg(quoted(recipient)));
        return std::nullopt;
    }
    const std::optional<QByteArray> attachment = attachment_bytes(attachment_path);
    if (!attachment)
        return std::nullopt;
    MimeMessage message;
    message.attachment = *attachment;
    message.to = *to;
    message.subject = QStringLiteral("Tisková sestava.");
    const QFileInfo info(attachment_path);
    message.attachment_name = info.fileName();
    message.attachment_type = content_type(info);
    message.text = message_text(message.attachment_name, second_text);
    return message;
}

} // namespace mail
