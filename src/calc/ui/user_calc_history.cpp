#include "calc/ui/user_calc_history.h"

#include "calc/ui/fcalc.h"
#include "calc/ui/fhistory.h"
#include "calc/user_calc.h"
#include "calc/user_hist.h"
#include "data/db_api.h"
#include "text/format_settings.h"
#include "widgets/dbnumber_edit.h"
#include "widgets/image_list16.h"
#include "widgets/window_host.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>

namespace {

const int image_calculator = 18;

double field_value(const QLineEdit &field)
{
    if (const TField *bound = bound_field(&field))
        return bound->as_float();
    QString text = field.text().trimmed();
    text.remove(u' ');
    text.replace(decimal_separator(), u'.');
    return text.toDouble();
}

TUserCalcHistory *attach(QLineEdit *field, int image, const QString &hint,
                         TUserCalcHistory::Kind kind)
{
    QAction *button = nullptr;
    if (auto *number = qobject_cast<TDBNumberEdit *>(field);
        number && kind == TUserCalcHistory::Kind::Calculator) {
        number->show_calculator_button(hint);
        button = number->calculator_action();
    } else {
        button = field->addAction(ImageList16::icon(image), QLineEdit::TrailingPosition);
        button->setToolTip(hint);
    }
    return new TUserCalcHistory(button, field, kind);
}

} // namespace

TUserCalcHistory::TUserCalcHistory(QAction *button, QLineEdit *field, Kind kind)
    : QObject(field), m_button(button), m_field(field), m_kind(kind)
{
    connect(m_button, &QAction::triggered, this, &TUserCalcHistory::open);
    m_field->installEventFilter(this);
}

void TUserCalcHistory::open()
{
    if (m_field->isReadOnly())
        return;
    if (m_kind == Kind::Calculator)
        run_calculator_at_field();
    else
        drop_history_down();
}

void TUserCalcHistory::run_calculator_at_field()
{
    if (!dbAPI)
        return;
    TfCalc *runner = open_calculator(m_field, field_value(*m_field));
    for (const CalcChoice &choice : public_calculators())
        add_calculator_choice(runner, choice.name, choice.script);
    const double result = run_calculator(runner);
    QPointer<QLineEdit> field(m_field);
    if (!field)
        return;
    if (auto *number = qobject_cast<TDBNumberEdit *>(field.data()))
        number->set_value(result);
    else
        field->setText(QString::number(result, 'f', 2).replace(u'.', decimal_separator()));
}

// The main window makes the drop-down; a field in a window standing alone makes its own.
void TUserCalcHistory::drop_history_down()
{
    if (!dbAPI)
        return;
    const int key = history_field_key(m_field->objectName());
    auto *drop_down =
        qobject_cast<Tfhistory *>(window_host().open_history(QString::number(key)));
    if (!drop_down)
        drop_down = open_history(key);
    const QRect field(m_field->mapToGlobal(QPoint(0, 0)), m_field->size());
    QPointer<QLineEdit> guard(m_field);
    const int recid = drop_down->run_history(field);
    if (recid == 0 || !guard)
        return;
    // As if typed, so that a field bound to a record set takes the text too.
    const QString text = history_text(recid);
    guard->setText(text);
    emit guard->textEdited(text);
}

bool TUserCalcHistory::store_history() const
{
    return m_kind == Kind::TextHistory && ::store_history(m_field->objectName(), m_field->text());
}

bool TUserCalcHistory::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_field && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Down &&
        static_cast<QKeyEvent *>(event)->modifiers() == Qt::NoModifier) {
        open();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

TUserCalcHistory *attach_calculator(QLineEdit *field)
{
    return attach(field, image_calculator, QStringLiteral("Uživatelské kalkulátory"),
                  TUserCalcHistory::Kind::Calculator);
}

TUserCalcHistory *attach_text_history(QLineEdit *field)
{
    return attach(field, ImageList16::history, QStringLiteral("Historie zadaných textů"),
                  TUserCalcHistory::Kind::TextHistory);
}
