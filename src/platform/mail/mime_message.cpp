#include "platform/mail/mime_message.h"

#include "platform/mail/header_encoding.h"

#include <QRandomGenerator>

namespace mail {
namespace {

const QByteArray crlf = QByteArrayLiteral("\r\n");

QByteArray base64_lines(const QByteArray &bytes)
{
    constexpr qsizetype line_length = 76;
    const QByteArray encoded = bytes.toBase64();
    QByteArray result;
    result.reserve(encoded.size() + encoded.size() / line_length * 2 + 2);
    for (qsizetype at = 0; at < encoded.size(); at += line_length)
        result += encoded.mid(at, line_length) + crlf;
    return result;
}

// "=_" never occurs in base64 text, so no line of either part can be taken for the
// boundary.
QByteArray new_boundary()
{
    return "=_tallyra_" + QByteArray::number(QRandomGenerator::global()->generate64(), 16);
}

QByteArray header(const char *name, const QByteArray &value)
{
    return QByteArray(name) + ": " + value + crlf;
}

} // namespace

QByteArray composed(const MimeMessage &message)
{
    const QByteArray boundary = new_boundary();
    QByteArray result;
    if (message.unsent)
        result += header("X-Unsent", "1");
    if (!message.from.isEmpty())
        result += header("From", message.from);
    result += header("To", message.to);
    result += header("Subject", encoded_words(message.subject));
    if (!message.date.isEmpty())
        result += header("Date", message.date);
    if (!message.message_id.isEmpty())
        result += header("Message-ID", message.message_id);
    result += header("MIME-Version", "1.0");
    result += header("Content-Type", "multipart/mixed;\r\n boundary=\"" + boundary + '"');
    result += crlf;

    result += "--" + boundary + crlf;
    result += header("Content-Type", "text/plain; charset=UTF-8");
    result += header("Content-Transfer-Encoding", "base64");
    result += crlf;
    result += base64_lines(message.text.toUtf8());

    for (const MimeAttachment &attachment : message.attachments) {
        result += "--" + boundary + crlf;
        result += header("Content-Type",
                         attachment.type + ";\r\n " + mime_parameter("name", attachment.name));
        result += header("Content-Disposition",
                         "attachment;\r\n " + mime_parameter("filename", attachment.name));
        result += header("Content-Transfer-Encoding", "base64");
        result += crlf;
        result += base64_lines(attachment.bytes);
    }

    result += "--" + boundary + "--" + crlf;
    return result;
}

} // namespace mail
