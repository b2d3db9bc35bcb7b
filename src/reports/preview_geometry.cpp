#include "reports/preview_geometry.h"

QRect preview_geometry(const QRect &main_window, int status_bar_height)
{
    if (main_window.isEmpty())
        return {};
    return QRect(main_window.left(), main_window.top(), main_window.width(),
                 main_window.height() - status_bar_height);
}
