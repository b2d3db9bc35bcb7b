#pragma once
// The editor of a partner's contact: its type chosen from the contact types (or typed when
// none fits), a name, the number, address or web page itself, and a note.  A new contact
// of a web or mail type starts with "http://" or "@".

#include "masterdata/ui/fpar_detail_editor.h"

class QComboBox;

class Tfm_par_contedit : public TParDetailEditor {
    Q_OBJECT

public:
    Tfm_par_contedit(int mode, TMemTable *set, int partner, QWidget *parent = nullptr);

    QComboBox *type_box() const { return m_type; }

protected:
    void stored() override;

private:
    void fill_types();
    void type_changed(const QString &type);

    QComboBox *m_type = nullptr;
};

// Adds (mode 0) or corrects (mode 1) the set's current contact of the partner; the saved
// RECID, or 0 when cancelled.
int edit_partner_contact(int mode, int partner, TMemTable *set);
