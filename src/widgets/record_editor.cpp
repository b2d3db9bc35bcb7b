#include "widgets/record_editor.h"

#include "data/db_api.h"
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

TRecordEditor::TRecordEditor(int mode, TMemTable *set, QWidget *parent)
    : QDialog(parent, fixed_dialog_flags), m_mode(mode), m_set(set),
      m_status_keys(QStringLiteral("|OK - uložit údaje, Storno - zpět bez uložení."))
{
    if (m_mode == Add) {
        // A caller may have appended the row already, to fill some of it first.
        if (m_set->state() != TMemTable::State::Insert)
            m_set->append();
    } else {
        m_recid = dbAPI->current_recid(m_set);
        m_set->edit();
    }
}

void TRecordEditor::create_buttons(const QString &ok_caption)
{
    m_help = command_button(QStringLiteral("Nápověda"), QStringLiteral("btnHelp"), this);
    m_ok = command_button(ok_caption, QStringLiteral("btnOk"), this);
    m_cancel = command_button(QStringLiteral("Storno"), QStringLiteral("btnCancel"), this);
    m_ok->setDefault(true);
    connect(m_help, &QPushButton::clicked, this, [this] { show_help(this); });
    connect(m_ok, &QPushButton::clicked, this, &TRecordEditor::accept);
    connect(m_cancel, &QPushButton::clicked, this, &TRecordEditor::reject);
}

QHBoxLayout *TRecordEditor::buttons_row()
{
    auto *row = new QHBoxLayout;
    row->addWidget(m_help);
    row->addStretch(1);
    row->addWidget(m_ok);
    row->addWidget(m_cancel);
    return row;
}

void TRecordEditor::finish_layout(QLayout *fields)
{
    create_buttons();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addSpacing(8);
    layout->addLayout(buttons_row());
    layout->setSizeConstraint(QLayout::SetFixedSize);
    localize_component(this);
    apply_dialog_color(*this);
    install_help_key(this);
    enter_as_tab(*this);
}

void TRecordEditor::update_ok()
{
    // Controls showing their first value come before the buttons.
    if (m_ok)
        m_ok->setEnabled(complete());
}

void TRecordEditor::window_activated()
{
    window_host().set_status_hint(windowTitle() + m_status_keys);
}

bool TRecordEditor::event(QEvent *event)
{
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate)
        window_activated();
    return handled;
}

void TRecordEditor::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    window_activated();
    if (m_first_control)
        m_first_control->setFocus();
}

int TRecordEditor::run()
{
    const QString caption = windowTitle();
    window_host().editor_opened(caption);
    const bool saved = exec() == QDialog::Accepted;
    window_host().editor_closed(caption);
    return saved ? m_recid : 0;
}

void TRecordEditor::accept()
{
    if (!m_ok || !m_ok->isEnabled())
        return;
    if (save())
        QDialog::accept();
}

void TRecordEditor::done(int result)
{
    if (result != QDialog::Accepted)
        m_set->cancel();
    QDialog::done(result);
}

// The row stays in its edit until the database has taken it, so a refused save leaves
// everything the user typed in the editor.
bool TRecordEditor::save()
{
    const int id = store(m_mode == Add ? 0 : m_recid);
    raise();
    activateWindow();
    if (id == 0)
        return false;
    if (TField *recid = m_set->find_field(QStringLiteral("RECID")))
        recid->set_as_integer(id);
    m_recid = id;
    stored();
    m_set->post();
    return true;
}
