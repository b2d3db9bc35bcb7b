#pragma once
// The product editor: number, name, group, unit, final price in Kč and note of one row of
// a VIEW_PRO record set, stored in PRO.  A new product is proposed the next number of its
// series and the first group; a number another product has is refused.  A save the
// database refuses leaves the editor open with everything typed.

#include "widgets/record_editor.h"

class QComboBox;
class QLabel;
class QToolButton;
class TDBEdit;
class TDBLookupCombo;
class TDBMemo;
class TDBNumberEdit;
class TMemTable;
class TUserCalcHistory;

class Tfm_proedit : public TRecordEditor {
    Q_OBJECT

public:
    // Mode 0 appends a row to the set, mode 1 edits its current row.
    Tfm_proedit(int mode, TMemTable *set, QWidget *parent = nullptr);
    ~Tfm_proedit() override;

    TDBEdit *number_edit() const { return m_number; }
    TDBEdit *name_edit() const { return m_name; }
    TUserCalcHistory *name_history() const { return m_name_history; }
    TDBLookupCombo *group_combo() const { return m_group; }
    QToolButton *new_group_button() const { return m_new_group; }
    QComboBox *unit_combo() const { return m_unit; }
    TDBNumberEdit *cost_edit() const { return m_cost; }
    TDBMemo *note_memo() const { return m_note; }
    TMemTable *group_set() const { return m_groups; }

protected:
    bool complete() const override;
    int store(int recid) override;
    void stored() override;

private:
    void create_controls();
    void fill_units();
    void add_group();

    TMemTable *m_groups = nullptr;
    TDBEdit *m_number = nullptr;
    TDBEdit *m_name = nullptr;
    TUserCalcHistory *m_name_history = nullptr;
    TDBLookupCombo *m_group = nullptr;
    QToolButton *m_new_group = nullptr;
    QComboBox *m_unit = nullptr;
    TDBNumberEdit *m_cost = nullptr;
    TDBMemo *m_note = nullptr;
};

// Edits a product of the VIEW_PRO set (mode 0 a new one) and stores it; the RECID of the
// saved product, or 0 when the user cancelled (the set is then as it was).
int edit_product(int mode, TMemTable *set);
