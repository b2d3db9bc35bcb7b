#pragma once
// The desktop's mail client, reached through xdg-email, which opens a new message to the
// recipient with the PDF (and the files sent beside it) attached for the user to complete
// and send.

#include <QString>
#include <QStringList>

enum class MailClientStart {
    Started,
    // Not one plain address: a text such as "a@b.cz?attach=/etc/passwd" or "mailto:…" could
    // add recipients or attachments to the message, so nothing is started.
    InvalidRecipient,
    NotStarted, // xdg-email is missing or could not be run
};

inline const QString mail_client_program = QStringLiteral("xdg-email");
inline const QString mail_subject = QStringLiteral("Tisková sestava.");

// Every value is an argument of its own, never part of a command line a shell would read.
QStringList mail_client_arguments(const QString &recipient, const QStringList &attachments);

// Starts the client and returns without waiting for it: the client may stay open for as long
// as the user writes.
MailClientStart open_in_mail_client(const QString &recipient, const QStringList &attachments);
