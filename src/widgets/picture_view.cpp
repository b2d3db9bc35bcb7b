#include "widgets/picture_view.h"

#include "data/picture_box.h"
#include "widgets/window_host.h"

#include <QMouseEvent>

namespace {

// The largest size the program shows a picture at (fitted_picture_size).
const QSize picture_area(185, 225);

} // namespace

TPictureView::TPictureView(QWidget *parent) : QLabel(parent), m_box(new PictureBox(this))
{
    setAlignment(Qt::AlignCenter);
    connect(m_box, &PictureBox::changed, this, &TPictureView::show_box);
}

QSize TPictureView::sizeHint() const
{
    return picture_area;
}

void TPictureView::show_box()
{
    if (m_box->is_empty() || m_box->shown_size().isEmpty()) {
        clear();
        return;
    }
    // Within the shown size but in proportion: a tall photo is not squeezed.
    const QImage shown =
        m_box->picture().scaled(m_box->shown_size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    setPixmap(QPixmap::fromImage(shown));
}

void TPictureView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

QWidget *window_of(const PictureBox &control)
{
    for (QObject *owner = control.parent(); owner; owner = owner->parent()) {
        if (auto *widget = qobject_cast<QWidget *>(owner))
            return widget->window();
    }
    return window_host().host_window();
}
