#pragma once
// What the main window asks of its child windows and editors.  A window that wants to be
// asked inherits this beside its widget class; the main window finds it by dynamic_cast.

class ShellWindow {
public:
    virtual ~ShellWindow() = default;

    // The window became active, or the status bar was reset while the window is in front:
    // it puts its caption and keys into the status bar (set_status_hint) and takes the
    // focus where it wants it.
    virtual void window_activated() = 0;

    // The command message of notify_child; the answer goes back to the sender.
    virtual int child_command(int) { return 0; }
};
