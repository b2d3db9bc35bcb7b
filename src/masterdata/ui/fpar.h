#pragma once
// The partners window: every partner in a grid with the search strip, and beside it a tree
// of five pages (basic data, addresses, contacts, bank links, the picture and documents)
// whose branches list the current partner's rows.  The window holds the partners and the
// current partner's addresses, contacts and bank links, and its documents while their page
// is shown; without a current partner those sets are empty, so no command can reach a row
// that is gone.

#include "masterdata/ui/fpar_tree.h"
#include "widgets/shell_window.h"

#include <QWidget>
#include <vector>

class QAction;
class QLabel;
class QLayout;
class QMenu;
class QStackedWidget;
class QToolButton;
class TDBGrid;
class TDataAware;
class TMemTable;
class TPictureView;
class Tfr_search;

class TfPar : public QWidget, public ShellWindow {
    Q_OBJECT

public:
    // Stands on the partner with the RECID when it is there.
    explicit TfPar(int record_id = 0, QWidget *parent = nullptr);
    ~TfPar() override;

    enum Command {
        AddPartner, EditPartner, DeletePartner,
        AddAddress, EditAddress, DeleteAddress, ShowMap,
        AddContact, EditContact, DeleteContact,
        AddBank, EditBank, DeleteBank,
        LoadPicture, DeletePicture, ShowPicture, PrintPicture, SavePicture,
        ReloadDocuments, EditDocument, DeleteDocument, PrintDocument,
        PrintPartnerList, PrintPartner, PrintContacts, PrintDocumentList,
        Refresh, CommandCount
    };

    QAction *command(Command command) const { return m_commands[command]; }
    TMemTable *partners() const { return m_partners; }
    TMemTable *addresses() const { return m_details[0]; }
    TMemTable *contacts() const { return m_details[1]; }
    TMemTable *banks() const { return m_details[2]; }
    TMemTable *documents() const { return m_documents; }
    TDBGrid *grid() const { return m_grid; }
    TDBGrid *document_grid() const { return m_document_grid; }
    Tfr_search *search_strip() const { return m_search; }
    TParTree *tree() const { return m_tree; }
    QStackedWidget *pages() const { return m_pages; }
    QLabel *contact_label() const { return m_contact_link; }
    TPictureView *picture() const { return m_picture; }
    QMenu *print_menu() const { return m_print_menu; }
    QMenu *context_menu() const { return m_context_menu; }
    void show_page(TParTree::Page page);

    void window_activated() override;
    // Code 1: documents were written or deleted elsewhere; a shown documents page reads them
    // again.
    int child_command(int code) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    struct Binding {
        TDataAware *control;
        const QWidget *page;
        int detail; // -1 the partners, 0 to 2 a detail set
        QString field;
    };

    void create_commands();
    void create_menus();
    QWidget *create_grid_side();
    QLayout *command_column(QWidget *page, std::initializer_list<Command> commands);
    QWidget *create_basic_page();
    QWidget *create_detail_page(int detail, const QStringList &fields,
                                std::initializer_list<Command> commands);
    QWidget *create_other_page();
    QWidget *add_display(QWidget *page, class QFormLayout &form, int detail,
                         const QString &field);
    void bind_shown_page();
    void caption_labels();

    void partner_changed();
    void load_details();
    void clear_details();
    void rebuild_branch(int detail, int select_recid = 0);
    void node_selected(TParTree::Page page, int recid);
    void load_other_page();
    void contact_changed();
    TParTree::Page page() const;

    void add_partner();
    void edit_partner_row();
    void delete_partner_row();
    int run_detail_editor(int detail, int mode);
    void add_detail(int detail);
    void edit_detail(int detail);
    void delete_detail(int detail);
    void current_from_tree(int detail);
    void open_contact();
    void open_map_link();
    void load_picture();
    void delete_picture();
    void save_picture();
    void refresh_window();
    void update_commands();
    bool command_key(int key);
    void run(Command command);
    int partner_recid() const;

    TMemTable *m_partners = nullptr;
    TMemTable *m_details[3] = {nullptr, nullptr, nullptr};
    TMemTable *m_documents = nullptr;
    QAction *m_commands[CommandCount] = {};
    std::vector<Binding> m_bindings;
    TDBGrid *m_grid = nullptr;
    TDBGrid *m_document_grid = nullptr;
    Tfr_search *m_search = nullptr;
    TParTree *m_tree = nullptr;
    QStackedWidget *m_pages = nullptr;
    QLabel *m_contact_link = nullptr;
    QLabel *m_contact_caption = nullptr;
    TPictureView *m_picture = nullptr;
    QMenu *m_print_menu = nullptr;
    QMenu *m_document_print_menu = nullptr;
    QMenu *m_context_menu = nullptr;
    QToolButton *m_print_button = nullptr;
    int m_shown_partner = -1;
};

// Registers the partners window under its key "PAR".
void register_partners_window();
