#pragma once
// The book of one document type (window key "DOC" + type): the type's documents in a grid
// with the search strip on their numbers, and below it the current document's content and
// its payments with the amount still to pay.  The book adds, corrects and deletes documents
// through the document editor's operations and payments through the journal's, and keeps
// what it shows in step with what they wrote.  Its grid is named "ds", through which the
// editors find the book's set.

#include "widgets/shell_window.h"

#include <QHash>
#include <QWidget>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QTabWidget;
class QToolButton;
class TDBGrid;
class TMemTable;
class Tfr_search;

class TfDoc : public QWidget, public ShellWindow {
    Q_OBJECT

public:
    enum Page { ContentPage = 0, PaymentsPage = 1 };

    // Stands on the document `record_id` when the book lists it.
    explicit TfDoc(int doc_type, int record_id = 0, QWidget *parent = nullptr);
    ~TfDoc() override;

    int doc_type() const { return m_type; }
    TMemTable *record_set() const { return m_set; }
    // The payments of the current document; null while none is current.
    TMemTable *payment_set() const { return m_payments; }
    TDBGrid *grid() const { return m_grid; }
    TDBGrid *payment_grid() const { return m_payment_grid; }
    Tfr_search *search_strip() const { return m_search; }
    QTabWidget *pages() const { return m_pages; }
    QLabel *caption_label() const { return m_caption; }
    QLabel *state_label() const { return m_state; }
    QLabel *remaining_label() const { return m_remaining; }
    QLabel *remaining_currency_label() const { return m_remaining_currency; }
    QMenu *print_menu() const { return m_print_menu; }
    QMenu *context_menu() const { return m_menu; }
    QAction *command(const char *name) const;

    void window_activated() override;
    // documents_changed_code: re-reads the documents whose payments changed elsewhere.
    int child_command(int code) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void create_commands();
    void create_layout();
    QWidget *create_top_bar();
    QWidget *create_content_page();
    QWidget *create_payments_page();
    void setup_grid();

    void document_changed();
    void show_document();
    void load_payments();
    void show_amount_to_pay();
    void refresh_document(int document_id);
    void refresh_changed_documents();

    void add_document();
    void edit_document_row();
    void delete_document_row();
    void add_payment();
    void edit_payment_row();
    void delete_payment_row();
    void print_document();
    void print_list();
    void send_document();
    void export_isdoc_document();
    void refresh_window();
    void close_window();
    void update_commands();
    bool command_key(int key, bool in_payments);

    QString view_name() const;
    int document_recid() const;
    int payment_recid() const;

    int m_type;
    QHash<QString, QAction *> m_commands;
    TMemTable *m_set = nullptr;
    TMemTable *m_payments = nullptr;
    // The document whose payments are loaded; -1 forces the next change to load them.
    int m_payments_document = -1;
    bool m_refreshing = false;
    TDBGrid *m_grid = nullptr;
    TDBGrid *m_payment_grid = nullptr;
    Tfr_search *m_search = nullptr;
    QTabWidget *m_pages = nullptr;
    QLabel *m_caption = nullptr;
    QLabel *m_number = nullptr;
    QLabel *m_title = nullptr;
    QLabel *m_state = nullptr;
    QLabel *m_partner = nullptr;
    QLabel *m_address_title = nullptr;
    QLabel *m_full_address = nullptr;
    QLabel *m_ico = nullptr;
    QLabel *m_dic = nullptr;
    QLabel *m_all_sum = nullptr;
    QLabel *m_round_sum = nullptr;
    QLabel *m_to_pay = nullptr;
    QLabel *m_remaining = nullptr;
    QLabel *m_remaining_currency = nullptr;
    QMenu *m_print_menu = nullptr;
    QToolButton *m_print_button = nullptr;
    QMenu *m_menu = nullptr;
};
