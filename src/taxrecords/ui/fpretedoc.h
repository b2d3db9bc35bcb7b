#pragma once
// The dialog before a cash voucher is printed: its number, the purpose of the payment and
// the name and address of the payer or payee, beside what the journal entry says.  OK
// places them into voucher_details, which the print and the store read.

#include <QDialog>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TUserCalcHistory;
struct VoucherEntry;

class TfPreTeDoc : public QDialog {
    Q_OBJECT

public:
    // The details are already prepared for the entry and the kind.
    TfPreTeDoc(const VoucherEntry &entry, bool income, QWidget *parent = nullptr);

    QSpinBox *number_spin() const { return m_number; }
    QLineEdit *purpose_edit() const { return m_purpose; }
    QLineEdit *name_edit() const { return m_name; }
    QLineEdit *address_edit() const { return m_address; }
    QLabel *heading_label() const { return m_heading; }
    QLabel *entry_label() const { return m_entry; }
    QLabel *amount_label() const { return m_amount; }
    QPushButton *ok_button() const { return m_ok; }

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLineEdit *text_input(const char *history_key, const QString &text);

    QSpinBox *m_number = nullptr;
    QLineEdit *m_purpose = nullptr;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_address = nullptr;
    QLabel *m_heading = nullptr;
    QLabel *m_entry = nullptr;
    QLabel *m_amount = nullptr;
    QPushButton *m_ok = nullptr;
    std::vector<TUserCalcHistory *> m_histories;
};

// Prepares voucher_details for the entry and kind and asks the user; true on OK, with the
// number and texts in the details.  False without a dialog when the entry is gone.
bool voucher_dialog(int entry_id, bool income);
