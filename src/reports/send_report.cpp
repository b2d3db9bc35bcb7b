#include "reports/send_report.h"

#include "data/app_paths.h"
#include "data/db_api.h"
#include "data/messages.h"
#include "engine/pdf_export_filter.h"
#include "engine/report_error.h"
#include "platform/mail/mail.h"
#include "platform/shell/shell.h"
#include "reports/firm_sender.h"
#include "reports/isdoc_export.h"
#include "reports/mail_client.h"
#include "reports/mail_content.h"
#include "reports/report_state.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

namespace {

const QString send_caption = QStringLiteral("Odeslání tiskové sestavy.");
constexpr int send_help_topic = 1035;

void report_error(const QString &text)
{
    show_message(QStringLiteral("Chyba"), text, mbIconError);
}

QString mail_library_reason()
{
    return QString::fromUtf8(tl_mail_last_error());
}

// The old file goes first: an export that fails must never leave an earlier customer's PDF
// in its place to be mailed.  The protection chosen for this sending is taken in any case,
// so that it never passes to a later export.
bool write_attachment(const PreparedReport &report, const QString &file)
{
    TfrTNPDFExportFilter filter(pdf_options_provider());
    if (QFileInfo::exists(file) && !QFile::remove(file)) {
        report_error(QStringLiteral("Dřívější přílohu %1 nelze smazat, tisková sestava nebyla "
                                    "odeslána.")
                         .arg(file));
        return false;
    }
    try {
        export_to_file(report, filter, file);
    } catch (const ReportError &error) {
        report_error(error.message());
        return false;
    }
    if (QFileInfo(file).size() <= 0) {
        report_error(QStringLiteral("Tiskovou sestavu se nepodařilo uložit do souboru %1, nic "
                                    "nebylo odesláno.")
                         .arg(file));
        return false;
    }
    return true;
}

// As with the PDF, an earlier customer's file must never stand in for one that failed.
bool write_isdoc_attachment(int document, const QString &file)
{
    if (QFileInfo::exists(file) && !QFile::remove(file)) {
        report_error(QStringLiteral("Dřívější přílohu %1 nelze smazat, tisková sestava nebyla "
                                    "odeslána.")
                         .arg(file));
        return false;
    }
    return dbAPI && export_isdoc(*dbAPI, document, file);
}

void open_file(const QString &file)
{
    if (!open_url(skOpen, file))
        report_error(QStringLiteral("Soubor %1 se nepodařilo otevřít.").arg(file));
}

SendOutcome offer_to_open(const QStringList &attachments)
{
    const QString &attachment = attachments.front();
    const QString isdoc =
        attachments.size() > 1
            ? QStringLiteral("\r\n\r\nElektronická faktura ISDOC je uložena v souboru\r\n\r\n") +
                  attachments.back()
            : QString();
    const QString text =
        QStringLiteral("Tisková sestava je vytvořena a uložena ve tvaru PDF, v souboru\r\n\r\n") +
        attachment + isdoc +
        QStringLiteral("\r\n\r\nPošlete ji jako přílohu pomocí poštovního programu, nebo "
                       "internetového prohlížeče.\r\n\r\nMám sestavu otevřít pro Vaši kontrolu?");
    if (show_message(send_caption, text, mbYesNo | mbIconQuestion, false, send_help_topic) ==
        mrYes)
        open_file(attachment);
    return SendOutcome::Done;
}

SendOutcome hand_to_mail_client(const Tmail_content &content, const QStringList &attachments)
{
    switch (open_in_mail_client(content.recipient, attachments)) {
    case MailClientStart::Started:
        return SendOutcome::ClosePreview;
    case MailClientStart::InvalidRecipient:
        report_error(QStringLiteral("Příjemce „%1“ není jedna platná e-mailová adresa, tisková "
                                    "sestava nebyla předána poštovnímu klientovi.")
                         .arg(content.recipient));
        break;
    case MailClientStart::NotStarted:
        report_error(QStringLiteral("Poštovního klienta se nepodařilo spustit (program %1), "
                                    "tisková sestava zůstala v souboru %2.")
                         .arg(mail_client_program, content.attachment));
        break;
    }
    return SendOutcome::Done;
}

SendOutcome create_unsent_mail(const Tmail_content &content)
{
    char draft[TL_MAIL_RESULT_SIZE] = {};
    if (!tl_create_mail(content.recipient.toUtf8().constData(),
                        content.second_text.toUtf8().constData(),
                        content.attachment.toUtf8().constData(), draft)) {
        report_error(QStringLiteral("E-mail se nepodařilo připravit: ") + mail_library_reason());
        return SendOutcome::Done;
    }
    open_file(QString::fromUtf8(draft));
    return SendOutcome::Done;
}

SendOutcome send_by_smtp(const Tmail_content &content, void *app_window, void *main_window)
{
    const FirmSender sender = firm_sender();
    tl_set_mail_sender(sender.address.toUtf8().constData(), sender.name.toUtf8().constData());
    tl_set_mail_allow_unencrypted_login(content.unencrypted_login ? 1 : 0);
    const int sent = tl_send_mail(
        app_window, main_window, content.recipient.toUtf8().constData(),
        content.second_text.toUtf8().constData(), content.attachment.toUtf8().constData(),
        content.server.toUtf8().constData(), content.user.toUtf8().constData(),
        content.password.toUtf8().constData(), content.port, content.authentication ? -1 : 0);
    if (!sent) {
        report_error(QStringLiteral("E-mail se nepodařilo odeslat: ") + mail_library_reason());
        return SendOutcome::Done;
    }
    show_message(send_caption,
                 QStringLiteral("E-mail s tiskovou sestavou byl odeslán na adresu %1.")
                     .arg(content.recipient.trimmed()),
                 mbIconInformation, false, send_help_topic);
    return SendOutcome::Done;
}

} // namespace

QString attachment_path()
{
    return QDir(app_dir()).filePath(QStringLiteral("priloha.pdf"));
}

QString isdoc_attachment_path()
{
    return QDir(app_dir()).filePath(QStringLiteral("priloha.isdoc"));
}

SendOutcome send_report(const PreparedReport &report, const AskMailSettings &ask,
                        void *app_window, void *main_window)
{
    send_on_open = false;
    const auto cleared = qScopeGuard([] { send_on_open = false; });
    Tmail_content content;
    content.attachment = attachment_path();
    content.isdoc_document = document_in_preview;
    if (!ask(content) || !write_attachment(report, content.attachment))
        return SendOutcome::Stopped;
    QStringList attachments{content.attachment};
    if (content.attach_isdoc && content.isdoc_document != 0) {
        if (!write_isdoc_attachment(content.isdoc_document, isdoc_attachment_path()))
            return SendOutcome::Stopped;
        attachments << isdoc_attachment_path();
    }
    // The library keeps the file for every later message, so it goes with this one only.
    tl_set_mail_second_attachment(attachments.value(1).toUtf8().constData());
    const auto second_cleared = qScopeGuard([] { tl_set_mail_second_attachment(nullptr); });
    switch (content.send_type) {
    case stMailClient:
        return hand_to_mail_client(content, attachments);
    case stMailProgram:
        return create_unsent_mail(content);
    case stMailService:
        return send_by_smtp(content, app_window, main_window);
    default:
        return offer_to_open(attachments);
    }
}
