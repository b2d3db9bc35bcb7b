#pragma once
// The partner editor: number, name, VAT payer, registration numbers, type and group (each
// with a button that adds a new one) and a note.  A new partner is offered the next number
// of its series and the default type and group.  The document editor opens it on its road
// to a new partner with a first invoicing address, where OK reads ">>> pokračuj".

#include "widgets/record_editor.h"

#include <QPointer>
#include <QString>

class QGridLayout;
class QToolButton;
class TDBLookupCombo;

class Tfm_paredit : public TRecordEditor {
    Q_OBJECT

public:
    // Mode 0 appends a row to the set (VIEW_PAR columns), mode 1 edits its current row.  A
    // new partner's default type is that of the document type (0: the partners window);
    // a document editor's partner continues to its first address.
    Tfm_paredit(int mode, TMemTable *set, int doc_type, bool continues_to_address,
                QWidget *parent = nullptr);
    ~Tfm_paredit() override;

    // No partner type fits the document type: the user is to add one.
    bool type_missing() const { return m_type_missing; }
    TDBLookupCombo *type_lookup() const { return m_type_lookup; }
    TDBLookupCombo *group_lookup() const { return m_group_lookup; }
    QToolButton *new_type_button() const { return m_new_type; }
    QToolButton *new_group_button() const { return m_new_group; }

    // Warns first when no partner type fits, then as TRecordEditor::run.
    int run_with_warning();

protected:
    bool complete() const override;
    int store(int recid) override;

private:
    struct LookupRow;
    void build();
    void add_lookup(QGridLayout &grid, int row, const LookupRow &lookup);
    void set_defaults(int doc_type);

    bool m_continues;
    bool m_type_missing = false;
    QPointer<TMemTable> m_types;
    QPointer<TMemTable> m_groups;
    TDBLookupCombo *m_type_lookup = nullptr;
    TDBLookupCombo *m_group_lookup = nullptr;
    QToolButton *m_new_type = nullptr;
    QToolButton *m_new_group = nullptr;
};

// Adds (mode 0) or corrects (mode 1) a partner of the partners window's set; the saved
// RECID, or 0 when cancelled.
int edit_partner(int mode, TMemTable *set);

// The document editor's new partner: the partner editor, then the editor of the partner's
// first address, an invoicing one.  The set is the open partners window's, or none.  The
// new address's RECID, or 0; a partner saved without an address is removed again.
int new_partner_for_document(TMemTable *set, int doc_type);
