#include "masterdata/ui/fimage.h"

#include "data/picture_box.h"
#include "widgets/appearance.h"
#include "widgets/localize.h"
#include "widgets/picture_view.h"
#include "widgets/window_host.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

namespace {

const QString hint = QStringLiteral("Kliknutím zavřete toto okno.");
// Room for the window's frame, caption and scroll bars around the picture.
const QSize room_around(18, 78);
const int pixels_per_notch = 32;

QSize size_limit()
{
    if (const QWidget *host = window_host().host_window())
        return host->size();
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableSize() : QSize(1024, 768);
}

} // namespace

Tfm_image::Tfm_image(const QImage &picture, const QString &caption, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("fm_image"));
    setWindowTitle(caption);

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("Image1"));
    m_picture->setPixmap(QPixmap::fromImage(picture));
    m_picture->setFixedSize(picture.size());
    m_picture->setToolTip(hint);

    m_scroll_box = new QScrollArea(this);
    m_scroll_box->setObjectName(QStringLiteral("ScrollBox1"));
    m_scroll_box->setAlignment(Qt::AlignCenter);
    m_scroll_box->setWidget(m_picture);
    m_scroll_box->setToolTip(hint);
    m_scroll_box->viewport()->installEventFilter(this);
    m_picture->installEventFilter(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scroll_box);

    localize_component(this);
    apply_dialog_color(*this);
    resize(window_size(picture.size(), size_limit()));
    if (const QWidget *host = window_host().host_window())
        move(host->frameGeometry().center() - QPoint(width() / 2, height() / 2));
}

QSize Tfm_image::window_size(QSize picture, QSize limit)
{
    const QSize wanted = picture + room_around;
    return QSize(std::min(wanted.width(), limit.width()),
                 std::min(wanted.height(), limit.height()));
}

bool Tfm_image::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Wheel:
        scroll_by_wheel(static_cast<QWheelEvent *>(event)->angleDelta().y());
        return true;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            accept();
            return true;
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void Tfm_image::scroll_by_wheel(int angle)
{
    m_wheel_rest += angle;
    const int notches = m_wheel_rest / QWheelEvent::DefaultDeltasPerStep;
    m_wheel_rest -= notches * QWheelEvent::DefaultDeltasPerStep;
    // Turning the wheel towards the user (a negative angle) moves down the picture.
    QScrollBar *bar = m_scroll_box->verticalScrollBar();
    bar->setValue(bar->value() - notches * pixels_per_notch);
}

void show_picture(const PictureBox &control, const QString &caption)
{
    if (control.is_empty())
        return;
    Tfm_image window(control.picture(), caption, window_of(control));
    window.exec();
}
