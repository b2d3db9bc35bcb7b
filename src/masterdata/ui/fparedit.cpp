#include "masterdata/ui/fparedit.h"

#include "data/db_api.h"
#include "data/memtable.h"
#include "masterdata/partners.h"
#include "masterdata/ui/flistedit.h"
#include "masterdata/ui/fpar_addredit.h"
#include "widgets/appearance.h"
#include "widgets/dbcheckbox.h"
#include "widgets/dbedit.h"
#include "widgets/dblookup_combo.h"
#include "widgets/dbmemo.h"
#include "widgets/enter_as_tab.h"
#include "widgets/help.h"
#include "widgets/image_list16.h"
#include "widgets/label_helpers.h"
#include "widgets/localize.h"
#include "widgets/owner_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const int help_new_partner = 2011;
const int help_partner_correction = 2012;
const int lookup_rows = 8;
// Nine digits always fit the number column; a longer number could not be stored as typed.
const int number_digits = 9;
const int text_width = 300;

const QString continue_keys =
    QStringLiteral("|Pokračuj - uložit údaje a pokračovat na zadání fakturační adresy, Storno - "
                   "zpět bez uložení.");

QLabel *field_label(const QString &field, QWidget *control, QWidget *parent)
{
    auto *label = new QLabel(field, parent);
    label->setBuddy(control);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label_from_field(*label);
    return label;
}

bool is_blank(const TMemTable &set, const char *column)
{
    return set.field_by_name(QLatin1String(column)).as_string().trimmed().isEmpty();
}

} // namespace

struct Tfm_paredit::LookupRow {
    QString field;
    // The field of the partner's row whose label captions the lookup.
    QString label_field;
    TMemTable *list;
    QString list_field;
    QString table;
    int help_topic;
    QString hint;
    TDBLookupCombo **combo;
    QToolButton **button;
};

Tfm_paredit::Tfm_paredit(int mode, TMemTable *set, int doc_type, bool continues_to_address,
                         QWidget *parent)
    : TRecordEditor(mode, set, parent), m_continues(continues_to_address)
{
    setObjectName(QStringLiteral("fm_paredit"));
    setWindowTitle(mode == Add ? QStringLiteral("Přidání nového obchodního partnera.")
                               : QStringLiteral("Oprava obchodního partnera."));
    set_help_topic(this, mode == Add ? help_new_partner : help_partner_correction);
    m_types = dbAPI->select_sql(QStringLiteral("PAR_TYPE"),
                                QStringLiteral("SELECT * FROM PAR_TYPE ORDER BY RECID"));
    m_groups = dbAPI->select_sql(QStringLiteral("PAR_GRP"),
                                 QStringLiteral("SELECT * FROM PAR_GRP ORDER BY RECID"));
    if (mode == Add)
        set_defaults(doc_type);
    if (m_continues)
        set_status_keys(continue_keys);
    build();
    localize_component(this);
    apply_dialog_color(*this);
    install_help_key(this);
    enter_as_tab(*this);
    connect(set, &TMemTable::field_changed, this, &Tfm_paredit::update_ok);
    update_ok();
}

Tfm_paredit::~Tfm_paredit()
{
    if (dbAPI) {
        dbAPI->free_set(m_types);
        dbAPI->free_set(m_groups);
    }
}

void Tfm_paredit::set_defaults(int doc_type)
{
    const int number = next_partner_number(*dbAPI);
    if (number > 0)
        set().field_by_name(QStringLiteral("PARTNER_NO")).set_as_integer(number);
    set().field_by_name(QStringLiteral("IS_VAT")).set_as_string(QStringLiteral("F"));
    const int type = m_types ? default_partner_type(*m_types, doc_type) : 0;
    m_type_missing = partner_type_missing(doc_type, type);
    set().field_by_name(QStringLiteral("ID_PARTNER_TYPE")).set_as_integer(type);
    set().field_by_name(QStringLiteral("ID_PARTNER_GROUP"))
        .set_as_integer(m_groups ? first_partner_group(*m_groups) : 0);
}

