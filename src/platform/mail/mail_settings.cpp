#include "platform/mail/mail_settings.h"

namespace mail {

MailSettings &settings()
{
    static MailSettings current;
    return current;
}

} // namespace mail
