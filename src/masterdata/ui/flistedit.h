#pragma once
// The list editor: one row of a record set edited in controls built from the set's own
// fields, so that any code list (and the small settings tables) needs no window of its
// own.  Flag fields get a check box, long texts a memo, everything else a one-line edit
// that must not stay blank.  The row is written to its table through the data module.

#include "widgets/record_editor.h"

#include <QString>
#include <functional>
#include <vector>

class QLineEdit;
class TField;
class TMemTable;

// Called with each input control right after the editor created it (the answer is
// ignored), and with the editor's record set when OK is pressed, before anything is saved:
// false there keeps the editor open and saves nothing.  The caller's context travels in
// the callable.
using list_edit_hook = std::function<bool(QObject *object)>;

class Tfm_listedit : public TRecordEditor {
    Q_OBJECT

public:
    // Mode 0 appends a row to the set, mode 1 edits its current row.
    Tfm_listedit(int mode, TMemTable *set, const QString &table, list_edit_hook hook,
                 int help_topic, const QString &caption, QWidget *parent = nullptr);

    // The fields that have a control, in field order (RECID has none).
    const std::vector<TField *> &shown_fields() const { return m_fields; }
    QWidget *control_of(const QString &field_name) const;

protected:
    bool complete() const override;
    int store(int recid) override;

private:
    void build_controls();
    QWidget *create_control(TField &field, int top, int &next_top);
    void place_buttons(int top);

    QString m_table;
    list_edit_hook m_hook;
    std::vector<TField *> m_fields;
    std::vector<QWidget *> m_controls;
    std::vector<QLineEdit *> m_required;
};

// Edits a row of the set in the list editor and writes it to the table; the RECID of the
// saved row, or 0 when the user cancelled (the set is then as it was).
int edit_list_record(int mode, TMemTable *set, const QString &table, const list_edit_hook &hook,
                     int help_topic, const QString &caption);

// Deletes the set's current row from the table once the user confirms the question; the
// RECID of the deleted row, or 0.  A delete the database refuses is reported and the row
// stays.
int delete_list_record(TMemTable *set, const QString &table, const QString &question);
