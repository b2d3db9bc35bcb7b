#include "masterdata/ui/flistedit.h"

#include "data/db_api.h"
#include "data/memtable.h"
#include "data/messages.h"
#include "masterdata/code_list_rows.h"
#include "widgets/appearance.h"
#include "widgets/dbcheckbox.h"
#include "widgets/dbedit.h"
#include "widgets/dbmemo.h"
#include "widgets/dbnumber_edit.h"
#include "widgets/dialog_parts.h"
#include "widgets/enter_as_tab.h"
#include "widgets/help.h"
#include "widgets/localize.h"
#include "widgets/owner_window.h"
#include "widgets/window_host.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace {

const QString recid_name = QStringLiteral("RECID");
const QString status_keys = QStringLiteral("|OK - uložit údaje, Storno - zpět bez uložení.");

// Texts longer than this get a memo; shorter ones fit on one line.
const int memo_threshold = 200;

const int first_row_top = 32;
const int label_left = 8;
const int label_width = 120;
const int control_left = 138;
const int text_width = 208;
const int other_width = 108;
const int control_height = 22;
const int row_step = 24;
const int memo_height = 88;
const int memo_step = 92;
const int button_width = 88;
const int button_height = 26;
const int button_gap = 6;
const int margin = 8;
const int window_width = control_left + text_width + 2 * margin;

const int help_delete_question = 410;

bool is_memo_field(const TField &field)
{
    return field.type() == FieldType::Text && field.size() > memo_threshold;
}

} // namespace

Tfm_listedit::Tfm_listedit(int mode, TMemTable *set, const QString &table, list_edit_hook hook,
                           int help_topic, const QString &caption, QWidget *parent)
    : QDialog(parent, fixed_dialog_flags), m_mode(mode), m_set(set), m_table(table),
      m_hook(std::move(hook))
{
    setObjectName(QStringLiteral("fm_listedit"));
    setWindowTitle(caption);
    set_help_topic(this, help_topic);
    if (m_mode == Add) {
        m_set->append();
    } else {
        m_recid = dbAPI->current_recid(m_set);
        m_set->edit();
    }
    build_controls();
    localize_component(this);
    apply_dialog_color(*this);
    install_help_key(this);
    enter_as_tab(*this);
    update_ok();
}

void Tfm_listedit::build_controls()
{
    int top = first_row_top;
    for (int index = 0; index < m_set->field_count(); ++index) {
        TField &field = m_set->field(index);
        if (field.name().compare(recid_name, Qt::CaseInsensitive) == 0)
            continue;
        int next_top = top;
        QWidget *control = create_control(field, top, next_top);
        control->setObjectName(field.name());
        m_fields.push_back(&field);
        m_controls.push_back(control);
        if (!field.visible)
            control->hide();
        if (m_hook)
            m_hook(control);
        top = next_top;
    }
    // A hook may have set a field behind its control, or disabled a control.
    for (QWidget *control : m_controls)
        if (auto *aware = dynamic_cast<TDataAware *>(control))
            aware->refresh();
    const auto focusable = std::find_if(m_controls.begin(), m_controls.end(), [](QWidget *c) {
        return c->isEnabled() && !c->isHidden();
    });
    m_first_control = focusable != m_controls.end() ? *focusable : nullptr;
    place_buttons(top + margin);
}

QWidget *Tfm_listedit::create_control(TField &field, int top, int &next_top)
{
    next_top = top + row_step;
    const int width = field.type() == FieldType::Text ? text_width : other_width;
    if (TdbAPI::is_flag_field(field.name())) {
        if (field.is_null())
            field.set_as_string(QStringLiteral("F"));
        auto *box = new TDBCheckBox(this);
        box->bind(m_set, field.name());
        box->setText(field.display_label);
        box->setGeometry(control_left, top, width, control_height);
        connect(box, &TDBCheckBox::clicked, this, &Tfm_listedit::update_ok);
        return box;
    }
    QWidget *control = nullptr;
    if (is_memo_field(field)) {
        auto *memo = new TDBMemo(this);
        memo->bind(m_set, field.name());
        memo->setGeometry(control_left, top, width, memo_height);
        next_top = top + memo_step;
        control = memo;
    } else {
        TDBEdit *edit =
            field.type() == FieldType::Float ? new TDBNumberEdit(this) : new TDBEdit(this);
        edit->bind(m_set, field.name());
        edit->setGeometry(control_left, top, width, control_height);
        connect(edit, &QLineEdit::textChanged, this, &Tfm_listedit::update_ok);
        m_required.push_back(edit);
        control = edit;
    }
    auto *label = new QLabel(field.display_label, this);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(label_left, top, label_width, control_height);
    label->setBuddy(control);
    if (!field.visible)
        label->hide();
    return control;
}

