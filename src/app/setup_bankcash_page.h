#pragma once
// The settings page "Bank.účty a pokladny": the firm's bank accounts and cash desks, both
// rows of CONF_BANKCASH told apart by IS_BANK.

#include <QWidget>

class TMemTable;
class TSetupListPanel;

class TSetupBankCashPage : public QWidget {
    Q_OBJECT

public:
    // Rows inserted into the first set become accounts, into the second cash desks.
    TSetupBankCashPage(TMemTable *accounts, TMemTable *desks, QWidget *parent = nullptr);

    TSetupListPanel *accounts() const { return m_accounts; }
    TSetupListPanel *desks() const { return m_desks; }

private:
    TSetupListPanel *m_accounts = nullptr;
    TSetupListPanel *m_desks = nullptr;
};
