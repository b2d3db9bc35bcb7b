#pragma once
// The progress of a sending through the own mail service: a window with "Odesílám e-mail…"
// and "Zrušit" while the SMTP session lasts.  The outcome is said by the sending command, so
// the window only shows the progress and passes the user's cancel on to the mail library.

#include <memory>

class QProgressDialog;
class QWidget;
struct TlMailEvent;

class MailProgress {
public:
    // Installs itself as the mail library's callback for its lifetime.
    explicit MailProgress(QWidget *parent);
    ~MailProgress();
    MailProgress(const MailProgress &) = delete;
    MailProgress &operator=(const MailProgress &) = delete;

    QProgressDialog *window() const { return m_window.get(); }

private:
    static int on_event(const TlMailEvent *event, void *context);
    int handle(const TlMailEvent &event);

    QWidget *m_parent;
    std::unique_ptr<QProgressDialog> m_window;
};
