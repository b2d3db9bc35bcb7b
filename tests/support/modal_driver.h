#pragma once
// Drives modal windows in headless tests: the action runs inside the window's own event
// loop as soon as a new modal window is in front, so the test can click its buttons.

#include <QPointer>
#include <QWidget>
#include <functional>

class ModalDriver {
public:
    using Action = std::function<void(QWidget *modal)>;

    // Acts on the next modal window that appears after this call (a window already in
    // front does not count).  A test fails when none appears within the timeout.
    static void on_next_modal(Action action, int timeout_ms = 5000);

    // Clicks the button with the object name inside the window; the test fails when the
    // window has none.
    static void click(QWidget *window, const char *button_name);
};
