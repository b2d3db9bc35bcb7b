#include "platform/mail/mail.h"

#include "platform/mail/draft_file.h"
#include "platform/mail/mail_address.h"
#include "platform/mail/mail_error.h"
#include "platform/mail/mail_events.h"
#include "platform/mail/mail_settings.h"
#include "platform/mail/report_message.h"
#include "platform/mail/sender.h"
#include "platform/mail/smtp_failure.h"
#include "platform/mail/smtp_transfer.h"

#include <QDateTime>
#include <QFile>
#include <QUuid>

#include <cstring>

namespace {

QString text_of(const char *utf8)
{
    return QString::fromUtf8(utf8 ? utf8 : "");
}

QByteArray message_id(const QByteArray &sender_address)
{
    const QByteArray domain = sender_address.mid(sender_address.indexOf('@') + 1);
    return '<' + QUuid::createUuid().toByteArray(QUuid::WithoutBraces) + '@' + domain + '>';
}

} // namespace

extern "C" {

int tl_mail_address_valid(const char *text)
{
    return mail::plain_address(text_of(text)).has_value() ? 1 : 0;
}

void tl_set_mail_callback(TlMailCallback callback, void *context)
{
    mail::settings().callback = callback;
    mail::settings().callback_context = callback ? context : nullptr;
}

void tl_set_mail_sender(const char *address, const char *display_name)
{
    mail::settings().sender_address = text_of(address);
    mail::settings().sender_name = text_of(display_name);
}

void tl_set_mail_second_attachment(const char *path)
{
    mail::settings().second_attachment = text_of(path);
}

void tl_set_mail_allow_unencrypted_login(int allow)
{
    mail::settings().allow_unencrypted_login = allow != 0;
}

void tl_set_mail_timeouts(int connect_seconds, int total_seconds)
{
    using mail::MailSettings;
    mail::settings().connect_seconds =
        connect_seconds > 0 ? connect_seconds : MailSettings::default_connect_seconds;
    mail::settings().total_seconds =
        total_seconds > 0 ? total_seconds : MailSettings::default_total_seconds;
}

void tl_set_mail_ca_file(const char *path)
{
    mail::settings().ca_file = text_of(path);
}

const char *tl_mail_last_error(void)
{
    return mail::last_error();
}

int tl_create_mail(const char *recipient, const char *second_text, const char *attachment,
                   char *result)
{
    mail::clear_error();
    if (!result) {
        mail::set_error(QStringLiteral("chybí místo pro cestu k souboru zprávy."));
        return 0;
    }
    std::memset(result, 0, TL_MAIL_RESULT_SIZE);
    std::optional<mail::MimeMessage> message =
        mail::report_message(text_of(recipient), text_of(second_text), text_of(attachment));
    if (!message)
        return 0;
    const std::optional<mail::Sender> sender = mail::message_sender(QString());
    if (!sender)
        return 0;
    message->from = sender->from;
    message->unsent = true;

    const QString path = mail::draft_path(text_of(attachment));
    const QByteArray path_bytes = QFile::encodeName(path);
    if (path_bytes.size() >= TL_MAIL_RESULT_SIZE) {
        mail::set_error(QStringLiteral("cesta k souboru zprávy %1 je delší než %2 bajtů.")
                            .arg(mail::quoted(path))
                            .arg(TL_MAIL_RESULT_SIZE - 1));
        return 0;
    }
    if (!mail::write_draft(path, mail::composed(*message)))
        return 0;
    std::memcpy(result, path_bytes.constData(), static_cast<size_t>(path_bytes.size()));
    return 1;
}

int tl_send_mail(void *app_window, void *main_window, const char *recipient,
                 const char *second_text, const char *attachment, const char *server,
                 const char *user, const char *password, int32_t port, int32_t authentication)
{
    mail::clear_error();
    const mail::MailSettings &current = mail::settings();
    mail::MailEvents events(app_window, main_window);
    const bool login = authentication != 0;

    std::optional<mail::MimeMessage> message =
        mail::report_message(text_of(recipient), text_of(second_text), text_of(attachment));
    if (!message)
        return events.failed(QString::fromUtf8(mail::last_error()));
    const std::optional<mail::Sender> sender =
        mail::message_sender(login ? text_of(user) : QString());
    if (!sender)
        return events.failed(QString::fromUtf8(mail::last_error()));
    if (sender->address.isEmpty())
        return events.failed(QStringLiteral("chybí adresa odesílatele: firma nemá vyplněný "
                                            "e-mail a přihlašovací jméno není e-mailová adresa."));
    const std::optional<mail::SmtpEndpoint> endpoint =
        mail::smtp_endpoint(text_of(server), port, login && !current.allow_unencrypted_login);
    if (!endpoint)
        return events.failed(QString::fromUtf8(mail::last_error()));
    if (login && text_of(user).isEmpty())
        return events.failed(QStringLiteral("není zadáno přihlašovací jméno k serveru."));

    message->from = sender->from;
    message->date = QDateTime::currentDateTime().toString(Qt::RFC2822Date).toLatin1();
    message->message_id = message_id(sender->address);

    mail::SmtpRequest request;
    request.endpoint = *endpoint;
    request.sender = sender->address;
    request.recipient = message->to;
    request.message = mail::composed(*message);
    request.login = login;
    request.user = text_of(user).toUtf8();
    request.password = text_of(password).toUtf8();
    request.connect_seconds = current.connect_seconds;
    request.total_seconds = current.total_seconds;
    request.ca_file = QFile::encodeName(current.ca_file);
    events.set_total(request.message.size());

    const mail::SmtpOutcome outcome =
        mail::transfer(request, [&events](qint64 sent) { return events.progress(sent); });
    if (outcome.cancelled)
        return events.cancelled();
    if (outcome.code == CURLE_OK)
        return events.sent();
    return events.failed(mail::failure_reason(outcome, request, text_of(server).trimmed(), port));
}

} // extern "C"
