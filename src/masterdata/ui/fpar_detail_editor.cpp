#include "masterdata/ui/fpar_detail_editor.h"

#include "calc/ui/user_calc_history.h"
#include "data/db_api.h"
#include "data/memtable.h"
#include "widgets/appearance.h"
#include "widgets/dbcheckbox.h"
#include "widgets/dbedit.h"
#include "widgets/dbmemo.h"
#include "widgets/enter_as_tab.h"
#include "widgets/help.h"
#include "widgets/label_helpers.h"
#include "widgets/localize.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

const int text_width = 300;

enum Column { LabelColumn, ControlColumn };

} // namespace

TParDetailEditor::TParDetailEditor(PartnerDetail detail, int mode, TMemTable *set, int partner,
                                   int help_topic, const QString &add_caption,
                                   const QString &edit_caption, QWidget *parent)
    : TRecordEditor(mode, set, parent), m_detail(detail), m_partner(partner)
{
    setWindowTitle(mode == Add ? add_caption : edit_caption);
    set_help_topic(this, help_topic);
    const QString name =
        dbAPI->lookup_text(partner, QStringLiteral("PAR"), QStringLiteral("PARTNER_NAME"));
    m_partner_label = new QLabel(name.isEmpty() ? QStringLiteral("Partner") : name, this);
    m_partner_label->setObjectName(QStringLiteral("lblPartner"));
    QFont bold = m_partner_label->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    m_partner_label->setFont(bold);
    m_partner_label->setTextFormat(Qt::PlainText);

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(m_partner_label);
    m_grid = new QGridLayout;
    m_grid->setColumnMinimumWidth(ControlColumn, text_width);
    layout->addLayout(m_grid);
    connect(set, &TMemTable::field_changed, this, &TParDetailEditor::update_ok);
}

QLabel *TParDetailEditor::add_row(QWidget *control, const QString &field)
{
    const int row = m_grid->rowCount();
    auto *label = new QLabel(field, this);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setBuddy(control);
    label_from_field(*label);
    // A memo's label stands at its first line.
    const bool memo = qobject_cast<QPlainTextEdit *>(control) != nullptr;
    m_grid->addWidget(label, row, LabelColumn,
                      Qt::AlignRight | (memo ? Qt::AlignTop : Qt::AlignVCenter));
    m_grid->addWidget(control, row, ControlColumn);
    if (!first_control())
        set_first_control(control);
    return label;
}

QLabel *TParDetailEditor::label_of(const QWidget *control) const
{
    for (QLabel *label : findChildren<QLabel *>())
        if (label->buddy() == control)
            return label;
    return nullptr;
}

TDBEdit *TParDetailEditor::add_edit(const QString &field, const QString &object_name)
{
    auto *edit = new TDBEdit(this);
    edit->setObjectName(object_name);
    edit->bind(&set(), field);
    add_row(edit, field);
    return edit;
}

TDBMemo *TParDetailEditor::add_memo(const QString &field, const QString &object_name, int lines)
{
    auto *memo = new TDBMemo(this);
    memo->setObjectName(object_name);
    memo->bind(&set(), field);
    memo->setFixedHeight(memo->fontMetrics().lineSpacing() * lines + 12);
    add_row(memo, field);
    return memo;
}

TDBCheckBox *TParDetailEditor::add_check_box(const QString &field, const QString &object_name)
{
    auto *box = new TDBCheckBox(this);
    box->setObjectName(object_name);
    box->bind(&set(), field);
    check_caption_from_field(*box);
    m_grid->addWidget(box, m_grid->rowCount(), ControlColumn);
    return box;
}

TUserCalcHistory *TParDetailEditor::add_text_history(TDBEdit *edit)
{
    return attach_text_history(edit);
}

void TParDetailEditor::finish()
{
    create_buttons();
    static_cast<QVBoxLayout *>(layout())->addLayout(buttons_row());
    localize_component(this);
    apply_dialog_color(*this);
    install_help_key(this);
    enter_as_tab(*this);
    update_ok();
}

bool TParDetailEditor::complete() const
{
    return partner_detail_complete(m_detail, set());
}

int TParDetailEditor::store(int recid)
{
    const int id = save_partner_detail(*dbAPI, m_detail, set(), recid, m_partner);
    if (id != 0)
        set().field_by_name(QStringLiteral("ID_PARTNER")).set_as_integer(m_partner);
    return id;
}

bool TParDetailEditor::can_open(int mode, int partner, const TMemTable *set)
{
    return dbAPI && partner != 0 && set && set->active() &&
           (mode == Add || set->current_index() >= 0);
}
