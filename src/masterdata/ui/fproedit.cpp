#include "masterdata/ui/fproedit.h"

#include "calc/ui/user_calc_history.h"
#include "calc/user_hist.h"
#include "data/db_api.h"
#include "data/memtable.h"
#include "masterdata/products.h"
#include "masterdata/ui/flistedit.h"
#include "widgets/dbedit.h"
#include "widgets/dblookup_combo.h"
#include "widgets/dbmemo.h"
#include "widgets/dbnumber_edit.h"
#include "widgets/help.h"
#include "widgets/image_list16.h"
#include "widgets/label_helpers.h"
#include "widgets/owner_window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

const QString status_keys = QStringLiteral("|OK - uložit údaje, Storno - zpět bez uložení.");
const QString new_group_hint = QStringLiteral("nová skupina produktů");
// The name edit's name is the key under which the names typed into it are remembered.
const QString name_history_key = QStringLiteral("DBEdit2proname");
const QString price_format = QStringLiteral(",0.00");

const int help_editor = 2021;
const int help_groups = 407;
const int name_width = 320;
const int short_width = 108;

QLabel *caption_of(const QString &text, QWidget *control, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(control);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

// The label of the field the control shows.
QLabel *field_label(QWidget *control, QWidget *parent)
{
    QLabel *label = caption_of({}, control, parent);
    label_with_colon(*label, *control);
    return label;
}

void make_bold(QWidget *control)
{
    QFont font = control->font();
    font.setBold(true);
    control->setFont(font);
}

} // namespace

Tfm_proedit::Tfm_proedit(int mode, TMemTable *set, QWidget *parent)
    : TRecordEditor(mode, set, parent)
{
    set_status_keys(status_keys);
    setObjectName(QStringLiteral("fm_proedit"));
    setWindowTitle(mode == Add ? QStringLiteral("Přidání nového produktu.")
                               : QStringLiteral("Oprava produktu."));
    set_help_topic(this, help_editor);
    m_groups =
        dbAPI->select_sql(QStringLiteral("PRO_GRP"), QStringLiteral("SELECT * FROM PRO_GRP"));
    if (mode == Add) {
        const int first_group =
            m_groups && !m_groups->is_empty() ? m_groups->cell_value(0, 0).toInt() : 0;
        this->set().field_by_name(QStringLiteral("ID_PRO_GRP")).set_as_integer(first_group);
        this->set().field_by_name(QStringLiteral("PRO_NO")).set_as_integer(next_product_number(*dbAPI));
    }
    create_controls();
    fill_units();
    update_ok();
}

Tfm_proedit::~Tfm_proedit()
{
    m_group->set_lookup(nullptr, {});
    if (dbAPI)
        dbAPI->free_set(m_groups);
}

void Tfm_proedit::create_controls()
{
    m_number = new TDBEdit(this);
    m_number->setObjectName(QStringLiteral("DBEditProNo"));
    m_number->bind(&set(), QStringLiteral("PRO_NO"));
    m_number->setFixedWidth(short_width);
    make_bold(m_number);
    auto *unique = new QLabel(QStringLiteral("číslo musí být jedinečné"), this);

    m_name = new TDBEdit(this);
    m_name->setObjectName(name_history_key);
    m_name->bind(&set(), QStringLiteral("PRO_NAME"));
    m_name->setFixedWidth(name_width);
    make_bold(m_name);
    m_name_history = attach_text_history(m_name);

    m_group = new TDBLookupCombo(this);
    m_group->setObjectName(QStringLiteral("DBLookupProGrp"));
    m_group->bind(&set(), QStringLiteral("ID_PRO_GRP"));
    m_group->set_lookup(m_groups, QStringLiteral("GRP_NAME"));
    m_group->setMaxVisibleItems(8);
    m_group->setFixedWidth(name_width);
    m_new_group = new QToolButton(this);
    m_new_group->setObjectName(QStringLiteral("btnNewGroup"));
    m_new_group->setIcon(ImageList16::icon(ImageList16::plus));
    m_new_group->setToolTip(new_group_hint);
    connect(m_new_group, &QToolButton::clicked, this, &Tfm_proedit::add_group);

    m_unit = new QComboBox(this);
    m_unit->setObjectName(QStringLiteral("cbUnit"));
    m_unit->setEditable(true);
    m_unit->setInsertPolicy(QComboBox::NoInsert);
    m_unit->setFixedWidth(short_width);
    const TField &unit = set().field_by_name(QStringLiteral("UNITV"));
    if (unit.size() > 0)
        m_unit->lineEdit()->setMaxLength(unit.size());

    m_cost = new TDBNumberEdit(this);
    m_cost->setObjectName(QStringLiteral("DBEditCost"));
    m_cost->bind(&set(), QStringLiteral("COST"));
    m_cost->set_display_format(price_format);
    m_cost->setFixedWidth(short_width);

    m_note = new TDBMemo(this);
    m_note->setObjectName(QStringLiteral("DBMemoNote"));
    m_note->bind(&set(), QStringLiteral("PRO_NOTE"));
    m_note->setFixedSize(name_width, 88);

    auto *fields = new QGridLayout;
    fields->setHorizontalSpacing(6);
    auto row_of = [fields](int row, QLabel *label, QWidget *control, QWidget *after = nullptr) {
        fields->addWidget(label, row, 0);
        auto *line = new QHBoxLayout;
        line->setSpacing(4);
        line->addWidget(control);
        if (after)
            line->addWidget(after);
        line->addStretch(1);
        fields->addLayout(line, row, 1);
    };
    row_of(0, field_label(m_number, this), m_number, unique);
    row_of(1, field_label(m_name, this), m_name);
    // The reference column has no label of its own; the group's name has.
    const QString group = set().field_by_name(QStringLiteral("GRP_NAME")).display_label;
    row_of(2, caption_of(group + QStringLiteral(":"), m_group, this), m_group, m_new_group);
    row_of(3, caption_of(unit.display_label + QStringLiteral(":"), m_unit, this), m_unit);
    row_of(4, caption_of(QStringLiteral("Konečná cena:"), m_cost, this), m_cost);
    QLabel *note_label = field_label(m_note, this);
    note_label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    row_of(5, note_label, m_note);

    set_first_control(m_number);
    finish_layout(fields);
    connect(m_number, &QLineEdit::textChanged, this, &Tfm_proedit::update_ok);
    connect(m_name, &QLineEdit::textChanged, this, &Tfm_proedit::update_ok);
}

