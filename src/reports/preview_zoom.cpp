#include "reports/preview_zoom.h"

#include <algorithm>

double zoom_in(double percent)
{
    return percent < max_zoom ? percent + zoom_step : percent;
}

double zoom_out(double percent)
{
    return percent > min_zoom ? percent - zoom_step : percent;
}

double whole_page_zoom(const QSizeF &page, const QSizeF &room)
{
    if (page.isEmpty() || room.isEmpty())
        return 100.0;
    return 100.0 * std::min(room.width() / page.width(), room.height() / page.height());
}

double page_width_zoom(double page_width, double room_width)
{
    if (page_width <= 0.0 || room_width <= 0.0)
        return 100.0;
    return 100.0 * room_width / page_width;
}
