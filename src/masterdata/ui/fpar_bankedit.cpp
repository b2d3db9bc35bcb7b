#include "masterdata/ui/fpar_bankedit.h"

namespace {

const int help_bank_editor = 2016;

} // namespace

Tfm_par_banktedit::Tfm_par_banktedit(int mode, TMemTable *set, int partner, QWidget *parent)
    : TParDetailEditor(PartnerDetail::Bank, mode, set, partner, help_bank_editor,
                       QStringLiteral("Přidání nového bankovního spojení."),
                       QStringLiteral("Oprava bankovního spojení."), parent)
{
    setObjectName(QStringLiteral("fm_par_banktedit"));
    add_edit(QStringLiteral("BANK_TITLE"), QStringLiteral("DBEdit1bank"));
    add_edit(QStringLiteral("BANK_NAME"), QStringLiteral("DBEdit2bank"));
    add_edit(QStringLiteral("ACCOUNT_NUMBER"), QStringLiteral("DBEdit3bank"));
    add_edit(QStringLiteral("IBAN"), QStringLiteral("DBEdit4bank"));
    add_edit(QStringLiteral("ABA"), QStringLiteral("DBEdit5bank"));
    add_memo(QStringLiteral("BANK_ADDRESS"), QStringLiteral("DBMemo1bank"), 3);
    add_memo(QStringLiteral("BANK_MEMO"), QStringLiteral("DBMemo2bank"), 4);
    finish();
}

int edit_partner_bank(int mode, int partner, TMemTable *set)
{
    return run_detail_editor<Tfm_par_banktedit>(mode, partner, set);
}
