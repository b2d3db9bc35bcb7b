#pragma once
// Where the pages of a prepared report lie in the preview: one below the other with a gap
// around each, centred across the widest one, at a scale of pixels per report unit.  The
// preview asks it which pages reach into the part on screen and paints only those, so a
// report of hundreds of pages shows as fast as one of a single page.

#include <QRectF>
#include <QSizeF>
#include <vector>

struct PageRange {
    int first = 0;
    int last = -1; // below first: no page

    bool empty() const { return last < first; }
};

class PreviewLayout {
public:
    PreviewLayout() = default;
    PreviewLayout(const std::vector<QSizeF> &pages, double pixels_per_unit, double gap);

    int page_count() const { return int(m_rects.size()); }
    // In pixels, from the top left corner of the whole strip of pages.
    QRectF page_rect(int page) const { return m_rects[size_t(page)]; }
    QSizeF size() const { return m_size; }

    // The pages that reach into the rows from `top` to `bottom`.
    PageRange pages_between(double top, double bottom) const;
    // The page whose body or the gap below it holds the row `y` (the first page above the
    // strip, the last one below it); -1 without pages.
    int page_at(double y) const;

private:
    std::vector<QRectF> m_rects;
    QSizeF m_size;
    double m_gap = 0.0;
};
