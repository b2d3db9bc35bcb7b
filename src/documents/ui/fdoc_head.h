#pragma once
// The document editor: header, partner address, payment details, free text, items (issued
// invoices), total, rounding mode and amount to pay of one document of any of the four
// types.  Its widgets are bound to the header row and the item set of a TDocument, which
// holds the totals and the save.

#include "widgets/record_editor.h"

#include <QString>
#include <memory>

class QAction;
class QFrame;
class QLineEdit;
class QTabWidget;
class QToolButton;
class TDBDateEdit;
class TDBEdit;
class TDBGrid;
class TDBNumberEdit;
class TDocument;
class TMemTable;
class TUserCalcHistory;
class TValuesComboBox;
class Tfr_rich;

class Tfm_docheader : public TRecordEditor {
    Q_OBJECT

public:
    // Mode 0 appends a new document to the header set, mode 1 corrects its current row.
    // `choice` of a new document: 0 the home currency, a CURR_LIST RECID for a foreign
    // invoice.  `linked_invoice`: the invoice a new credit note corrects.
    Tfm_docheader(int mode, int type, TMemTable *header, int choice, int linked_invoice,
                  QWidget *parent = nullptr);
    ~Tfm_docheader() override;

    TDocument &document() const { return *m_document; }
    TMemTable *item_set() const { return m_items; }

    TDBEdit *number_edit() const { return m_doc_no; }
    QLineEdit *partner_edit() const { return m_partner; }
    QAction *partner_list() const { return m_partner_list; }
    QToolButton *new_partner_button() const { return m_new_partner; }
    TDBDateEdit *date_edit() const { return m_date; }
    TDBDateEdit *maturity_edit() const { return m_maturity; }
    TDBEdit *title_edit() const { return m_title; }
    TDBNumberEdit *total_edit() const { return m_total; }
    TValuesComboBox *rounding_combo() const { return m_rounding; }
    TDBNumberEdit *round_sum_edit() const { return m_round_sum; }
    QFrame *details_panel() const { return m_panel; }
    TValuesComboBox *link_combo() const { return m_link; }
    QToolButton *new_link_button() const { return m_new_link; }
    QLineEdit *against_edit() const { return m_against; }
    TValuesComboBox *bank_combo() const { return m_bank; }
    QToolButton *new_bank_button() const { return m_new_bank; }
    QLineEdit *var_s_edit() const { return m_var_s; }
    QLineEdit *const_s_edit() const { return m_const_s; }
    QTabWidget *tabs() const { return m_tabs; }
    Tfr_rich *text_panel() const { return m_text; }
    TDBGrid *item_grid() const { return m_item_grid; }
    QAction *add_item_action() const { return m_add_item; }
    QAction *edit_item_action() const { return m_edit_item; }
    QAction *delete_item_action() const { return m_delete_item; }
    // The discount new items of an issued invoice start from.
    double partner_discount() const { return m_partner_discount; }

    // The address with the RECID becomes the document's (as a pick from the list would).
    void choose_address(int address_id);

protected:
    bool complete() const override;
    int store(int recid) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void create_controls(int choice, int linked_invoice);
    QWidget *create_header_bar();
    QFrame *create_details_panel();
    QWidget *create_totals_bar();
    QWidget *create_items_page();
    void set_up_new(int choice, int linked_invoice);
    void set_up_correction();
    void place_over_work_area();

    void show_partner();
    void pick_address();
    void add_partner();
    void partner_changed();
    void add_link();
    void add_bank();
    void fill_against();
    void total_inputs_changed(int column);
    void rounding_chosen();

    void add_item();
    void edit_item();
    void delete_item();
    void items_changed(bool deleted);
    void update_item_commands();
    void tab_changed();

    std::unique_ptr<TDocument> m_document;
    int m_type;
    TMemTable *m_items = nullptr;
    // The delivery address stored with a corrected invoice, selected again after its
    // partner's addresses are read.
    int m_stored_link = 0;
    double m_partner_discount = 0.0;

    TDBEdit *m_doc_no = nullptr;
    QLineEdit *m_partner = nullptr;
    QAction *m_partner_list = nullptr;
    QToolButton *m_new_partner = nullptr;
    TDBDateEdit *m_date = nullptr;
    TDBDateEdit *m_maturity = nullptr;
    TDBEdit *m_title = nullptr;
    TUserCalcHistory *m_title_history = nullptr;
    TDBNumberEdit *m_total = nullptr;
    TValuesComboBox *m_rounding = nullptr;
    TDBNumberEdit *m_round_sum = nullptr;
    QFrame *m_panel = nullptr;
    TValuesComboBox *m_link = nullptr;
    QToolButton *m_new_link = nullptr;
    QLineEdit *m_against = nullptr;
    TValuesComboBox *m_bank = nullptr;
    QToolButton *m_new_bank = nullptr;
    QLineEdit *m_var_s = nullptr;
    QLineEdit *m_const_s = nullptr;
    QTabWidget *m_tabs = nullptr;
    Tfr_rich *m_text = nullptr;
    QWidget *m_items_page = nullptr;
    TDBGrid *m_item_grid = nullptr;
    QAction *m_add_item = nullptr;
    QAction *m_edit_item = nullptr;
    QAction *m_delete_item = nullptr;
};
