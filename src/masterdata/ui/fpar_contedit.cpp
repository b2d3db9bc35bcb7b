#include "masterdata/ui/fpar_contedit.h"

#include "calc/user_hist.h"
#include "data/db_api.h"
#include "data/memtable.h"
#include "widgets/dbedit.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace {

const int help_contact_editor = 2015;
const QString type_column = QStringLiteral("CONTACT_TYPE");
const QString name_column = QStringLiteral("CONTACT_NAME");
const QString contact_column = QStringLiteral("CONTACT");
// The name edit's name is the key of its text history.
const QString name_edit = QStringLiteral("DBEdit1cont");

} // namespace

Tfm_par_contedit::Tfm_par_contedit(int mode, TMemTable *set, int partner, QWidget *parent)
    : TParDetailEditor(PartnerDetail::Contact, mode, set, partner, help_contact_editor,
                       QStringLiteral("Přidání nového kontaktu na obchodního partnera."),
                       QStringLiteral("Oprava kontaktu na obchodního partnera."), parent)
{
    setObjectName(QStringLiteral("fm_par_contedit"));
    m_type = new QComboBox(this);
    m_type->setObjectName(QStringLiteral("DBComboBox1cont"));
    m_type->setEditable(true);
    m_type->setInsertPolicy(QComboBox::NoInsert);
    m_type->lineEdit()->setMaxLength(set->field_by_name(type_column).size());
    // The list is no data-aware control: its label is captioned here.
    add_row(m_type, type_column)->setText(set->field_by_name(type_column).display_label);
    fill_types();
    connect(m_type, &QComboBox::editTextChanged, this, &Tfm_par_contedit::type_changed);

    add_text_history(add_edit(name_column, name_edit));
    add_edit(contact_column, QStringLiteral("DBEdit2cont"));
    add_memo(QStringLiteral("CONTACT_MEMO"), QStringLiteral("DBMemo1cont"), 3);
    finish();
}

void Tfm_par_contedit::fill_types()
{
    const QSignalBlocker quiet(m_type);
    const ScopedSet types = dbAPI->select_scoped(
        QStringLiteral("X"), QStringLiteral("SELECT * FROM PAR_CTYPE ORDER BY RECID"));
    const TField *name = types ? types->find_field(type_column) : nullptr;
    for (int row = 0; name && row < types->record_count(); ++row)
        m_type->addItem(types->cell_text(row, name->index()));
    TField &type = set().field_by_name(type_column);
    if (mode() == Add && m_type->count() > 0)
        type.set_as_string(m_type->itemText(0));
    m_type->setEditText(type.as_string());
}

void Tfm_par_contedit::type_changed(const QString &type)
{
    set().field_by_name(type_column).set_as_string(type);
    if (mode() != Add)
        return;
    if (const std::optional<QString> preset = contact_preset(type))
        set().field_by_name(contact_column).set_as_string(*preset);
}

void Tfm_par_contedit::stored()
{
    const QString name = set().field_by_name(name_column).as_string();
    set().field_by_name(QStringLiteral("CONTACT_ITEM"))
        .set_as_string(contact_item(set().field_by_name(type_column).as_string(), name));
    store_history(name_edit, name);
}

int edit_partner_contact(int mode, int partner, TMemTable *set)
{
    return run_detail_editor<Tfm_par_contedit>(mode, partner, set);
}
