#include "masterdata/ui/fpar_addredit.h"

#include "calc/user_hist.h"
#include "data/db_api.h"
#include "data/memtable.h"
#include "widgets/dbcheckbox.h"
#include "widgets/dbedit.h"
#include "widgets/owner_window.h"

#include <QLabel>
#include <iterator>

namespace {

const int help_address_editor = 2014;
const QString add_caption = QStringLiteral("Přidání nové adresy pro obchodního partnera.");
const QString invoice_column = QStringLiteral("IS_INVOICE");

struct AddressField {
    const char *column;
    // The edit's name, which is also the key of its text history.
    const char *edit;
    bool history;
};

const AddressField address_fields[] = {
    {"ADDRESS_TITLE", "DBEdit1paraddr", true}, {"ADDRESS", "DBEdit2paraddr", true},
    {"ADDRESS2", "DBEdit3paraddr", false},     {"CITY", "DBEdit4paraddr", true},
    {"POSTAL_CODE", "DBEdit5paraddr", false},  {"REGION", "DBEdit6paraddr", true},
    {"COUNTRY", "DBEdit7paraddr", true},
};

QString flag(bool on)
{
    return on ? QStringLiteral("T") : QStringLiteral("F");
}

} // namespace

Tfm_par_addredit::Tfm_par_addredit(int mode, TMemTable *set, int partner, QWidget *parent)
    : TParDetailEditor(PartnerDetail::Address, mode, set, partner, help_address_editor,
                       add_caption, QStringLiteral("Oprava adresy obchodního partnera."), parent)
{
    setObjectName(QStringLiteral("fm_par_addredit"));
    for (const AddressField &field : address_fields) {
        TDBEdit *edit = add_edit(QLatin1String(field.column), QLatin1String(field.edit));
        if (field.history)
            add_text_history(edit);
        // The title leads in bold, and the invoice box stands right under it.
        if (&field == std::begin(address_fields)) {
            QFont bold = label_of(edit)->font();
            bold.setBold(true);
            label_of(edit)->setFont(bold);
            m_invoice = add_check_box(invoice_column, QStringLiteral("DBCheckBox1paraddr"));
        }
    }
    add_memo(QStringLiteral("ADDR_MEMO"), QStringLiteral("DBMemo1paraddr"), 4);
    if (mode == Add)
        set->field_by_name(invoice_column).set_as_string(flag(true));
    finish();
}

void Tfm_par_addredit::lock_invoice(bool invoice)
{
    set().field_by_name(invoice_column).set_as_string(flag(invoice));
    m_invoice->set_read_only(invoice);
    m_invoice->setEnabled(!invoice);
}

void Tfm_par_addredit::stored()
{
    for (const AddressField &field : address_fields)
        if (field.history)
            store_history(QLatin1String(field.edit),
                          set().field_by_name(QLatin1String(field.column)).as_string());
}

int edit_partner_address(int mode, int partner, TMemTable *set)
{
    return run_detail_editor<Tfm_par_addredit>(mode, partner, set);
}

int add_partner_address(int partner, bool invoice)
{
    if (!dbAPI || partner == 0)
        return 0;
    const ScopedSet set = dbAPI->select_scoped(QStringLiteral("PAR_ADDR"),
                                               QStringLiteral("SELECT * FROM PAR_ADDR WHERE RECID=0"));
    if (!set)
        return 0;
    Tfm_par_addredit editor(TParDetailEditor::Add, set.get(), partner, owner_window());
    editor.lock_invoice(invoice);
    return editor.run();
}
