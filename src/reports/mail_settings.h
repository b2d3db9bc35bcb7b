#pragma once
// The answers of the mail settings dialog, remembered in section "MAPI" of the settings
// file, the secret ones encrypted; the rule that decides when they are complete; and what
// confirming them sets for the next PDF export.  Secrets are taken as typed: blanks at their
// ends belong to them.

#include <QString>

struct Tmail_content;

namespace mapi {

inline const QString section = QStringLiteral("MAPI");
inline const QString recipient = QStringLiteral("RECIPIENT");
inline const QString no_print = QStringLiteral("NOPRINT");
inline const QString password_check = QStringLiteral("PASSWORD_CHECK");
inline const QString password = QStringLiteral("PASSWORD");
inline const QString send_type = QStringLiteral("SEND_TYPE");
inline const QString smtp_check = QStringLiteral("SMTP_CHECK");
inline const QString smtp_server = QStringLiteral("SMTP_SERVER");
inline const QString smtp_port = QStringLiteral("SMTP_PORT");
inline const QString smtp_username = QStringLiteral("SMTP_USERNAME");
inline const QString smtp_password = QStringLiteral("SMTP_PASSWORD");
// The user lets the login go to a server that offers no encryption.
inline const QString smtp_unencrypted = QStringLiteral("SMTP_UNENCRYPTED");

inline constexpr int default_port = 25;
inline constexpr int min_port = 1;
inline constexpr int max_port = 65535;

} // namespace mapi

struct MailSettings {
    QString recipient;
    bool no_print = false;
    bool password_check = false;
    QString password;
    int send_type = 0;
    bool smtp_check = false;
    QString smtp_server;
    int smtp_port = mapi::default_port;
    QString smtp_username;
    QString smtp_password;
    bool smtp_unencrypted = false;
};

// The stored answers.  The PDF password is read only while its option is on; a send type or
// a port out of range reads as the default.
MailSettings read_mail_settings();
// Writes every key; the PDF password only while its option is on, so that switching the
// option off keeps the one stored before.  False, with the reason in `error`, when the file
// could not be written.
bool write_mail_settings(const MailSettings &settings, QString *error = nullptr);

// Whether the SMTP server's parameters belong to the way of sending.
bool uses_smtp_server(int send_type);
// Whether OK may be pressed: a recipient with "@" (unless the PDF is only prepared), a PDF
// password that is not only blanks when one is asked for, and for the own mail service a
// server, a port and, when the server wants a login, a user name and a password.
bool mail_settings_complete(const MailSettings &settings);

// What OK does once both password entries agree: the protection of the next PDF export is
// set and the answers are stored.  A file that cannot be written is said in a warning, and
// the sending goes on all the same.
void confirm_mail_settings(const MailSettings &settings);

// The answers as the sending command takes them.
void fill_mail_content(const MailSettings &settings, Tmail_content &content);
