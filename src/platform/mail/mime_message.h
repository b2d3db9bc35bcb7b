#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace mail {

struct MimeAttachment {
    QString name;
    QByteArray type;
    QByteArray bytes;
};

// A message of a text and its attachments, in the shape every mail program reads:
// multipart/mixed, the text as UTF-8, each attachment in base64, CRLF line ends.
struct MimeMessage {
    QByteArray from; // the From value ready for the header, or empty for none
    QByteArray to;   // a plain address
    QString subject;
    QString text;
    std::vector<MimeAttachment> attachments;
    // A sent message carries its date and identity; a draft gets them from the program
    // that sends it, and says instead that it has not been sent.
    QByteArray date;
    QByteArray message_id;
    bool unsent = false;
};

QByteArray composed(const MimeMessage &message);

} // namespace mail
