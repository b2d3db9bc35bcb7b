#pragma once
// The editor of a partner's bank link: a title, the bank, the account number, IBAN and ABA
// codes, the bank's address and a note.

#include "masterdata/ui/fpar_detail_editor.h"

class Tfm_par_banktedit : public TParDetailEditor {
    Q_OBJECT

public:
    Tfm_par_banktedit(int mode, TMemTable *set, int partner, QWidget *parent = nullptr);
};

// Adds (mode 0) or corrects (mode 1) the set's current bank link of the partner; the saved
// RECID, or 0 when cancelled.
int edit_partner_bank(int mode, int partner, TMemTable *set);
