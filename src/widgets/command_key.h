#pragma once
// The keys that stand for a window's commands.

#include <QAction>
#include <QKeyEvent>

// A key pressed without Shift, Ctrl or Alt; the number pad's own keys count as plain.
inline bool is_plain_key(const QKeyEvent &key)
{
    return (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// A key runs its command only while the command is enabled, as its button and menu item
// would; a command the window lacks is none.
inline void run_if_enabled(QAction *command)
{
    if (command && command->isEnabled())
        command->trigger();
}
