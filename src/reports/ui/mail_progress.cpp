#include "reports/ui/mail_progress.h"

#include "platform/mail/mail.h"

#include <QApplication>
#include <QProgressDialog>

MailProgress::MailProgress(QWidget *parent) : m_parent(parent)
{
    tl_set_mail_callback(&MailProgress::on_event, this);
}

MailProgress::~MailProgress()
{
    tl_set_mail_callback(nullptr, nullptr);
}

int MailProgress::on_event(const TlMailEvent *event, void *context)
{
    return static_cast<MailProgress *>(context)->handle(*event);
}

int MailProgress::handle(const TlMailEvent &event)
{
    if (event.stage != tlMailProgress) {
        m_window.reset();
        return 1;
    }
    if (!m_window) {
        m_window = std::make_unique<QProgressDialog>(QString::fromUtf8(event.text),
                                                     QStringLiteral("Zrušit"), 0, 0, m_parent);
        m_window->setObjectName(QStringLiteral("mail_progress"));
        m_window->setWindowTitle(QStringLiteral("Odeslání tiskové sestavy."));
        m_window->setWindowModality(Qt::WindowModal);
        m_window->setMinimumDuration(0);
        m_window->setAutoClose(false);
        m_window->setAutoReset(false);
        m_window->show();
    }
    // Bytes of the message once it is being transferred; until then a busy bar.
    if (event.bytes_total > 0) {
        m_window->setMaximum(1000);
        m_window->setValue(int(1000 * event.bytes_sent / event.bytes_total));
    }
    QApplication::processEvents();
    return m_window->wasCanceled() ? 0 : 1;
}
