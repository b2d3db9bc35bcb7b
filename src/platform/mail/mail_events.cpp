#include "platform/mail/mail_events.h"

#include "platform/mail/mail_error.h"
#include "platform/mail/mail_settings.h"

namespace mail {

MailEvents::MailEvents(void *app_window, void *main_window)
    : m_app_window(app_window), m_main_window(main_window)
{
}

bool MailEvents::progress(qint64 bytes_sent)
{
    return notify(tlMailProgress, QStringLiteral("Odesílám e-mail…"), bytes_sent) != 0;
}

int MailEvents::sent()
{
    notify(tlMailSent, QStringLiteral("E-mail byl odeslán."), m_total);
    return 1;
}

int MailEvents::failed(const QString &reason)
{
    set_error(reason);
    notify(tlMailFailed, reason, 0);
    return 0;
}

int MailEvents::cancelled()
{
    const QString reason = QStringLiteral("odesílání bylo zrušeno.");
    set_error(reason);
    notify(tlMailCancelled, reason, 0);
    return 0;
}

int MailEvents::notify(TlMailStage stage, const QString &text, qint64 bytes_sent)
{
    const MailSettings &current = settings();
    if (!current.callback)
        return 1;
    const QByteArray utf8 = text.toUtf8();
    const TlMailEvent event{.stage = stage,
                            .text = utf8.constData(),
                            .bytes_sent = bytes_sent,
                            .bytes_total = m_total,
                            .app_window = m_app_window,
                            .main_window = m_main_window};
    return current.callback(&event, current.callback_context);
}

} // namespace mail
