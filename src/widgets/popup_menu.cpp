#include "widgets/popup_menu.h"

#include <QMenu>
#include <QWidget>

void popup_at(const QWidget &window, QMenu &menu)
{
    const QPoint corner =
        window.isWindow() ? window.frameGeometry().topLeft() : window.mapToGlobal(QPoint(0, 0));
    menu.popup(corner + QPoint(32, 80));
}
