#include "widgets/date_edit.h"

#include "data/clock.h"
#include "text/format_settings.h"
#include "data/messages.h"

#include <QAction>
#include <QCalendarWidget>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QScreen>
#include <algorithm>

namespace {

QIcon calendar_icon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QColor(90, 90, 90));
    painter.setBrush(Qt::white);
    painter.drawRect(1, 2, 13, 12);
    painter.fillRect(2, 3, 12, 3, QColor(200, 60, 60));
    for (int y = 8; y <= 12; y += 2)
        for (int x = 3; x <= 12; x += 3)
            painter.fillRect(x, y, 2, 1, QColor(90, 90, 90));
    return QIcon(pixmap);
}

QDate parse_date(const QString &text)
{
    return QDate::fromString(text.trimmed(), TDateEdit::display_format());
}

} // namespace

TDateEdit::TDateEdit(QWidget *parent) : QLineEdit(parent)
{
    m_calendar_action = addAction(calendar_icon(), QLineEdit::TrailingPosition);
    m_calendar_action->setToolTip(QStringLiteral("Kalendář"));
    connect(m_calendar_action, &QAction::triggered, this, &TDateEdit::show_calendar);
    connect(this, &QLineEdit::textEdited, this, &TDateEdit::text_typed);
}

void TDateEdit::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ReadOnlyChange)
        m_calendar_action->setEnabled(!isReadOnly());
    QLineEdit::changeEvent(event);
}

QString TDateEdit::display_format()
{
    static const QRegularExpression years(QStringLiteral("y+"));
    return short_date_format().replace(years, QStringLiteral("yyyy"));
}

void TDateEdit::set_date(const QDate &date)
{
    m_date = date.isValid() ? date : QDate();
    setText(m_date.isValid() ? m_date.toString(display_format()) : QString());
}

void TDateEdit::text_typed(const QString &text)
{
    if (text.trimmed().isEmpty()) {
        m_date = {};
        emit date_edited(m_date);
        return;
    }
    const QDate typed = parse_date(text);
    if (typed.isValid() && typed != m_date) {
        m_date = typed;
        emit date_edited(m_date);
    }
}

void TDateEdit::check_text()
{
    if (text().trimmed().isEmpty() || parse_date(text()).isValid())
        return;
    const QString refused = text().trimmed();
    set_date(m_date);
    show_message(QStringLiteral("Chyba"),
                 QStringLiteral("„%1“ není platné datum. Zadejte datum ve tvaru %2, nebo pole "
                                "nechte prázdné.")
                     .arg(refused, today().toString(display_format())),
                 mbIconWarning);
}

void TDateEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // Switching to another window or opening a pop-up is no leaving of the edit.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        check_text();
}

void TDateEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        check_text();
    else if (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier)) {
        show_calendar();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TDateEdit::show_calendar()
{
    if (isReadOnly())
        return;
    if (!m_calendar) {
        m_calendar = new QCalendarWidget(this);
        m_calendar->setWindowFlags(Qt::Popup);
        m_calendar->setLocale(QLocale(QLocale::Czech, QLocale::CzechRepublic));
        m_calendar->setGridVisible(true);
        connect(m_calendar, &QCalendarWidget::clicked, this, &TDateEdit::pick);
        connect(m_calendar, &QCalendarWidget::activated, this, &TDateEdit::pick);
    }
    m_calendar->setSelectedDate(m_date.isValid() ? m_date : today());
    m_calendar->adjustSize();
    QPoint below = mapToGlobal(QPoint(0, height()));
    if (const QScreen *screen = this->screen()) {
        const QRect room = screen->availableGeometry();
        below.setX(std::clamp(below.x(), room.left(),
                              std::max(room.left(), room.right() - m_calendar->width())));
        if (below.y() + m_calendar->height() > room.bottom())
            below.setY(mapToGlobal(QPoint(0, 0)).y() - m_calendar->height());
    }
    m_calendar->move(below);
    m_calendar->show();
    m_calendar->setFocus(Qt::PopupFocusReason);
}

void TDateEdit::pick(const QDate &date)
{
    m_calendar->close();
    set_date(date);
    setFocus(Qt::PopupFocusReason);
    emit date_edited(m_date);
}
