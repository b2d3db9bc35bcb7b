#include "platform/mail/sender.h"

#include "platform/mail/header_encoding.h"
#include "platform/mail/mail_address.h"
#include "platform/mail/mail_error.h"
#include "platform/mail/mail_settings.h"

namespace mail {

std::optional<Sender> message_sender(const QString &fallback)
{
    const MailSettings &current = settings();
    if (current.sender_address.trimmed().isEmpty()) {
        const std::optional<QByteArray> address = plain_address(fallback);
        if (!address)
            return Sender{};
        return Sender{*address, *address};
    }
    const std::optional<QByteArray> address = plain_address(current.sender_address);
    if (!address) {
        set_error(QStringLiteral("adresa odesílatele %1 není platná e-mailová adresa.")
                      .arg(quoted(current.sender_address)));
        return std::nullopt;
    }
    const QByteArray name = display_phrase(current.sender_name);
    return Sender{*address, name.isEmpty() ? *address : name + " <" + *address + '>'};
}

} // namespace mail
