#pragma once
// The review of a bank statement before it is booked: every movement with its proposal (the
// document and its state once paid, or "bez vazby"), where the user puts a movement on
// another document, picks the category of a movement without one, or leaves a movement out.
// "Zaúčtovat" books the accepted lines in one transaction.

#include "taxrecords/bank_import.h"

#include <QAbstractTableModel>
#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class TdbAPI;

// The review's lines as a table; the first column is the check box "Zaúčtovat".
class BankImportModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        colBook,
        colDate,
        colCounterParty,
        colSymbol,
        colAmount,
        colProposal,
        colState,
        colCategory,
        ColumnCount
    };

    BankImportModel(BankImport &import, std::vector<ImportCategory> categories,
                    QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

    // After the lines themselves changed (a document assigned, a line split off).
    void reload();

private:
    QString category_name(int recid) const;

    BankImport &m_import;
    std::vector<ImportCategory> m_categories;
};

class TfBankImport : public QDialog {
    Q_OBJECT

public:
    TfBankImport(TdbAPI &api, BankImport import, QWidget *parent = nullptr);

    QTableView *view() const { return m_view; }
    BankImportModel *model() const { return m_model; }
    QLineEdit *document_edit() const { return m_document; }
    QPushButton *assign_button() const { return m_assign; }
    QPushButton *detach_button() const { return m_detach; }
    QComboBox *category_combo() const { return m_category; }
    QCheckBox *book_check() const { return m_book; }
    QPushButton *book_button() const { return m_book_button; }
    QLabel *summary_label() const { return m_summary; }
    const BankImport &import() const { return m_import; }
    // The journal entries "Zaúčtovat" wrote.
    int booked() const { return m_booked; }

private:
    int current_row() const;
    void row_changed();
    void assign();
    void detach();
    void category_chosen();
    void book_toggled(bool on);
    void book();
    void update_summary();

    TdbAPI &m_api;
    BankImport m_import;
    std::vector<ImportCategory> m_income_categories;
    std::vector<ImportCategory> m_outcome_categories;
    BankImportModel *m_model = nullptr;
    QTableView *m_view = nullptr;
    QLabel *m_movement = nullptr;
    QLineEdit *m_document = nullptr;
    QPushButton *m_assign = nullptr;
    QPushButton *m_detach = nullptr;
    QComboBox *m_category = nullptr;
    QCheckBox *m_book = nullptr;
    QLabel *m_summary = nullptr;
    QPushButton *m_book_button = nullptr;
    bool m_filling = false;
    int m_booked = 0;
};

// "Načíst bankovní výpis": asks for the file, reads it and shows the review.  The journal
// entries booked, 0 when none were (cancelled, refused or nothing accepted).
int import_bank_statement(TdbAPI &api, QWidget *parent);
