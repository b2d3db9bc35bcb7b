#pragma once
// Acts on the calculator runner or history drop-down that shows next, while its caller
// waits; one the action left open is closed, so that no test can hang in it.

#include "support/modal_driver.h"

#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

template <typename Window, typename Action>
void on_next_choice(Action action)
{
    ModalDriver::on_next_modal([action](QWidget *modal) {
        auto *window = qobject_cast<Window *>(modal);
        ASSERT_NE(window, nullptr) << "another window in front";
        QPointer<Window> guard(window);
        // Focus moves only inside the active window.
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        if (!guard)
            return;
        action(*window);
        if (guard && guard->state() == Window::Undecided)
            guard->close();
    });
}
