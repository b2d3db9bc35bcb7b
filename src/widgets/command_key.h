#pragma once
// A key that stands for a window's command runs it only while the command is enabled, as
// its button and menu item would; a command the window lacks is none.

#include <QAction>

inline void run_if_enabled(QAction *command)
{
    if (command && command->isEnabled())
        command->trigger();
}
