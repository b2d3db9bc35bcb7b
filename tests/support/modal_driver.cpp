#include "support/modal_driver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const int poll_interval_ms = 10;

void poll(QPointer<QWidget> before, ModalDriver::Action action, QElapsedTimer started,
          int timeout_ms)
{
    QWidget *modal = QApplication::activeModalWidget();
    if (modal && modal != before && modal->isVisible()) {
        action(modal);
        return;
    }
    if (started.elapsed() > timeout_ms) {
        ADD_FAILURE() << "no modal window appeared";
        return;
    }
    QTimer::singleShot(poll_interval_ms, qApp, [before, action, started, timeout_ms] {
        poll(before, action, started, timeout_ms);
    });
}

} // namespace

void ModalDriver::on_next_modal(Action action, int timeout_ms)
{
    QElapsedTimer started;
    started.start();
    const QPointer<QWidget> before = QApplication::activeModalWidget();
    QTimer::singleShot(poll_interval_ms, qApp, [before, action, started, timeout_ms] {
        poll(before, action, started, timeout_ms);
    });
}

void ModalDriver::click(QWidget *window, const char *button_name)
{
    auto *button = window->findChild<QAbstractButton *>(QLatin1String(button_name));
    ASSERT_NE(button, nullptr) << "no button " << button_name;
    button->click();
}
