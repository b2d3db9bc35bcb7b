#include "reports/ui/report_picker.h"

#include "data/db_api.h"
#include "masterdata/ui/fselector.h"
#include "widgets/help.h"

#include <QAction>
#include <QKeyEvent>
#include <QStyle>

ReportPicker::ReportPicker(const QString &object_name, Source source, QWidget *parent)
    : QLineEdit(parent), m_source(std::move(source))
{
    setObjectName(object_name);
    setReadOnly(true);
    QAction *button =
        addAction(style()->standardIcon(QStyle::SP_ArrowDown), QLineEdit::TrailingPosition);
    button->setObjectName(object_name + QStringLiteral("Button"));
    button->setToolTip(m_source.selector_title);
    connect(button, &QAction::triggered, this, &ReportPicker::drop_down);
    set_value(0);
}

void ReportPicker::set_value(int recid)
{
    m_value = recid;
    if (recid == 0 || !dbAPI)
        setText(m_source.all_text);
    else
        setText(dbAPI->lookup_text(recid, m_source.table, m_source.name_column));
    setCursorPosition(0);
}

void ReportPicker::drop_down()
{
    set_value(select_row(this, help_topic(this), m_value, {}, 0, width(),
                         m_source.selector_title, m_source.select, m_source.set_name));
}

void ReportPicker::keyPressEvent(QKeyEvent *event)
{
    const bool opens = event->key() == Qt::Key_F4 ||
                       (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier));
    if (opens) {
        drop_down();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
