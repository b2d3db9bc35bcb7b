#include "masterdata/ui/fcatalogue_editor.h"

#include "data/memtable.h"
#include "widgets/appearance.h"
#include "widgets/dialog_parts.h"
#include "widgets/enter_as_tab.h"
#include "widgets/help.h"
#include "widgets/localize.h"
#include "widgets/window_host.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TCatalogueEditor::TCatalogueEditor(TMemTable *set, const QString &keys, QWidget *parent)
    : QDialog(parent, fixed_dialog_flags), m_set(set), m_keys(keys)
{
}

void TCatalogueEditor::finish_layout(QLayout *fields)
{
    auto *help = command_button(QStringLiteral("Nápověda"), QStringLiteral("btnHelp"), this);
    m_ok = command_button(QStringLiteral("OK"), QStringLiteral("btnOk"), this);
    auto *cancel = command_button(QStringLiteral("Storno"), QStringLiteral("btnCancel"), this);
    m_ok->setDefault(true);
    connect(help, &QPushButton::clicked, this, [this] { show_help(this); });
    connect(m_ok, &QPushButton::clicked, this, &TCatalogueEditor::accept);
    connect(cancel, &QPushButton::clicked, this, &TCatalogueEditor::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    localize_component(this);
    apply_dialog_color(*this);
    install_help_key(this);
    enter_as_tab(*this);
}

void TCatalogueEditor::window_activated()
{
    window_host().set_status_hint(windowTitle() + m_keys);
}

bool TCatalogueEditor::event(QEvent *event)
{
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate)
        window_activated();
    return handled;
}

void TCatalogueEditor::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    window_activated();
    if (QWidget *control = first_control())
        control->setFocus();
}

void TCatalogueEditor::accept()
{
    if (!m_ok || !m_ok->isEnabled())
        return;
    const bool saved = save();
    raise();
    activateWindow();
    if (saved)
        QDialog::accept();
}

void TCatalogueEditor::done(int result)
{
    if (result != QDialog::Accepted)
        m_set->cancel();
    QDialog::done(result);
}
