#pragma once

#include "platform/mail/mail.h"

#include <QString>

namespace mail {

// What one sending tells the program's callback: progress while it lasts, then exactly one
// outcome.
class MailEvents {
public:
    MailEvents(void *app_window, void *main_window);

    void set_total(qint64 bytes) { m_total = bytes; }
    // False when the program asked to cancel.
    bool progress(qint64 bytes_sent);
    // The outcome, told once; returns whether the message went out.
    int sent();
    int failed(const QString &reason);
    int cancelled();

private:
    int notify(TlMailStage stage, const QString &text, qint64 bytes_sent);

    void *m_app_window;
    void *m_main_window;
    qint64 m_total = 0;
};

} // namespace mail
