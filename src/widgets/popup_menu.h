#pragma once
// Pop-up menus opened from the keyboard (F8) appear near the window's top-left corner, 32
// pixels right and 80 down, where the pointer may not be.

class QMenu;
class QWidget;

void popup_at(const QWidget &window, QMenu &menu);
