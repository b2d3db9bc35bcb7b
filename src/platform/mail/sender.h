#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace mail {

struct Sender {
    QByteArray address; // empty: the message has no sender
    QByteArray from;    // the From value: the display name and the address
};

// The sender the program set (tl_set_mail_sender), or, when it set none, `fallback` when
// that is a plain address.  Nothing, with the reason as the last error, when the set address
// is no plain address.
std::optional<Sender> message_sender(const QString &fallback);

} // namespace mail
