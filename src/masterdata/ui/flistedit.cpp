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
#include "widgets/enter_as_tab.h"
#include "widgets/help.h"
#include "widgets/localize.h"
#include "widgets/owner_window.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace {

const QString recid_name = QStringLiteral("RECID");

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
    : TRecordEditor(mode, set, parent), m_table(table), m_hook(std::move(hook))
{
    setObjectName(QStringLiteral("fm_listedit"));
    setWindowTitle(caption);
    set_help_topic(this, help_topic);
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
    for (int index = 0; index < set().field_count(); ++index) {
        TField &field = set().field(index);
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
    set_first_control(focusable != m_controls.end() ? *focusable : nullptr);
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
        box->bind(&set(), field.name());
        box->setText(field.display_label);
        box->setGeometry(control_left, top, width, control_height);
        connect(box, &TDBCheckBox::clicked, this, &Tfm_listedit::update_ok);
        return box;
    }
    QWidget *control = nullptr;
    if (is_memo_field(field)) {
        auto *memo = new TDBMemo(this);
        memo->bind(&set(), field.name());
        memo->setGeometry(control_left, top, width, memo_height);
        next_top = top + memo_step;
        control = memo;
    } else {
        TDBEdit *edit =
            field.type() == FieldType::Float ? new TDBNumberEdit(this) : new TDBEdit(this);
        edit->bind(&set(), field.name());
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
    create_buttons();
    help_button()->setGeometry(margin, top, button_width, button_height);
    cancel_button()->setGeometry(window_width - margin - button_width, top, button_width,
                                 button_height);
    ok_button()->setGeometry(cancel_button()->x() - button_gap - button_width, top, button_width,
                             button_height);
    setFixedSize(window_width, top + button_height + margin + 4);
}

QWidget *Tfm_listedit::control_of(const QString &field_name) const
{
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (m_fields[i]->name().compare(field_name, Qt::CaseInsensitive) == 0)
            return m_controls[i];
    return nullptr;
}

bool Tfm_listedit::complete() const
{
    return std::all_of(m_required.begin(), m_required.end(), [](const QLineEdit *edit) {
        return !edit->text().trimmed().isEmpty();
    });
}

int Tfm_listedit::store(int recid)
{
    if (m_hook && !m_hook(&set()))
        return 0;
    return save_code_list_row(*dbAPI, m_table, recid, {m_fields.begin(), m_fields.end()});
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
