#pragma once
// The editor of one cash-journal entry, a row of a VIEW_TE set: date, number, category,
// text, account, income and expense, the linked document and the currency with its rate.
// An entry that pays a document follows it: the direction and the currency are the
// document's, the amount is at most what remains to be paid, and the account and the text
// come from the document.  The amount inputs show only what the category may hold.

#include "taxrecords/entry_currency.h"
#include "taxrecords/entry_document.h"
#include "widgets/record_editor.h"

#include <optional>
#include <vector>

class QGroupBox;
class QLabel;
class QToolButton;
class TDBDateEdit;
class TDBEdit;
class TDBLookupCombo;
class TDBNumberEdit;
class TField;
class TMemTable;
class TUserCalcHistory;
class TValuesComboBox;

class TfTeEdit : public TRecordEditor {
    Q_OBJECT

public:
    // Mode 0: the set's current row is a new entry (appended here unless the caller has just
    // appended it); mode 1: its current row is corrected.  `document_id` links a new entry
    // to the document it pays (0 for none); a correction keeps the row's own link.
    TfTeEdit(int mode, TMemTable *set, int document_id, QWidget *parent = nullptr);
    ~TfTeEdit() override;

    // The document is paid in full: the editor must not be shown.
    bool fully_paid() const { return m_fully_paid; }
    // What remains to be paid of the linked document, the most the payment may hold.
    std::optional<double> payment_limit() const { return m_limit; }

    TDBDateEdit *date_edit() const { return m_date; }
    TDBEdit *number_edit() const { return m_doc_no; }
    TDBLookupCombo *category_combo() const { return m_group; }
    QToolButton *new_category_button() const { return m_new_group; }
    TDBEdit *text_edit() const { return m_text; }
    TDBLookupCombo *account_combo() const { return m_account; }
    QToolButton *new_account_button() const { return m_new_account; }
    TDBNumberEdit *income_edit() const { return m_income; }
    TDBNumberEdit *outcome_edit() const { return m_outcome; }
    QGroupBox *income_frame() const { return m_income_frame; }
    QGroupBox *outcome_frame() const { return m_outcome_frame; }
    QLabel *document_label() const { return m_document_text; }
    TValuesComboBox *currency_combo() const { return m_currency; }
    TDBNumberEdit *rate_amount_edit() const { return m_rate_amount; }
    TDBNumberEdit *rate_edit() const { return m_rate; }
    TMemTable *category_set() const { return m_groups; }
    TMemTable *account_set() const { return m_accounts; }

    void add_category();
    void add_account();

protected:
    bool complete() const override;
    int store(int recid) override;
    void stored() override;

private:
    void create_controls();
    void fill_currencies();
    void apply_defaults();
    void show_document_text(const QString &text);
    void apply_payment_rule(const EntryDocument &document);
    void restrict_categories(const QString &flag);
    void category_changed();
    void currency_chosen();
    void apply_currency(const QString &name, bool take_rate);
    void show_currency(const QString &name);
    void set_category_icons();
    bool appended() const;
    TField &field(const char *name) const;

    int m_document_id = 0;
    bool m_fully_paid = false;
    bool m_paid_by_income = false;
    std::optional<double> m_limit;
    std::optional<EntryDocument> m_document;
    std::vector<EntryCurrency> m_currencies;
    TMemTable *m_groups = nullptr;
    TMemTable *m_accounts = nullptr;

    TDBDateEdit *m_date = nullptr;
    TDBEdit *m_doc_no = nullptr;
    TDBLookupCombo *m_group = nullptr;
    QToolButton *m_new_group = nullptr;
    TDBEdit *m_text = nullptr;
    TUserCalcHistory *m_text_history = nullptr;
    TDBLookupCombo *m_account = nullptr;
    QToolButton *m_new_account = nullptr;
    QGroupBox *m_income_frame = nullptr;
    QGroupBox *m_outcome_frame = nullptr;
    TDBNumberEdit *m_income = nullptr;
    TDBNumberEdit *m_outcome = nullptr;
    QLabel *m_document_text = nullptr;
    TValuesComboBox *m_currency = nullptr;
    QLabel *m_rate_amount_label = nullptr;
    QLabel *m_rate_label = nullptr;
    TDBNumberEdit *m_rate_amount = nullptr;
    TDBNumberEdit *m_rate = nullptr;
};
