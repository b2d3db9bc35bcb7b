#pragma once
// The tax-records book ("Daňová evidence"): the whole cash journal in one grid with the
// search strip and a panel with the current entry's details, its document and its cash
// voucher.  From here entries are added, corrected and deleted, the journal and its
// summaries are printed, cash vouchers are prepared and the graphs open.

#include "widgets/shell_window.h"

#include <QWidget>

class QAction;
class QLabel;
class QMenu;
class QStyledItemDelegate;
class QToolButton;
class TDBGrid;
class TMemTable;
class Tfr_search;

class TfTE : public QWidget, public ShellWindow {
    Q_OBJECT

public:
    // Stands on the entry with the RECID when it is there, else on the first row.
    explicit TfTE(int record_id = 0, QWidget *parent = nullptr);
    ~TfTE() override;

    enum Command {
        AddTe,
        EditTe,
        DelTe,
        Print,
        PrintBank,
        PrintGrp,
        PrintCurr,
        PrintIn,
        PrintOut,
        PrintCash,
        Chart,
        Fetch,
        Refresh,
        ImportBank,
        CommandCount
    };
    // The command message code that reloads the book.
    static constexpr int reload_code = 1;

    QAction *command(Command which) const { return m_commands[which]; }
    TMemTable *record_set() const { return m_set; }
    TDBGrid *grid() const { return m_grid; }
    Tfr_search *search_strip() const { return m_search; }
    QMenu *print_menu() const { return m_print_menu; }
    QMenu *context_menu() const { return m_context_menu; }
    QLabel *detail_label(const QString &field_name) const;
    QLabel *document_link() const { return m_document_link; }
    QLabel *voucher_label() const { return m_voucher_label; }

    void window_activated() override;
    int child_command(int code) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void create_commands();
    void create_menus();
    QWidget *create_top_bar();
    QWidget *create_detail_panel();
    TMemTable *load_set();
    void show_set(TMemTable *set, int record_id);
    void row_changed();
    void show_details();
    void show_document_link();
    void show_voucher_label();
    void update_commands();

    void add_entry();
    void edit_current();
    void delete_current();
    void fetch();
    void print_voucher(bool income);
    void import_statement();
    void reload();
    void refresh_window();
    void close_window();
    bool command_key(int key);
    void run(Command which);
    int current_recid() const;

    TMemTable *m_set = nullptr;
    QAction *m_commands[CommandCount] = {};
    TDBGrid *m_grid = nullptr;
    Tfr_search *m_search = nullptr;
    QMenu *m_print_menu = nullptr;
    QMenu *m_context_menu = nullptr;
    QToolButton *m_print_button = nullptr;
    QStyledItemDelegate *m_income_color = nullptr;
    QStyledItemDelegate *m_outcome_color = nullptr;
    std::vector<std::pair<QString, QLabel *>> m_values;
    std::vector<std::pair<QString, QLabel *>> m_captions;
    QLabel *m_foreign_income = nullptr;
    QLabel *m_foreign_outcome = nullptr;
    QLabel *m_document_link = nullptr;
    QLabel *m_voucher_label = nullptr;
    bool m_voucher_income = true;
    int m_document_type = 0;
    int m_document_id = 0;
    int m_shown_recid = -1;
};
