#pragma once
// The program's 16-pixel images, shared by the menus, the commands, the menu tree and the
// windows, which refer to them by number.  They are drawn once, at first use, so the
// program carries no icon files of its own.

#include <QIcon>
#include <QPixmap>

namespace ImageList16 {

inline constexpr int count = 36;
inline constexpr int size = 16;

// The images that many windows' commands share.
inline constexpr int history = 1;
inline constexpr int plus = 2;
inline constexpr int pencil = 3;
inline constexpr int cross = 4;
inline constexpr int printer = 5;
inline constexpr int help = 27;

// An empty icon for a number outside 0 .. count - 1 (a command without an image).
QIcon icon(int index);
QPixmap pixmap(int index);

} // namespace ImageList16
