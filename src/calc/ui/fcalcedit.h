#pragma once
// The editor of one user calculator: its name, its script and whether the calculator
// buttons of number fields offer it.  Works on the calculators window's record set.

#include "widgets/shell_window.h"

#include <QDialog>

class QPushButton;
class TCalcScriptEdit;
class TDBCheckBox;
class TDBEdit;
class TMemTable;

class TfCalcEdit : public QDialog, public ShellWindow {
    Q_OBJECT

public:
    enum Mode { Add = 0, Edit = 1 };

    // Mode 0 appends a row holding the template of a new calculator; mode 1 edits the
    // current row.
    TfCalcEdit(int mode, TMemTable *set, QWidget *parent = nullptr);

    int recid() const { return m_recid; }
    TDBEdit *name_edit() const { return m_name; }
    TCalcScriptEdit *script_edit() const { return m_script; }
    TDBCheckBox *public_box() const { return m_public; }
    QPushButton *ok_button() const { return m_ok; }

    void window_activated() override;

public slots:
    void accept() override;
    void done(int result) override;

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void create_layout();
    void update_ok();
    bool save();

    int m_mode;
    TMemTable *m_set;
    int m_recid = 0;
    TDBEdit *m_name = nullptr;
    TCalcScriptEdit *m_script = nullptr;
    TDBCheckBox *m_public = nullptr;
    QPushButton *m_ok = nullptr;
};

// Edits a calculator of the set (mode 0 a new one, 1 the current one) and stores it; the
// RECID of the stored calculator, or 0 when the user cancelled.
int edit_calculator(TMemTable *set, int mode);
