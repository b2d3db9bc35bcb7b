#pragma once
// The zoom of the preview in percent of the page's true size on the screen.  The two fitting
// modes may give any value; the steps go by 10 and stop once past the limits, so that from
// 195 one step reaches 205 and the next does nothing.

#include <QSizeF>

inline constexpr double zoom_step = 10.0;
inline constexpr double min_zoom = 10.0;
inline constexpr double max_zoom = 200.0;

// 10 more while below 200, otherwise unchanged.
double zoom_in(double percent);
// 10 less while above 10, otherwise unchanged.
double zoom_out(double percent);

// The zoom at which a page of `page` pixels at 100 percent fits into `room` whole, or across
// its width.  A page or room without a size keeps 100.
double whole_page_zoom(const QSizeF &page, const QSizeF &room);
double page_width_zoom(double page_width, double room_width);
