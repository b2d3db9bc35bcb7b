#pragma once
// The mail settings dialog: to whom, whether the PDF is protected by a password and
// against printing, whether an issued invoice or credit note takes its ISDOC file along,
// which way of sending, and for the own mail service the SMTP server and login.  The
// answers are remembered for the next sending, except the ISDOC file, asked each time.

#include "reports/mail_settings.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QToolButton;
class QWidget;
struct Tmail_content;

class TfmMail : public QDialog {
    Q_OBJECT

public:
    static constexpr int help_topic = 1035;

    // `offer_isdoc`: the report is an issued invoice or credit note.
    explicit TfmMail(QWidget *parent = nullptr, bool offer_isdoc = false);

    // The answers as the controls hold them, secrets as typed.
    MailSettings settings() const;

    QLineEdit *recpt = nullptr;
    QToolButton *recpt_button = nullptr;
    QCheckBox *disable_print = nullptr;
    QCheckBox *password_check = nullptr;
    QLineEdit *Edit1 = nullptr;
    QLineEdit *Edit2 = nullptr;
    QCheckBox *attach_isdoc = nullptr; // only when offered
    QListWidget *act = nullptr;
    QLabel *smtp_title = nullptr;
    QWidget *smtp_panel = nullptr;
    QLineEdit *esmtp = nullptr;
    QSpinBox *eport = nullptr;
    QCheckBox *smtp_check = nullptr;
    QLineEdit *euser = nullptr;
    QLineEdit *epsw = nullptr;
    QCheckBox *smtp_unencrypted = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QPushButton *cancel_button = nullptr;
    QPushButton *help_button = nullptr;

    void validate();
    void BitBtn1Click();
    void pick_recipient();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void create_controls(bool offer_isdoc);
    void show_settings(const MailSettings &settings);
    void enable_fields();
    void place_buttons(int top);
};

// Asks how the report goes out; true when the user confirmed.  Whatever the answer, the
// dialog's way of sending, recipient and SMTP settings are copied into `content`.
bool ask_mail_settings(Tmail_content &content, QWidget *parent = nullptr);