void Tfm_listedit::place_buttons(int top)
{
    m_help = command_button(QStringLiteral("Nápověda"), "btnHelp", this);
    m_ok = command_button(QStringLiteral("OK"), "btnOk", this);
    m_cancel = command_button(QStringLiteral("Storno"), "btnCancel", this);
    m_ok->setDefault(true);
    m_help->setGeometry(margin, top, button_width, button_height);
    m_cancel->setGeometry(window_width - margin - button_width, top, button_width, button_height);
    m_ok->setGeometry(m_cancel->x() - button_gap - button_width, top, button_width, button_height);
    connect(m_help, &QPushButton::clicked, this, [this] { show_help(this); });
    connect(m_ok, &QPushButton::clicked, this, &Tfm_listedit::accept);
    connect(m_cancel, &QPushButton::clicked, this, &Tfm_listedit::reject);
    setFixedSize(window_width, top + button_height + margin + 4);
}

QWidget *Tfm_listedit::control_of(const QString &field_name) const
{
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (m_fields[i]->name().compare(field_name, Qt::CaseInsensitive) == 0)
            return m_controls[i];
    return nullptr;
}

void Tfm_listedit::update_ok()
{
    // Controls showing their first value come before the buttons.
    if (!m_ok)
        return;
    m_ok->setEnabled(std::all_of(m_required.begin(), m_required.end(), [](const QLineEdit *edit) {
        return !edit->text().trimmed().isEmpty();
    }));
}

void Tfm_listedit::window_activated()
{
    window_host().set_status_hint(windowTitle() + status_keys);
}

bool Tfm_listedit::event(QEvent *event)
{
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate)
        window_activated();
    return handled;
}

void Tfm_listedit::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    window_activated();
    if (m_first_control)
        m_first_control->setFocus();
}

void Tfm_listedit::accept()
{
    if (!m_ok->isEnabled())
        return;
    if (save())
        QDialog::accept();
}

void Tfm_listedit::done(int result)
{
    if (result != QDialog::Accepted)
        m_set->cancel();
    QDialog::done(result);
}

// The row stays in edit until the database has taken it, so a refused save (a read-only
// database) leaves everything the user typed in the editor.
bool Tfm_listedit::save()
{
    if (m_hook && !m_hook(m_set))
        return false;
    const int id = save_code_list_row(*dbAPI, m_table, m_mode == Add ? 0 : m_recid,
                                      {m_fields.begin(), m_fields.end()});
    raise();
    activateWindow();
    if (id == 0)
        return false;
    if (TField *recid = m_set->find_field(recid_name))
        recid->set_as_integer(id);
    m_recid = id;
    m_set->post();
    return true;
}

int edit_list_record(int mode, TMemTable *set, const QString &table, const list_edit_hook &hook,
                     int help_topic, const QString &caption)
{
    if (!dbAPI || !set || !set->active() ||
        (mode == Tfm_listedit::Edit && set->current_index() < 0))
        return 0;
    Tfm_listedit editor(mode, set, table, hook, help_topic, caption, owner_window());
    return editor.exec() == QDialog::Accepted ? editor.recid() : 0;
}

int delete_list_record(TMemTable *set, const QString &table, const QString &question)
{
    const int id = dbAPI ? dbAPI->current_recid(set) : 0;
    if (id == 0)
        return 0;
    if (show_message(QStringLiteral("Pozor!"), question, mbYesNo | mbDefaultNo | mbIconWarning,
                     false, help_delete_question) != mrYes)
        return 0;
    if (!delete_code_list_row(*dbAPI, table, id))
        return 0;
    set->remove();
    return id;
}
