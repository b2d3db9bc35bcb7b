#pragma once
// The code-list window: every row of a small table (partner groups and types, contact
// types, product groups, units, the currency list, tax categories) in a grid, with
// commands to add, edit and delete a row through the list editor and to print the table.
// It is modal above the main window, whose menu tree stays locked while it is open.  The
// last row of a code list cannot be deleted: documents and editors always expect one.

#include "widgets/shell_window.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <functional>

class QAction;
class QMenu;
class TDBGrid;
class TMemTable;
class Tfr_search;

// Prints a table as a list report (window caption, table, select).  The reports module
// installs it; until then "Tisk této tabulky" does nothing.
using PrintTable =
    std::function<void(const QString &caption, const QString &table, const QString &select)>;
PrintTable &print_table_hook();

class Tfm_list;

// A command that a module adds to the code list of one table, such as the currency list's
// import of the bank's rates.  It runs with the open window, whose rows it may change and
// then read again (Tfm_list::reload).
struct TableCommand {
    QString table;
    QString caption;
    int image = -1;
    std::function<void(Tfm_list &list)> run;
};
// A command with the table and caption of one added before replaces it.
void add_table_command(const TableCommand &command);

class Tfm_list : public QDialog, public ShellWindow {
    Q_OBJECT

public:
    Tfm_list(const QString &table, const QString &select, const QString &caption, int help_topic,
             QWidget *parent = nullptr);
    ~Tfm_list() override;

    // Announces the window to the main window, shows it modally and undoes both when it
    // closes.
    void run();

    TMemTable *record_set() const { return m_set; }
    TDBGrid *grid() const { return m_grid; }
    Tfr_search *search_strip() const { return m_search; }
    QAction *add_command() const { return m_add; }
    QAction *edit_command() const { return m_edit; }
    QAction *delete_command() const { return m_delete; }
    QAction *print_command() const { return m_print; }
    QMenu *context_menu() const { return m_menu; }

    // Reads the rows again and stands on the row it stood on.
    void reload();

    void window_activated() override;

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void create_commands();
    void create_table_commands();
    void create_layout();
    void place();
    void add_record();
    void edit_record();
    void delete_record();
    void print_table();
    void update_commands();
    bool command_key(int key);
    void free_set();

    QString m_table;
    QString m_select;
    TMemTable *m_set = nullptr;
    TDBGrid *m_grid = nullptr;
    Tfr_search *m_search = nullptr;
    QMenu *m_menu = nullptr;
    QAction *m_add = nullptr;
    QAction *m_edit = nullptr;
    QAction *m_delete = nullptr;
    QAction *m_print = nullptr;
    QAction *m_help = nullptr;
    QList<QAction *> m_table_commands;
};

// Shows the code list of the table modally and returns when it is closed.
void open_code_list(const QString &table, const QString &select, const QString &caption,
                    int help_topic);
