#pragma once
// The settings page "Obecné": the user's own firm (its row of CONF_ADDRESS), stored with
// "Uložit".  Changes take effect after a restart, which the page offers at once.

#include <QWidget>

class QPushButton;
class TMemTable;

class TSetupFirmPage : public QWidget {
    Q_OBJECT

public:
    // The set holds the firm's row (RECID 1); the page keeps it in edit.
    explicit TSetupFirmPage(TMemTable *firm, QWidget *parent = nullptr);

    QWidget *control_of(const QString &field_name) const;
    QPushButton *save_button() const { return m_save; }

    // Writes the row; when the database took it, the main window shows the firm at once.
    bool save();

private:
    void create_controls();

    TMemTable *m_firm;
    // False while the database has no firm's row yet: the first save inserts it.
    bool m_row_stored = true;
    QPushButton *m_save = nullptr;
};
