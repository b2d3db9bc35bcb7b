#include "reports/mail_settings.h"

#include "data/cipher.h"
#include "data/messages.h"
#include "data/settings.h"
#include "reports/mail_content.h"
#include "reports/report_state.h"

namespace {

QString encrypted(const QString &secret)
{
    return encrypt_text(secret, QLatin1String(cipher_key_text));
}

QString decrypted(const QString &stored)
{
    return decrypt_text(stored, QLatin1String(cipher_key_text));
}

bool is_blank(const QString &text)
{
    return text.trimmed().isEmpty();
}

} // namespace

MailSettings read_mail_settings()
{
    const IniFile file = settings_file();
    const QString &section = mapi::section;
    MailSettings settings;
    settings.recipient = file.read_string(section, mapi::recipient);
    settings.no_print = file.read_bool(section, mapi::no_print, false);
    settings.password_check = file.read_bool(section, mapi::password_check, false);
    if (settings.password_check)
        settings.password = decrypted(file.read_string(section, mapi::password));
    settings.send_type = file.read_int(section, mapi::send_type, stPrepareOnly);
    if (settings.send_type < stPrepareOnly || settings.send_type > stMailService)
        settings.send_type = stPrepareOnly;
    settings.smtp_check = file.read_bool(section, mapi::smtp_check, false);
    settings.smtp_server = file.read_string(section, mapi::smtp_server);
    settings.smtp_port = file.read_int(section, mapi::smtp_port, mapi::default_port);
    if (settings.smtp_port < mapi::min_port || settings.smtp_port > mapi::max_port)
        settings.smtp_port = mapi::default_port;
    settings.smtp_username = decrypted(file.read_string(section, mapi::smtp_username));
    settings.smtp_password = decrypted(file.read_string(section, mapi::smtp_password));
    settings.smtp_unencrypted = file.read_bool(section, mapi::smtp_unencrypted, false);
    return settings;
}

bool write_mail_settings(const MailSettings &settings, QString *error)
{
    IniFile file = settings_file();
    const QString &section = mapi::section;
    bool written = file.write_string(section, mapi::recipient, settings.recipient);
    written &= file.write_bool(section, mapi::no_print, settings.no_print);
    written &= file.write_bool(section, mapi::password_check, settings.password_check);
    if (settings.password_check)
        written &= file.write_string(section, mapi::password, encrypted(settings.password));
    written &= file.write_int(section, mapi::send_type, settings.send_type);
    written &= file.write_bool(section, mapi::smtp_check, settings.smtp_check);
    written &= file.write_string(section, mapi::smtp_server, settings.smtp_server);
    written &= file.write_int(section, mapi::smtp_port, settings.smtp_port);
    written &= file.write_string(section, mapi::smtp_username, encrypted(settings.smtp_username));
    written &= file.write_string(section, mapi::smtp_password, encrypted(settings.smtp_password));
    written &= file.write_bool(section, mapi::smtp_unencrypted, settings.smtp_unencrypted);
    if (!written && error)
        *error = file.error_text();
    return written;
}

bool uses_smtp_server(int send_type)
{
    return send_type == stMailService;
}

bool mail_settings_complete(const MailSettings &settings)
{
    if (!settings.recipient.contains(u'@') && settings.send_type != stPrepareOnly)
        return false;
    if (settings.password_check && is_blank(settings.password))
        return false;
    if (!uses_smtp_server(settings.send_type))
        return true;
    if (is_blank(settings.smtp_server) || settings.smtp_port < mapi::min_port ||
        settings.smtp_port > mapi::max_port)
        return false;
    return !settings.smtp_check ||
           (!is_blank(settings.smtp_username) && !is_blank(settings.smtp_password));
}

void confirm_mail_settings(const MailSettings &settings)
{
    pdf_password = settings.password_check ? settings.password : QString();
    if (settings.no_print)
        pdf_permission = 0;
    QString error;
    if (!write_mail_settings(settings, &error))
        show_message(QStringLiteral("Pozor!"),
                     QStringLiteral("Nastavení odeslání se nepodařilo uložit do souboru %1: %2")
                         .arg(settings_file().path(), error),
                     mbIconWarning);
}

void fill_mail_content(const MailSettings &settings, Tmail_content &content)
{
    content.send_type = settings.send_type;
    content.recipient = settings.recipient;
    content.server = settings.smtp_server;
    content.port = settings.smtp_port;
    content.authentication = settings.smtp_check;
    content.user = settings.smtp_username;
    content.password = settings.smtp_password;
    content.unencrypted_login = settings.smtp_unencrypted;
}
