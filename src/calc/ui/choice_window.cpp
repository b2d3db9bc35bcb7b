#include "calc/ui/choice_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>

ChoiceWindow::ChoiceWindow(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint)
{
    setWindowModality(Qt::ApplicationModal);
}

void ChoiceWindow::decide(State state)
{
    if (m_state != Undecided)
        return;
    m_state = state;
    hide();
    emit decided();
}

bool ChoiceWindow::wait_for_choice()
{
    QPointer<ChoiceWindow> self(this);
    QEventLoop loop;
    connect(this, &ChoiceWindow::decided, &loop, &QEventLoop::quit);
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    connect(qApp, &QCoreApplication::aboutToQuit, &loop, &QEventLoop::quit);
    show();
    raise();
    activateWindow();
    if (m_state == Undecided)
        loop.exec();
    if (!self)
        return false;
    decide(Cancelled);
    return true;
}

void ChoiceWindow::keep_on_screen()
{
    const QScreen *screen = this->screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    QPoint at = pos();
    if (at.x() + width() > available.right() + 1)
        at.setX(std::max(available.left(), available.right() + 1 - width()));
    if (at.y() + height() > available.bottom() + 1)
        at.setY(std::max(available.top(), available.bottom() + 1 - height()));
    move(at);
}

void ChoiceWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible())
        decide(Cancelled);
    QWidget::changeEvent(event);
}

void ChoiceWindow::closeEvent(QCloseEvent *event)
{
    decide(Cancelled);
    QWidget::closeEvent(event);
}

DragHeader::DragHeader(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setAutoFillBackground(true);
    QPalette colors = palette();
    colors.setColor(QPalette::Window, palette().color(QPalette::Highlight));
    colors.setColor(QPalette::WindowText, palette().color(QPalette::HighlightedText));
    setPalette(colors);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    setFixedHeight(20);
    setCursor(Qt::SizeAllCursor);
}

void DragHeader::mousePressEvent(QMouseEvent *event)
{
    m_grab = event->globalPosition().toPoint() - window()->pos();
    event->accept();
}

void DragHeader::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        window()->move(event->globalPosition().toPoint() - m_grab);
    event->accept();
}
