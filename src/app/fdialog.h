#pragma once
// The one message dialog of the program: every message, question and error report goes
// through show_message (data/messages.h), whose handler shows this dialog.

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

class TfmDialog : public QDialog {
    Q_OBJECT

public:
    enum class IconKind { Error, Question, Warning, Information };

    explicit TfmDialog(QWidget *parent = nullptr);

    // Caption, text, icon and buttons from the arguments of show_message.  A fatal message
    // gets its own caption, a closing line and the error icon.
    void set_message(const QString &title, const QString &text, int style, bool fatal,
                     int help_topic);
    // Shows the dialog modally: 1 "OK", 6 "Ano", 7 "Ne", 2 any other way out.
    int run();

    static IconKind icon_for_style(int style);
    IconKind icon_kind() const { return m_icon; }
    const QString &message_text() const { return m_text; }
    // The mail link the "Odeslat dotaz mailem" link opens (without "mailto:").
    QString mail_link() const;

public slots:
    void send_mail();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void build();
    void place();

    QLabel *m_icon_label = nullptr;
    QLabel *m_text_label = nullptr;
    QLabel *m_mail_link = nullptr;
    QPushButton *m_help = nullptr;
    QPushButton *m_yes = nullptr;
    QPushButton *m_no = nullptr;
    QPushButton *m_ok = nullptr;
    QString m_text;
    IconKind m_icon = IconKind::Information;
};

// The handler behind show_message while the program has windows.
int show_message_dialog(const QString &title, const QString &text, int style, bool fatal,
                        int help_topic);
void install_message_dialog();
