#pragma once
// The program's own look of drop-down and pop-up menus: every item a band of 308 × 32
// pixels with its image, its caption in bold and its hint beneath, separators as a line,
// and a decorated margin on the left.

#include <QIcon>
#include <QRect>
#include <QString>

class QMenu;
class QPainter;
class QPalette;

struct MenuItemLook {
    QString caption;
    QString hint;
    QIcon icon;
    bool separator = false;
    bool selected = false;
    bool enabled = true;
    bool has_submenu = false;
};

inline constexpr int menu_item_width = 308;
inline constexpr int menu_item_height = 32;
// Separators keep to a thin band; at full item height a menu falls apart into islands.
inline constexpr int menu_separator_height = 12;
inline constexpr int menu_margin_width = 30;

void draw_menu_item(QPainter &painter, const QRect &rect, const MenuItemLook &item,
                    const QPalette &palette);

// The menu and all the sub-menus it holds now draw their items so.
void attach_menu_drawing(QMenu *menu);
