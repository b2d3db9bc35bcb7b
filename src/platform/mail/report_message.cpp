#include "platform/mail/report_message.h"

#include "platform/mail/mail_address.h"
#include "platform/mail/mail_error.h"
#include "platform/mail/mail_settings.h"
#include "platform/mail/single_line.h"

#include <QFile>
#include <QFileInfo>

namespace mail {
namespace {

QString message_text(const std::vector<MimeAttachment> &attachments, const QString &second_text)
{
    QString text =
        attachments.size() == 1
            ? QStringLiteral("Tento e-mail obsahuje přílohu \"%1\".")
                  .arg(single_line(attachments.front().name))
            : QStringLiteral("Tento e-mail obsahuje přílohy \"%1\" a \"%2\".")
                  .arg(single_line(attachments.front().name), single_line(attachments.back().name));
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
    // An electronic invoice is an XML document.
    if (file.suffix().compare(QLatin1String("isdoc"), Qt::CaseInsensitive) == 0)
        return QByteArrayLiteral("application/xml");
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

std::optional<MimeAttachment> attachment_of(const QString &path)
{
    std::optional<QByteArray> bytes = attachment_bytes(path);
    if (!bytes)
        return std::nullopt;
    const QFileInfo info(path);
    return MimeAttachment{info.fileName(), content_type(info), std::move(*bytes)};
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
    MimeMessage message;
    QStringList paths{attachment_path};
    if (!settings().second_attachment.isEmpty())
        paths << settings().second_attachment;
    for (const QString &path : paths) {
        std::optional<MimeAttachment> attachment = attachment_of(path);
        if (!attachment)
            return std::nullopt;
        message.attachments.push_back(std::move(*attachment));
    }
    message.to = *to;
    message.subject = QStringLiteral("Tisková sestava.");
    message.text = message_text(message.attachments, second_text);
    return message;
}

} // namespace mail