void Tfm_paredit::build()
{
    auto *grid = new QGridLayout;
    grid->setColumnMinimumWidth(1, text_width);
    int row = 0;
    auto new_edit = [&](const char *field) {
        auto *edit = new TDBEdit(this);
        edit->setObjectName(QLatin1String(field));
        edit->bind(&set(), QLatin1String(field));
        grid->addWidget(field_label(QLatin1String(field), edit, this), row, 0);
        if (!first_control())
            set_first_control(edit);
        return edit;
    };
    auto add_edit = [&](const char *field) {
        TDBEdit *edit = new_edit(field);
        grid->addWidget(edit, row++, 1);
    };

    TDBEdit *number = new_edit("PARTNER_NO");
    number->setMaxLength(number_digits);
    number->setFixedWidth(number->fontMetrics().horizontalAdvance(u'0') * 12);
    auto *note = new QLabel(QStringLiteral("číslo musí být jedinečné"), this);
    note->setObjectName(QStringLiteral("lblUniqueNumber"));
    auto *number_row = new QHBoxLayout;
    number_row->addWidget(number);
    number_row->addWidget(note);
    number_row->addStretch(1);
    grid->addLayout(number_row, row++, 1);
    add_edit("PARTNER_NAME");
    auto *vat = new TDBCheckBox(this);
    vat->setObjectName(QStringLiteral("IS_VAT"));
    vat->bind(&set(), QStringLiteral("IS_VAT"));
    check_caption_from_field(*vat);
    grid->addWidget(vat, row++, 1);
    add_edit("ICO");
    add_edit("DIC");
    add_lookup(*grid, row++,
               {QStringLiteral("ID_PARTNER_TYPE"), QStringLiteral("PARTNER_TYPE"), m_types,
                QStringLiteral("PARTNER_TYPE"), QStringLiteral("PAR_TYPE"), 405,
                QStringLiteral("nový typ partnera"), &m_type_lookup, &m_new_type});
    add_lookup(*grid, row++,
               {QStringLiteral("ID_PARTNER_GROUP"), QStringLiteral("GRP_NAME"), m_groups,
                QStringLiteral("GRP_NAME"), QStringLiteral("PAR_GRP"), 404,
                QStringLiteral("nová skupina partnerů"), &m_group_lookup, &m_new_group});
    auto *memo = new TDBMemo(this);
    memo->setObjectName(QStringLiteral("PARTNER_MEMO"));
    memo->bind(&set(), QStringLiteral("PARTNER_MEMO"));
    memo->setFixedHeight(memo->fontMetrics().lineSpacing() * 4 + 12);
    grid->addWidget(field_label(QStringLiteral("PARTNER_MEMO"), memo, this), row, 0,
                    Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(memo, row++, 1, 1, 2);

    create_buttons(m_continues ? QStringLiteral(">>> pokračuj") : QStringLiteral("OK"));
    if (m_continues)
        ok_button()->setToolTip(QStringLiteral("pokračuj na zadání fakturační adresy"));

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(grid);
    layout->addLayout(buttons_row());
}

// A lookup with the button beside it that adds a row to the lookup's list through the list
// editor and chooses it.
void Tfm_paredit::add_lookup(QGridLayout &grid, int row, const LookupRow &lookup)
{
    auto *combo = new TDBLookupCombo(this);
    combo->setObjectName(lookup.field);
    combo->setMaxVisibleItems(lookup_rows);
    combo->bind(&set(), lookup.field);
    combo->set_lookup(lookup.list, lookup.list_field);
    auto *label = new QLabel(lookup.label_field, this);
    label->setBuddy(combo);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setText(set().field_by_name(lookup.label_field).display_label);
    auto *button = new QToolButton(this);
    button->setObjectName(QStringLiteral("btnNew") + lookup.table);
    button->setIcon(ImageList16::icon(ImageList16::plus));
    button->setToolTip(lookup.hint);
    button->setFocusPolicy(Qt::NoFocus);
    grid.addWidget(label, row, 0);
    grid.addWidget(combo, row, 1);
    grid.addWidget(button, row, 2);
    *lookup.combo = combo;
    *lookup.button = button;
    const QPointer<TMemTable> list = lookup.list;
    connect(button, &QToolButton::clicked, this, [this, lookup, list] {
        if (!list)
            return;
        const int id = edit_list_record(Tfm_listedit::Add, list, lookup.table, {},
                                        lookup.help_topic, lookup.hint);
        if (id != 0 && set().state() != TMemTable::State::Browse)
            set().field_by_name(lookup.field).set_as_integer(id);
    });
}

bool Tfm_paredit::complete() const
{
    return !is_blank(set(), "PARTNER_NO") && !is_blank(set(), "PARTNER_NAME");
}

int Tfm_paredit::store(int recid)
{
    return save_partner(*dbAPI, set(), recid);
}

int Tfm_paredit::run_with_warning()
{
    if (m_type_missing)
        warn_missing_partner_type();
    return run();
}

int edit_partner(int mode, TMemTable *set)
{
    if (!dbAPI || !set || !set->active() || (mode == Tfm_paredit::Edit && set->current_index() < 0))
        return 0;
    Tfm_paredit editor(mode, set, 0, false, owner_window());
    return editor.run_with_warning();
}

int new_partner_for_document(TMemTable *set, int doc_type)
{
    if (!dbAPI)
        return 0;
    const ScopedSet own = set ? ScopedSet(*dbAPI, nullptr)
                              : dbAPI->select_scoped(QStringLiteral("VIEW_PAR"),
                                                     QStringLiteral("SELECT * FROM VIEW_PAR WHERE "
                                                                    "RECID=0"));
    TMemTable *partners = set ? set : own.get();
    if (!partners || !partners->active())
        return 0;
    const int row_number = partners->row_number();
    int address = 0;
    int partner = 0;
    {
        Tfm_paredit editor(Tfm_paredit::Add, partners, doc_type, true, owner_window());
        partner = editor.run_with_warning();
    }
    if (partner != 0 && dbAPI->refresh_record(partner, QStringLiteral("VIEW_PAR"), partners))
        address = add_partner_address(partner, true);
    // A partner without an address would be of no use to the document.
    if (partner != 0 && address == 0 && delete_partner_row(*dbAPI, partner) &&
        dbAPI->locate_recid(partner, partners))
        partners->remove();
    if (set && row_number > 0)
        partners->set_row_number(row_number);
    return address;
}
