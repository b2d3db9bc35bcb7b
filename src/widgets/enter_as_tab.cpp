#include "widgets/enter_as_tab.h"

#include "widgets/command_key.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

namespace {

bool is_plain_enter(const QKeyEvent &key)
{
    return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) &&
           is_plain_key(key);
}

// Controls that give Enter a meaning of their own: a line break in an editable text, the
// row's command in a grid.
bool keeps_enter(const QWidget &control)
{
    if (qobject_cast<const QAbstractItemView *>(&control))
        return true;
    if (const auto *memo = qobject_cast<const QPlainTextEdit *>(&control))
        return !memo->isReadOnly();
    if (const auto *text = qobject_cast<const QTextEdit *>(&control))
        return !text->isReadOnly();
    return false;
}

QAbstractButton *pressable_button(QWidget &control)
{
    auto *button = qobject_cast<QAbstractButton *>(&control);
    if (!button || qobject_cast<QCheckBox *>(button) || qobject_cast<QRadioButton *>(button))
        return nullptr;
    return button;
}

// The enabled default button of a dialog, which Enter would press in a dialog without this
// behaviour.
QPushButton *default_button(QWidget &window)
{
    if (!qobject_cast<QDialog *>(&window))
        return nullptr;
    const QList<QPushButton *> buttons = window.findChildren<QPushButton *>();
    for (QPushButton *button : buttons) {
        if (button->isDefault() && button->isEnabled() && button->isVisible())
            return button;
    }
    return nullptr;
}

} // namespace

TEnterAsTab::TEnterAsTab(QWidget &window) : QObject(&window), m_window(window)
{
    // Key presses go to the focused control, not to the window, so only an application-wide
    // filter sees them before a control or a dialog's default button acts on Enter.
    qApp->installEventFilter(this);
}

bool TEnterAsTab::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !is_plain_enter(*static_cast<QKeyEvent *>(event)))
        return false;
    auto *control = qobject_cast<QWidget *>(watched);
    if (!control || !(control == &m_window || m_window.isAncestorOf(control)) ||
        keeps_enter(*control))
        return false;
    if (QAbstractButton *button = pressable_button(*control)) {
        button->click();
        return true;
    }
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(control, &tab);
    // Enter in the last field of a dialog confirms it, as the user means, rather than
    // leaving the focus on the first of the buttons.
    if (qobject_cast<QPushButton *>(QApplication::focusWidget()))
        if (QPushButton *confirm = default_button(m_window))
            confirm->click();
    return true;
}

void enter_as_tab(QWidget &window)
{
    new TEnterAsTab(window);
}
