#pragma once
// The editor of a partner's address, and the two roads to it: the partners window adds or
// corrects an address of its current partner; the document editor adds a delivery address,
// or the first, invoicing address of a partner it has just created.

#include "masterdata/ui/fpar_detail_editor.h"

class TDBCheckBox;

class Tfm_par_addredit : public TParDetailEditor {
    Q_OBJECT

public:
    Tfm_par_addredit(int mode, TMemTable *set, int partner, QWidget *parent = nullptr);

    TDBCheckBox *invoice_box() const { return m_invoice; }
    // An invoicing address stays one: the first address of a partner made from a document.
    void lock_invoice(bool invoice);

protected:
    void stored() override;

private:
    TDBCheckBox *m_invoice = nullptr;
};

// Adds (mode 0, ticked as an invoicing address) or corrects (mode 1) the set's current
// address of the partner; the saved RECID, or 0 when cancelled.
int edit_partner_address(int mode, int partner, TMemTable *set);
// A new address of the partner, in a set of its own: with the flag an invoicing address
// that cannot be made another, without it a delivery address the user may still tick.
// The new RECID, or 0.
int add_partner_address(int partner, bool invoice);
