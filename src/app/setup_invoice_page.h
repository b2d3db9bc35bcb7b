#pragma once
// The settings page "Fakturační adresy": the firm's seat and branches, where invoices are
// sent (CONF_INVOICE), listed by name with the address of the selected one beside.

#include <QWidget>

class TMemTable;
class TSetupListPanel;

class TSetupInvoicePage : public QWidget {
    Q_OBJECT

public:
    explicit TSetupInvoicePage(TMemTable *addresses, QWidget *parent = nullptr);

    TSetupListPanel *list() const { return m_list; }

private:
    TSetupListPanel *m_list = nullptr;
};
