#include "reports/preview_layout.h"

#include <algorithm>

PreviewLayout::PreviewLayout(const std::vector<QSizeF> &pages, double pixels_per_unit,
                             double gap)
    : m_gap(gap)
{
    double widest = 0.0;
    for (const QSizeF &page : pages)
        widest = std::max(widest, page.width() * pixels_per_unit);
    m_rects.reserve(pages.size());
    double top = gap;
    for (const QSizeF &page : pages) {
        const QSizeF size = page * pixels_per_unit;
        m_rects.emplace_back(QPointF(gap + (widest - size.width()) / 2, top), size);
        top += size.height() + gap;
    }
    m_size = QSizeF(widest + 2 * gap, top);
}

int PreviewLayout::page_at(double y) const
{
    if (m_rects.empty())
        return -1;
    // The first page whose bottom edge, with the gap below it, lies below the row.
    const auto found = std::lower_bound(
        m_rects.begin(), m_rects.end(), y,
        [this](const QRectF &page, double row) { return page.bottom() + m_gap <= row; });
    if (found == m_rects.end())
        return int(m_rects.size()) - 1;
    return int(found - m_rects.begin());
}

PageRange PreviewLayout::pages_between(double top, double bottom) const
{
    PageRange range;
    if (m_rects.empty() || bottom <= top)
        return range;
    range.first = page_at(top);
    if (m_rects[size_t(range.first)].bottom() <= top)
        ++range.first;
    range.last = page_at(bottom);
    if (m_rects[size_t(range.last)].top() >= bottom)
        --range.last;
    return range;
}
