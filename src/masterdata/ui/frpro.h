#pragma once
// The products window "Produkty a služby": every product in a grid with a search strip,
// the current product's basic data on the first page and its photograph and prices in
// foreign currencies on the second.  It exists once, under the window key "PRO"; its grid
// is named "ds", which the item editor finds through the window host to pick products.
// The foreign prices always belong to the product they are shown under: a product change
// while the second page is hidden empties them, and they are read again when it shows.

#include "widgets/shell_window.h"

#include <QWidget>

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QTabWidget;
class QToolButton;
class TDBGrid;
class TMemTable;
class Tfr_picture;
class Tfr_search;

class TfPro : public QWidget, public ShellWindow {
    Q_OBJECT

public:
    enum Page { BasicPage = 0, MorePage = 1 };

    // Stands on the product `record_id` when it is listed.
    explicit TfPro(int record_id = 0, QWidget *parent = nullptr);
    ~TfPro() override;

    TMemTable *record_set() const { return m_set; }
    // Null while the prices are not read for the current product.
    TMemTable *price_set() const { return m_prices; }
    TDBGrid *grid() const { return m_grid; }
    TDBGrid *price_grid() const { return m_price_grid; }
    Tfr_search *search_strip() const { return m_search; }
    QTabWidget *pages() const { return m_pages; }
    Tfr_picture *picture() const { return m_picture; }
    QGroupBox *price_box() const { return m_price_box; }
    QLabel *cost_label() const { return m_cost; }
    QMenu *print_menu() const { return m_print_menu; }
    QMenu *context_menu() const { return m_menu; }
    QAction *command(const char *name) const;

    void window_activated() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void create_commands();
    void create_layout();
    QWidget *create_basic_page();
    QWidget *create_more_page();
    void setup_grid();
    void show_product();
    void product_changed();
    void page_changed(int page);
    void reload_prices();
    void empty_prices();
    void add_product();
    void edit_product_row();
    void delete_product_row();
    void add_price();
    void edit_price();
    void delete_price();
    void print_item();
    void refresh_window();
    void close_window();
    void update_commands();
    bool command_key(int key, bool in_price_grid);

    TMemTable *m_set = nullptr;
    TMemTable *m_prices = nullptr;
    int m_prices_product = 0;
    TDBGrid *m_grid = nullptr;
    TDBGrid *m_price_grid = nullptr;
    Tfr_search *m_search = nullptr;
    QTabWidget *m_pages = nullptr;
    Tfr_picture *m_picture = nullptr;
    QGroupBox *m_price_box = nullptr;
    QLabel *m_number = nullptr;
    QLabel *m_name = nullptr;
    QLabel *m_unit = nullptr;
    QLabel *m_group = nullptr;
    QLabel *m_cost = nullptr;
    QPlainTextEdit *m_note = nullptr;
    QLabel *m_more_name = nullptr;
    QMenu *m_print_menu = nullptr;
    QToolButton *m_print_button = nullptr;
    QMenu *m_menu = nullptr;
};
