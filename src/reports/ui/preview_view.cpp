#include "reports/ui/preview_view.h"

#include "engine/painter_replay.h"
#include "engine/units.h"
#include "reports/preview_zoom.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <cmath>

namespace {

// Pixels of grey around each page.
constexpr double page_gap = 10.0;
const QColor ground(128, 128, 128);

} // namespace

PreviewView::PreviewView(QWidget *parent) : QAbstractScrollArea(parent)
{
    setObjectName(QStringLiteral("preview"));
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        const int page = current_page();
        if (page != m_reported_page) {
            m_reported_page = page;
            emit current_page_changed(page);
        }
    });
}

void PreviewView::set_report(const PreparedReport *report)
{
    m_report = report;
    m_reported_page = -1;
    relayout();
    verticalScrollBar()->setValue(0);
    emit current_page_changed(current_page());
}

double PreviewView::pixels_per_unit() const
{
    return logicalDpiX() / report_units::per_inch * m_zoom / 100.0;
}

void PreviewView::set_zoom(double percent)
{
    m_fit = Fit::None;
    if (percent == m_zoom)
        return;
    const int page = current_page();
    m_zoom = percent;
    relayout();
    go_to_page(page);
    emit zoom_changed(m_zoom);
}

void PreviewView::set_fit(Fit fit)
{
    m_fit = fit;
    const int page = current_page();
    apply_fit();
    go_to_page(page);
}

void PreviewView::apply_fit()
{
    if (m_fit == Fit::None || page_count() == 0)
        return;
    const QSizeF page = m_report->pages[size_t(std::max(current_page(), 0))].size *
                        (logicalDpiX() / report_units::per_inch);
    const QSizeF room(viewport()->width() - 2 * page_gap, viewport()->height() - 2 * page_gap);
    const double zoom = m_fit == Fit::WholePage ? whole_page_zoom(page, room)
                                                : page_width_zoom(page.width(), room.width());
    if (zoom == m_zoom)
        return;
    m_zoom = zoom;
    relayout();
    emit zoom_changed(m_zoom);
}

void PreviewView::relayout()
{
    std::vector<QSizeF> sizes;
    if (m_report) {
        sizes.reserve(m_report->pages.size());
        for (const PreparedPage &page : m_report->pages)
            sizes.push_back(page.size);
    }
    m_layout = PreviewLayout(sizes, pixels_per_unit(), page_gap);
    const QSize room = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, int(m_layout.size().width()) - room.width()));
    horizontalScrollBar()->setPageStep(room.width());
    verticalScrollBar()->setRange(0, std::max(0, int(m_layout.size().height()) - room.height()));
    verticalScrollBar()->setPageStep(room.height());
    verticalScrollBar()->setSingleStep(20);
    horizontalScrollBar()->setSingleStep(20);
    viewport()->update();
}

int PreviewView::page_count() const
{
    return m_report ? int(m_report->pages.size()) : 0;
}

int PreviewView::current_page() const
{
    // Scrolled to the end, the last page is in sight although its top cannot reach the top
    // of the view.
    const QScrollBar *bar = verticalScrollBar();
    if (bar->maximum() > 0 && bar->value() == bar->maximum())
        return page_count() - 1;
    // The page that holds the row a little below the top, so that a page scrolled to shows
    // as current although its gap lies above it.
    return m_layout.page_at(bar->value() + page_gap);
}

void PreviewView::go_to_page(int page)
{
    if (page_count() == 0)
        return;
    page = std::clamp(page, 0, page_count() - 1);
    // Rounded up: a row short of the page would count as the page above it.
    verticalScrollBar()->setValue(int(std::ceil(m_layout.page_rect(page).top() - page_gap)));
}

void PreviewView::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), ground);
    const QPointF origin(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    // A strip narrower than the room stands in its middle.
    const double shift =
        std::max(0.0, (viewport()->width() - m_layout.size().width()) / 2);
    m_painted = m_layout.pages_between(verticalScrollBar()->value(),
                                       verticalScrollBar()->value() + viewport()->height());
    if (!m_report)
        return;
    const double scale = pixels_per_unit();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int page = m_painted.first; page <= m_painted.last; ++page) {
        const QRectF rect = m_layout.page_rect(page).translated(origin + QPointF(shift, 0));
        painter.fillRect(rect.translated(3, 3), QColor(80, 80, 80));
        painter.fillRect(rect, Qt::white);
        painter.save();
        painter.translate(rect.topLeft());
        painter.scale(scale, scale);
        painter.setClipRect(QRectF(QPointF(), m_report->pages[size_t(page)].size));
        paint_page(painter, *m_report, m_report->pages[size_t(page)]);
        painter.restore();
    }
}

void PreviewView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    const int page = current_page();
    apply_fit();
    relayout();
    go_to_page(page);
}

void PreviewView::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_PageDown:
        go_to_page(current_page() + 1);
        return;
    case Qt::Key_PageUp:
        go_to_page(current_page() - 1);
        return;
    case Qt::Key_Home:
        if (event->modifiers() & Qt::ControlModifier) {
            go_to_page(0);
            return;
        }
        break;
    case Qt::Key_End:
        if (event->modifiers() & Qt::ControlModifier) {
            go_to_page(page_count() - 1);
            return;
        }
        break;
    default:
        break;
    }
    QAbstractScrollArea::keyPressEvent(event);
}
