#pragma once
// What the three editors of a partner's rows (addresses, contacts, bank links) share: the
// partner's name at the top, one labelled control per column captioned from the field's
// display label, OK enabled only while the detail's required columns hold more than blanks,
// and the save through the core, which reports a refusal and leaves the editor open.

#include "masterdata/partner_details.h"
#include "widgets/owner_window.h"
#include "widgets/record_editor.h"

class QGridLayout;
class QLabel;
class TDBCheckBox;
class TDBEdit;
class TDBMemo;
class TUserCalcHistory;

class TParDetailEditor : public TRecordEditor {
    Q_OBJECT

public:
    QLabel *partner_label() const { return m_partner_label; }

    // A row to edit needs a partner and a set standing on a row; a new one an open set.
    static bool can_open(int mode, int partner, const TMemTable *set);

protected:
    TParDetailEditor(PartnerDetail detail, int mode, TMemTable *set, int partner, int help_topic,
                     const QString &add_caption, const QString &edit_caption, QWidget *parent);

    TDBEdit *add_edit(const QString &field, const QString &object_name);
    TDBMemo *add_memo(const QString &field, const QString &object_name, int lines);
    TDBCheckBox *add_check_box(const QString &field, const QString &object_name);
    // A control of the subclass's own, on the next row beside the field's label.
    QLabel *add_row(QWidget *control, const QString &field);
    QLabel *label_of(const QWidget *control) const;
    // The text history of the edit, whose object name is its key.
    TUserCalcHistory *add_text_history(TDBEdit *edit);
    // After the controls: the buttons, the window's texts and colour, and OK's enabling.
    void finish();

    bool complete() const override;
    int store(int recid) override;

private:
    PartnerDetail m_detail;
    int m_partner;
    QGridLayout *m_grid = nullptr;
    QLabel *m_partner_label = nullptr;
};

// Runs the detail editor on the partner's set, when it can open; the saved RECID, or 0.
template <typename Editor>
int run_detail_editor(int mode, int partner, TMemTable *set)
{
    if (!TParDetailEditor::can_open(mode, partner, set))
        return 0;
    Editor editor(mode, set, partner, owner_window());
    return editor.run();
}
