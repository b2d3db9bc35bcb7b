#pragma once
// What every modal editor of one record-set row does the same way: mode 0 appends a row to
// the caller's set (or takes the row the caller has just appended) and mode 1 edits its
// current row; the caption and the keys go into the
// status bar; "Nápověda", OK and "Storno"; OK is enabled only while the row is complete;
// OK stores the row and posts it with its RECID, a refused store leaves the editor open
// with the input; closing in any other way takes the row's change back.

#include "widgets/shell_window.h"

#include <QDialog>
#include <QString>

class QHBoxLayout;
class QLayout;
class QPushButton;
class TMemTable;

class TRecordEditor : public QDialog, public ShellWindow {
    Q_OBJECT

public:
    enum Mode { Add = 0, Edit = 1 };

    // The RECID of the row being edited, or of the row saved; 0 for a row not yet stored.
    int recid() const { return m_recid; }
    QPushButton *ok_button() const { return m_ok; }

    // Announces the editor to the main window, shows it modally and gives the saved RECID,
    // or 0.
    int run();

    void window_activated() override;

public slots:
    void accept() override;
    void done(int result) override;

protected:
    TRecordEditor(int mode, TMemTable *set, QWidget *parent);

    int mode() const { return m_mode; }
    TMemTable &set() const { return *m_set; }

    // The three buttons, connected; the subclass places them (or takes buttons_row()).
    void create_buttons(const QString &ok_caption = QStringLiteral("OK"));
    QPushButton *help_button() const { return m_help; }
    QPushButton *cancel_button() const { return m_cancel; }
    // Help at the left, OK and "Storno" at the right.
    QHBoxLayout *buttons_row();
    // The whole dialog for an editor of a few fields: the fields above the three buttons, at
    // a fixed size, with the program's texts and colour, F1 help and Enter moving on.
    void finish_layout(QLayout *fields);
    // What follows the caption in the status bar.
    void set_status_keys(const QString &keys) { m_status_keys = keys; }
    // The control that has the focus when the editor appears.
    void set_first_control(QWidget *control) { m_first_control = control; }
    QWidget *first_control() const { return m_first_control; }
    void update_ok();

    // Whether the row may be stored (its required fields hold more than blanks).
    virtual bool complete() const = 0;
    // Writes the row (0 for a new one under a new RECID); the stored RECID, or 0 when
    // nothing was stored (the user has been told why).
    virtual int store(int recid) = 0;
    // The row is stored and still in its edit, with its RECID; posted right after.
    virtual void stored() {}

    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    bool save();

    int m_mode;
    TMemTable *m_set;
    int m_recid = 0;
    QString m_status_keys;
    QWidget *m_first_control = nullptr;
    QPushButton *m_help = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};