// The units in their stored order; a unit typed that the list lacks is kept as typed.
void Tfm_proedit::fill_units()
{
    TField &unit = set().field_by_name(QStringLiteral("UNITV"));
    const QString current = unit.as_string();
    ScopedSet units = dbAPI->select_scoped(
        QStringLiteral("PRO_UNITS"), QStringLiteral("SELECT * FROM PRO_UNITS ORDER BY RECID"));
    const TField *shortcut = units ? units->find_field(QStringLiteral("UNIT_SHORT")) : nullptr;
    for (int row = 0; shortcut && row < units->record_count(); ++row)
        m_unit->addItem(units->cell_text(row, shortcut->index()));
    m_unit->setCurrentIndex(-1);
    m_unit->setEditText(current);
    connect(m_unit, &QComboBox::editTextChanged, this, [this](const QString &text) {
        set().field_by_name(QStringLiteral("UNITV")).set_as_string(text);
    });
}

void Tfm_proedit::add_group()
{
    const int id =
        edit_list_record(0, m_groups, QStringLiteral("PRO_GRP"), {}, help_groups, new_group_hint);
    if (id == 0)
        return;
    set().field_by_name(QStringLiteral("ID_PRO_GRP")).set_as_integer(id);
    m_group->refresh();
}

bool Tfm_proedit::complete() const
{
    return !m_number->text().trimmed().isEmpty() && !m_name->text().trimmed().isEmpty();
}

int Tfm_proedit::store(int recid)
{
    ProductRecord product;
    product.recid = recid;
    product.number = set().field_by_name(QStringLiteral("PRO_NO")).as_integer();
    product.name = set().field_by_name(QStringLiteral("PRO_NAME")).as_string().trimmed();
    product.group = set().field_by_name(QStringLiteral("ID_PRO_GRP")).as_integer();
    product.unit = set().field_by_name(QStringLiteral("UNITV")).as_string().trimmed();
    product.cost = set().field_by_name(QStringLiteral("COST")).as_float();
    product.note = set().field_by_name(QStringLiteral("PRO_NOTE")).as_string();
    return save_product(*dbAPI, product);
}

void Tfm_proedit::stored()
{
    if (TField *group_name = set().find_field(QStringLiteral("GRP_NAME")))
        group_name->set_as_string(m_group->currentText());
    store_history(name_history_key,
                  set().field_by_name(QStringLiteral("PRO_NAME")).as_string().trimmed());
}

int edit_product(int mode, TMemTable *set)
{
    if (!dbAPI || !set || !set->active() || (mode == Tfm_proedit::Edit && set->is_empty()))
        return 0;
    Tfm_proedit editor(mode, set, owner_window());
    return editor.exec() == QDialog::Accepted ? editor.recid() : 0;
}
