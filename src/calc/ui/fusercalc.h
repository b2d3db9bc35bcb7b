#pragma once
// The calculators window: the stored user calculators on the left, the chosen one's script
// on the right, and commands to run, add, edit and delete them.

#include "widgets/shell_window.h"

#include <QWidget>

class QAction;
class QMenu;
class TCalcScriptEdit;
class TDBGrid;
class TMemTable;

class TfUserCalc : public QWidget, public ShellWindow {
    Q_OBJECT

public:
    explicit TfUserCalc(QWidget *parent = nullptr);
    ~TfUserCalc() override;

    TMemTable *record_set() const { return m_set; }
    TDBGrid *grid() const { return m_grid; }
    TCalcScriptEdit *script_view() const { return m_script; }
    QAction *run_command() const { return m_run; }
    QAction *add_command() const { return m_add; }
    QAction *edit_command() const { return m_edit; }
    QAction *delete_command() const { return m_delete; }
    QMenu *context_menu() const { return m_menu; }

    void window_activated() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void create_commands();
    void create_layout();
    void run_calculator();
    void add_calculator();
    void edit_calculator();
    void delete_calculator();
    void update_commands();
    // Enter runs the calculator from the list and edits it elsewhere.
    bool command_key(int key, bool in_grid);

    TMemTable *m_set = nullptr;
    TDBGrid *m_grid = nullptr;
    TCalcScriptEdit *m_script = nullptr;
    QMenu *m_menu = nullptr;
    QAction *m_run = nullptr;
    QAction *m_add = nullptr;
    QAction *m_edit = nullptr;
    QAction *m_delete = nullptr;
};
