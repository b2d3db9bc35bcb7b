#pragma once
// The mail settings of one sending, as the mail settings dialog leaves them for the sending
// command.

#include <QString>

// The ways of sending, in the order of the dialog's list.
enum SendType : int {
    stPrepareOnly = 0, // the PDF is only written; the user may open it
    stMailClient = 1,  // the desktop's mail client gets the PDF as an attachment
    stMailProgram = 2, // an unsent message for the user's mail program
    stMailService = 3, // sent through the SMTP server of the settings
};

struct Tmail_content {
    int send_type = stPrepareOnly;
    QString recipient;
    // Always empty; passed to the mail library as it stands.
    QString second_text;
    // The full path of the PDF file.
    QString attachment;
    // The issued invoice or credit note being sent, whose ISDOC file the dialog offers to
    // attach beside the PDF; 0 for any other report.
    int isdoc_document = 0;
    bool attach_isdoc = false;
    QString server;
    int port = 0;
    bool authentication = false;
    QString user;
    QString password;
    // The user allowed a login over a connection that the server does not encrypt.
    bool unencrypted_login = false;
};
