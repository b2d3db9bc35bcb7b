#pragma once
// What the catalogue's editors (a product, a foreign price) share: a fixed dialog that edits
// one row of the caller's record set, puts its caption and keys into the status bar when it
// comes to the front, saves on OK only while OK is enabled and keeps the row in edit when
// the save is refused, and cancels the row on any other way of closing.

#include "widgets/shell_window.h"

#include <QDialog>
#include <QString>

class QLayout;
class QPushButton;
class TMemTable;

class TCatalogueEditor : public QDialog, public ShellWindow {
    Q_OBJECT

public:
    QPushButton *ok_button() const { return m_ok; }

    void window_activated() override;

public slots:
    void accept() override;
    void done(int result) override;

protected:
    // `keys` follows the caption in the status hint.
    TCatalogueEditor(TMemTable *set, const QString &keys, QWidget *parent);

    // Lays the fields out above the help, OK and Storno buttons.
    void finish_layout(QLayout *fields);
    // Writes the row; false keeps the editor open (the reason has been told).
    virtual bool save() = 0;
    // The control that takes the focus when the editor shows.
    virtual QWidget *first_control() const = 0;

    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

    TMemTable *m_set;

private:
    QString m_keys;
    QPushButton *m_ok = nullptr;
};
