#pragma once
// The two panels of the main window's status bar: the active window's name on the left,
// its keys on the right.

#include <QString>

struct StatusHint {
    QString window; // left panel
    QString keys;   // right panel, also the bar's hint
};

// "Caption|keys": the part before the first "|" and the part after it.  A text whose
// first "|" is missing or is its first character goes whole into the keys.
StatusHint split_status_hint(const QString &text);

// What the panels show while no window has put its own texts there.
StatusHint main_window_status();
