#include "widgets/dbnumber_edit.h"

#include "data/memtable.h"
#include "text/number_format.h"

#include <QAction>
#include <QEvent>
#include <QPainter>

namespace {

QIcon calculator_icon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QColor(90, 90, 90));
    painter.setBrush(QColor(235, 235, 235));
    painter.drawRect(2, 1, 11, 14);
    painter.fillRect(4, 3, 8, 3, QColor(120, 170, 120));
    for (int y = 8; y <= 12; y += 2)
        for (int x = 4; x <= 10; x += 3)
            painter.fillRect(x, y, 2, 1, QColor(60, 60, 60));
    return QIcon(pixmap);
}

} // namespace

TDBNumberEdit::TDBNumberEdit(QWidget *parent) : TDBEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void TDBNumberEdit::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ReadOnlyChange && m_calculator)
        m_calculator->setEnabled(!isReadOnly());
    TDBEdit::changeEvent(event);
}

void TDBNumberEdit::set_display_format(const QString &format)
{
    m_display_format = format;
    show_value();
}

void TDBNumberEdit::show_calculator_button(const QString &hint)
{
    if (!m_calculator) {
        m_calculator = addAction(calculator_icon(), QLineEdit::TrailingPosition);
        m_calculator->setEnabled(!isReadOnly());
        connect(m_calculator, &QAction::triggered, this, &TDBNumberEdit::calculator_requested);
    }
    m_calculator->setToolTip(hint);
}

void TDBNumberEdit::set_value(double value)
{
    if (m_link.modify([value](TField &field) { field.set_as_float(value); }))
        emit edited();
    show_value();
}

QString TDBNumberEdit::resting_text(const TField &field) const
{
    const QString format = m_display_format.isEmpty() ? field.display_format : m_display_format;
    if (format.isEmpty() || field.is_null())
        return field.as_string();
    return format_number(field.as_float(), format);
}
