#pragma once
// A list of the settings window (invoicing addresses, bank accounts, cash desks): the rows
// of one record set by one column, with the commands new, correct and delete below it.
// Rows are edited in the list editor and deleted after a question; Insert, Enter, a double
// click and Delete in the list run the commands.

#include <QString>
#include <QWidget>

class QPushButton;
class TDBGrid;
class TMemTable;

struct SetupListCommands {
    QString add;
    QString edit;
    QString remove;
    // Asked before a row is deleted.
    QString question;
    // Object names of the three buttons.
    const char *add_name;
    const char *edit_name;
    const char *remove_name;
};

class TSetupListPanel : public QWidget {
    Q_OBJECT

public:
    TSetupListPanel(TMemTable *set, const QString &table, const QString &shown_field,
                    int help_topic, const SetupListCommands &commands, QWidget *parent = nullptr);

    TMemTable *record_set() const { return m_set; }
    TDBGrid *grid() const { return m_grid; }
    QPushButton *add_button() const { return m_add; }
    QPushButton *edit_button() const { return m_edit; }
    QPushButton *remove_button() const { return m_remove; }

    void add_record();
    void edit_record();
    void delete_record();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void update_commands();

    TMemTable *m_set;
    QString m_table;
    int m_help_topic;
    SetupListCommands m_commands;
    TDBGrid *m_grid = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_edit = nullptr;
    QPushButton *m_remove = nullptr;
};
