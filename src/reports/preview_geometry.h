#pragma once
// Where a preview window opens: over the main window, as wide as it and from its top down to
// its status bar.

#include <QRect>

// `status_bar_height` is the main window's status bar with the margin of 8 that windows keep
// from it, as the window host gives it.  An empty main window gives an empty rectangle.
QRect preview_geometry(const QRect &main_window, int status_bar_height);
