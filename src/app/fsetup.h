#pragma once
// The settings window: the user's own firm, its invoicing addresses, bank accounts and
// cash desks, the number series, the program's appearance and the kind of context help,
// one page each.  It is modal and lives while it is shown.

#include "widgets/shell_window.h"

#include <QDialog>
#include <QString>
#include <vector>

class QPushButton;
class QTabWidget;
class TMemTable;
class TSetupAppearancePage;
class TSetupBankCashPage;
class TSetupFirmPage;
class TSetupHelpPage;
class TSetupInvoicePage;
class TSetupSeriesPage;

class Tfm_setup : public QDialog, public ShellWindow {
    Q_OBJECT

public:
    enum Page {
        pgFirm = 0,
        pgInvoiceAddresses = 1,
        pgBankCash = 2,
        pgSeries = 3,
        pgAppearance = 4,
        pgHelpType = 5,
        page_count
    };

    explicit Tfm_setup(int page, QWidget *parent = nullptr);
    ~Tfm_setup() override;

    // Announces the window to the main window, shows it modally and takes it back when it
    // closes; the modal result.
    int run();

    QTabWidget *pages() const { return m_pages; }
    int current_page() const;
    QString status_hint() const { return m_hint; }

    TSetupFirmPage *firm_page() const { return m_firm; }
    TSetupInvoicePage *invoice_page() const { return m_invoice; }
    TSetupBankCashPage *bank_cash_page() const { return m_bank_cash; }
    TSetupSeriesPage *series_page() const { return m_series; }
    TSetupAppearancePage *appearance_page() const { return m_appearance; }
    TSetupHelpPage *help_page() const { return m_help_type; }

    void window_activated() override;

protected:
    bool event(QEvent *event) override;

private:
    void select_sets();
    void create_pages();
    void page_shown(int index);
    void free_sets();

    TMemTable *m_firm_set = nullptr;
    TMemTable *m_invoice_set = nullptr;
    TMemTable *m_account_set = nullptr;
    TMemTable *m_desk_set = nullptr;

    QTabWidget *m_pages = nullptr;
    QPushButton *m_help = nullptr;
    QPushButton *m_close = nullptr;
    TSetupFirmPage *m_firm = nullptr;
    TSetupInvoicePage *m_invoice = nullptr;
    TSetupBankCashPage *m_bank_cash = nullptr;
    TSetupSeriesPage *m_series = nullptr;
    TSetupAppearancePage *m_appearance = nullptr;
    TSetupHelpPage *m_help_type = nullptr;
    QString m_hint;
};

// The settings window on page 0 to 5 (firm, invoicing addresses, accounts and cash desks,
// number series, appearance, help type); the modal result.
int open_settings(int page);
