#pragma once
// Complete answers for the own mail service with a login, the SMTP password with blanks at
// its ends, as the mail tests start from.

#include "reports/mail_content.h"
#include "reports/mail_settings.h"

inline MailSettings sample_smtp_settings()
{
    MailSettings settings;
    settings.recipient = QStringLiteral("odberatel@firma.cz");
    settings.send_type = stMailService;
    settings.smtp_server = QStringLiteral("smtp.firma.cz");
    settings.smtp_port = 587;
    settings.smtp_check = true;
    settings.smtp_username = QStringLiteral("účetní");
    settings.smtp_password = QStringLiteral(" tajné1 ");
    return settings;
}
