#include "calc/ui/fcalcedit.h"

#include "calc/ui/calc_script_edit.h"
#include "calc/user_calc.h"
#include "data/db_api.h"
#include "data/memtable.h"
#include "widgets/appearance.h"
#include "widgets/dbcheckbox.h"
#include "widgets/dbedit.h"
#include "widgets/dialog_parts.h"
#include "widgets/enter_as_tab.h"
#include "widgets/help.h"
#include "widgets/localize.h"
#include "widgets/owner_window.h"
#include "widgets/window_host.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {

const QString caption = QStringLiteral("Uživatelský kalkulátor");
const QString status_keys = QStringLiteral("|OK - uložit vzorec, Storno - zpět bez uložení.");
const QString name_column = QStringLiteral("CALC_NAME");
const QString script_column = QStringLiteral("FORMULA");
const QString public_column = QStringLiteral("IS_CALC_PUBLIC");
const int help_editor = 106;

QString text_of(const TMemTable &set, const QString &column)
{
    const TField *field = set.find_field(column);
    return field ? field->as_string() : QString();
}

} // namespace

TfCalcEdit::TfCalcEdit(int mode, TMemTable *set, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint),
      m_mode(mode), m_set(set)
{
    setObjectName(QStringLiteral("fcalcedit"));
    setWindowTitle(caption);
    set_help_topic(this, help_editor);
    if (m_mode == Add) {
        m_set->append();
        m_set->find_field(script_column)->set_as_string(new_calculator_template());
        m_set->find_field(public_column)->set_as_string(QStringLiteral("T"));
    } else {
        m_recid = dbAPI->current_recid(m_set);
        m_set->edit();
    }
    create_layout();
    localize_component(this);
    apply_dialog_color(*this);
    install_help_key(this);
    enter_as_tab(*this);
    update_ok();
}

void TfCalcEdit::create_layout()
{
    m_name = new TDBEdit(this);
    m_name->setObjectName(QStringLiteral("edit_calc_name"));
    m_name->bind(m_set, name_column);
    m_script = new TCalcScriptEdit(this);
    m_script->setObjectName(QStringLiteral("edit_formula"));
    m_script->bind(m_set, script_column);
    m_public = new TDBCheckBox(this);
    m_public->setObjectName(QStringLiteral("check_public"));
    m_public->bind(m_set, public_column);
    m_public->setText(m_set->find_field(public_column)->display_label);
    connect(m_name, &QLineEdit::textChanged, this, &TfCalcEdit::update_ok);
    connect(m_script, &TDBMemo::edited, this, &TfCalcEdit::update_ok);

    auto *name_label = new QLabel(QStringLiteral("Název kalkulátoru:"), this);
    name_label->setBuddy(m_name);
    auto *script_label = new QLabel(QStringLiteral("Vzorec"), this);
    script_label->setBuddy(m_script);

    QPushButton *help = command_button(QStringLiteral("Nápověda"), "btnHelp", this);
    m_ok = command_button(QStringLiteral("OK"), "btnOk", this);
    QPushButton *cancel = command_button(QStringLiteral("Storno"), "btnCancel", this);
    connect(help, &QPushButton::clicked, this, [this] { show_help(this); });
    connect(m_ok, &QPushButton::clicked, this, &TfCalcEdit::accept);
    connect(cancel, &QPushButton::clicked, this, &TfCalcEdit::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);

    auto *layout = new QGridLayout(this);
    layout->addWidget(name_label, 0, 0);
    layout->addWidget(m_name, 0, 1);
    layout->addWidget(script_label, 1, 0, Qt::AlignTop);
    layout->addWidget(m_script, 1, 1);
    layout->addWidget(m_public, 2, 1);
    layout->addLayout(buttons, 3, 0, 1, 2);
    layout->setRowStretch(1, 1);
    resize(620, 460);
}

void TfCalcEdit::update_ok()
{
    if (m_ok)
        m_ok->setEnabled(calculator_can_be_saved(m_name->text(), m_script->toPlainText()));
}

void TfCalcEdit::window_activated()
{
    window_host().set_status_hint(windowTitle() + status_keys);
}

bool TfCalcEdit::event(QEvent *event)
{
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate)
        window_activated();
    return handled;
}

void TfCalcEdit::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    window_activated();
    m_name->setFocus();
}

void TfCalcEdit::accept()
{
    if (m_ok->isEnabled() && save())
        QDialog::accept();
}

void TfCalcEdit::done(int result)
{
    if (result != QDialog::Accepted)
        m_set->cancel();
    QDialog::done(result);
}

// The row stays in edit until the database has taken it, so a refused save leaves the
// script the user wrote in the editor.
bool TfCalcEdit::save()
{
    const CalcRecord calculator{m_recid, text_of(*m_set, name_column),
                                text_of(*m_set, script_column),
                                text_of(*m_set, public_column) == QLatin1String("T")};
    const int id = save_calculator(calculator);
    raise();
    activateWindow();
    if (id == 0)
        return false;
    m_set->find_field(QStringLiteral("RECID"))->set_as_integer(id);
    m_recid = id;
    m_set->post();
    return true;
}

int edit_calculator(TMemTable *set, int mode)
{
    if (!dbAPI || !set || !set->active() ||
        (mode == TfCalcEdit::Edit && set->current_index() < 0))
        return 0;
    TfCalcEdit editor(mode, set, owner_window());
    return editor.exec() == QDialog::Accepted ? editor.recid() : 0;
}
