#include "data/scoped_hook.h"
#include "engine/template_loader.h"
#include "platform/mail/mail.h"
#include "platform/shell/shell.h"
#include "reports/mail_content.h"
#include "reports/preview_report.h"
#include "reports/report_state.h"
#include "reports/send_report.h"

#include "platform/mail/mail_test_support.h"
#include "support/db_fixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

namespace {

const QByteArray invoice_template = R"({
    "version": 1,
    "pages": [{"width": 744, "height": 1052,
        "bands": [{"kind": "report_title", "height": 40,
            "objects": [{"type": "text", "x": 0, "y": 0, "width": 600, "height": 20,
                         "text": ["Faktura – daňový doklad č. 2026001, Příliš žluťoučký kůň"]}]}]}]
})";

QByteArray read_all(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class SendReport : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        exec(QStringLiteral("UPDATE CONF_ADDRESS SET MYNAME = 'Účetní Novák s.r.o.', "
                            "MYADDRESS = 'Praha 1, e-mail: fakturace@ucetni.cz.' WHERE RECID = 1"));
        m_preview.report().set_template(parse_template(invoice_template, QString()));
        m_prepared = m_preview.prepare();
        m_previous_launcher = set_shell_launcher([this](const ShellLaunch &launch) {
            m_launches.push_back(launch);
            return true;
        });
        m_saved_path = qgetenv("PATH");
    }

    void TearDown() override
    {
        qputenv("PATH", m_saved_path);
        set_shell_launcher(m_previous_launcher);
        tl_set_mail_timeouts(0, 0);
        tl_set_mail_allow_unencrypted_login(0);
        send_on_open = false;
        pdf_password.clear();
        pdf_permission = default_pdf_permission;
        DbFixture::TearDown();
    }

    SendOutcome send(const Tmail_content &settings)
    {
        return send_report(m_prepared, [&](Tmail_content &content) {
            const QString attachment = content.attachment;
            content = settings;
            content.attachment = attachment;
            return true;
        });
    }

    static Tmail_content way(int send_type, const QString &recipient = "odberatel@firma.cz")
    {
        Tmail_content content;
        content.send_type = send_type;
        content.recipient = recipient;
        return content;
    }

    // A stand-in for xdg-email on PATH that writes its arguments, one a line, beside it.
    QString install_mail_client()
    {
        const QString bin = path(QStringLiteral("bin"));
        QDir().mkpath(bin);
        const QString script = bin + QStringLiteral("/xdg-email");
        QFile file(script);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$0.args.tmp\"\n"
                   "mv \"$0.args.tmp\" \"$0.args\"\n");
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", bin.toUtf8() + ':' + m_saved_path);
        return script + QStringLiteral(".args");
    }

    static QStringList wait_for_lines(const QString &file)
    {
        QElapsedTimer timer;
        timer.start();
        while (!QFile::exists(file) && timer.elapsed() < 5000)
            QThread::msleep(20);
        return QString::fromUtf8(read_all(file)).split(u'\n', Qt::SkipEmptyParts);
    }

    PreviewReport m_preview;
    PreparedReport m_prepared;
    std::vector<ShellLaunch> m_launches;
    ShellLauncher m_previous_launcher;
    QByteArray m_saved_path;
};

TEST_F(SendReport, PreparedOnlyThePdfStaysBesideTheProgramAndIsOpenedOnYes)
{
    send_on_open = true;
    m_answer = mrNo;
    EXPECT_EQ(send(way(stPrepareOnly, QString())), SendOutcome::Done);
    EXPECT_FALSE(send_on_open);
    const QString attachment = path(QStringLiteral("app/priloha.pdf"));
    EXPECT_EQ(attachment_path(), attachment);
    EXPECT_TRUE(read_all(attachment).startsWith("%PDF-"));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].title, QStringLiteral("Odeslání tiskové sestavy."));
    EXPECT_EQ(m_messages[0].text,
              "Tisková sestava je vytvořena a uložena ve tvaru PDF, v souboru\r\n\r\n" + attachment +
                  "\r\n\r\nPošlete ji jako přílohu pomocí poštovního programu, nebo internetového "
                  "prohlížeče.\r\n\r\nMám sestavu otevřít pro Vaši kontrolu?");
    EXPECT_EQ(m_messages[0].style, mbYesNo | mbIconQuestion);
    EXPECT_EQ(m_messages[0].help_topic, 1035);
    EXPECT_TRUE(m_launches.empty());

    m_answer = mrYes;
    send(way(stPrepareOnly));
    ASSERT_EQ(m_launches.size(), 1u);
    EXPECT_TRUE(m_launches[0].arguments.contains(attachment));
}

TEST_F(SendReport, ACancelledDialogWritesNothing)
{
    send_on_open = true;
    EXPECT_EQ(send_report(m_prepared, [](Tmail_content &) { return false; }),
              SendOutcome::Stopped);
    EXPECT_FALSE(send_on_open);
    EXPECT_FALSE(QFile::exists(attachment_path()));
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(SendReport, AnEarlierAttachmentThatCannotBeReplacedIsNeverSent)
{
    // A folder in the attachment's place can be neither removed nor written over.
    ASSERT_TRUE(QDir().mkpath(attachment_path() + QStringLiteral("/old")));
    const QString args = install_mail_client();
    EXPECT_EQ(send(way(stMailClient)), SendOutcome::Stopped);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].title, QStringLiteral("Chyba"));
    EXPECT_TRUE(m_messages[0].text.contains(attachment_path())) << qPrintable(m_messages[0].text);
    QThread::msleep(200);
    EXPECT_FALSE(QFile::exists(args));
}

TEST_F(SendReport, TheMailClientGetsThePdfAndOneSafeRecipient)
{
    QFile old(attachment_path());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an earlier customer's invoice");
    old.close();
    const QString args = install_mail_client();

    EXPECT_EQ(send(way(stMailClient, QStringLiteral(" odberatel@firma.cz "))),
              SendOutcome::ClosePreview);
    EXPECT_EQ(wait_for_lines(args),
              QStringList({"--utf8", "--attach", attachment_path(), "--subject",
                           "Tisková sestava.", "odberatel@firma.cz"}));
    EXPECT_TRUE(read_all(attachment_path()).startsWith("%PDF-"));
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(SendReport, ARecipientCarryingMoreThanOneAddressStartsNoMailClient)
{
    const QString args = install_mail_client();
    for (const QString &recipient :
         {QStringLiteral("a@b.cz?attach=/etc/passwd"), QStringLiteral("a@b.cz, c@d.cz"),
          QStringLiteral("--attach=/etc/passwd a@b.cz"), QStringLiteral("mailto:a@b.cz")}) {
        m_messages.clear();
        EXPECT_EQ(send(way(stMailClient, recipient)), SendOutcome::Done) << qPrintable(recipient);
        ASSERT_EQ(m_messages.size(), 1u) << qPrintable(recipient);
        EXPECT_TRUE(m_messages[0].text.contains(recipient));
    }
    QThread::msleep(200);
    EXPECT_FALSE(QFile::exists(args));
}

TEST_F(SendReport, TheUnsentMessageForTheMailProgramCarriesTheExportedPdf)
{
    EXPECT_EQ(send(way(stMailProgram)), SendOutcome::Done);
    EXPECT_TRUE(m_messages.empty()) << qPrintable(m_messages.front().text);
    const QString draft = path(QStringLiteral("app/priloha.eml"));
    ASSERT_EQ(m_launches.size(), 1u);
    EXPECT_TRUE(m_launches[0].arguments.contains(draft));

    const ParsedMessage message = parse_message(draft, path(QStringLiteral("parsed")));
    EXPECT_EQ(message.header(QStringLiteral("X-Unsent")), QStringLiteral("1"));
    EXPECT_EQ(message.header(QStringLiteral("Subject")), QStringLiteral("Tisková sestava."));
    EXPECT_EQ(message.header(QStringLiteral("To")), QStringLiteral("odberatel@firma.cz"));
    ASSERT_EQ(message.attachments.size(), 1);
    EXPECT_EQ(message.attachments[0].filename, QStringLiteral("priloha.pdf"));
    EXPECT_EQ(message.attachments[0].bytes, read_all(attachment_path()));
}

TEST_F(SendReport, TheOwnMailServiceSendsFromTheFirmsAddressAndConfirms)
{
    SmtpTestServer server(path(QStringLiteral("server")), {});
    Tmail_content content = way(stMailService);
    content.server = QStringLiteral("127.0.0.1");
    content.port = server.port();

    EXPECT_EQ(send(content), SendOutcome::Done);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text,
              QStringLiteral("E-mail s tiskovou sestavou byl odeslán na adresu odberatel@firma.cz."));
    ASSERT_EQ(server.message_count(), 1);
    EXPECT_EQ(server.envelope(1).value(QLatin1String("mail_from")).toString(),
              QStringLiteral("fakturace@ucetni.cz"));
    const ParsedMessage message =
        parse_message(server.message_file(1), path(QStringLiteral("parsed")));
    EXPECT_EQ(message.header(QStringLiteral("Subject")), QStringLiteral("Tisková sestava."));
    ASSERT_EQ(message.attachments.size(), 1);
    EXPECT_EQ(message.attachments[0].bytes, read_all(attachment_path()));
}

TEST_F(SendReport, APasswordGoesUnencryptedOnlyWhenTheUserAllowedIt)
{
    SmtpTestServer::Options plain;
    plain.user = QStringLiteral("fakturace@ucetni.cz");
    plain.password = QStringLiteral(" tajné1 ");
    plain.plain_login = true;
    SmtpTestServer server(path(QStringLiteral("server")), plain);
    Tmail_content content = way(stMailService);
    content.server = QStringLiteral("127.0.0.1");
    content.port = server.port();
    content.authentication = true;
    content.user = plain.user;
    content.password = plain.password;

    send(content);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_TRUE(m_messages[0].text.startsWith(QStringLiteral("E-mail se nepodařilo odeslat: ")));
    EXPECT_TRUE(server.logins().isEmpty());
    EXPECT_EQ(server.message_count(), 0);

    m_messages.clear();
    content.unencrypted_login = true;
    send(content);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_TRUE(m_messages[0].text.startsWith(QStringLiteral("E-mail s tiskovou sestavou byl")))
        << qPrintable(m_messages[0].text);
    EXPECT_EQ(server.message_count(), 1);
}

TEST_F(SendReport, AFailedSendingIsSaidWithItsReason)
{
    tl_set_mail_timeouts(5, 10);
    RefusingPort refusing;
    Tmail_content content = way(stMailService);
    content.server = QStringLiteral("127.0.0.1");
    content.port = refusing.port();

    EXPECT_EQ(send(content), SendOutcome::Done);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].title, QStringLiteral("Chyba"));
    EXPECT_TRUE(m_messages[0].text.startsWith(QStringLiteral("E-mail se nepodařilo odeslat: ")))
        << qPrintable(m_messages[0].text);
    EXPECT_GT(m_messages[0].text.size(), QStringLiteral("E-mail se nepodařilo odeslat: ").size());
}

TEST_F(SendReport, TheProtectionChosenForTheSendingAppliesToItsPdfOnly)
{
    pdf_password = QStringLiteral("heslo");
    pdf_permission = 0;
    m_answer = mrNo;
    send(way(stPrepareOnly));
    EXPECT_TRUE(pdf_password.isEmpty());
    EXPECT_EQ(pdf_permission, default_pdf_permission);
    // qpdf: 0 when the file needs a password to open, 3 when it opens without one.
    EXPECT_EQ(QProcess::execute(QStringLiteral("qpdf"),
                                {QStringLiteral("--requires-password"), attachment_path()}),
              0);
    send(way(stPrepareOnly));
    EXPECT_EQ(QProcess::execute(QStringLiteral("qpdf"),
                                {QStringLiteral("--requires-password"), attachment_path()}),
              3);
}

} // namespace

TEST_F(SendReport, AnIssuedInvoiceTakesItsIsdocFileAlongWhenTheUserAsks)
{
    const int partner = insert_partner(1, QStringLiteral("Řezbářství Šťastný"));
    exec(QStringLiteral("INSERT INTO PAR_ADDR (RECID, ID_PARTNER, ADDRESS, CITY) VALUES "
                        "(700, %1, 'Dlouhá 5', 'Brno');"
                        "INSERT INTO DOC_HEAD (RECID, ID_DOC_TYPE, DOC_NO, ID_ADDRESS, DATE_D, "
                        "DOC_TITLE, ALL_SUM, ROUND_SUM) VALUES (701, 1, 2026001, 700, "
                        "'2026-03-01', 'Dodávka', 100, 100)")
             .arg(partner));
    const QString args = install_mail_client();
    const auto send_with = [this](int send_type, bool attach, int *offered = nullptr) {
        return send_report(m_prepared, [=](Tmail_content &content) {
            if (offered)
                *offered = content.isdoc_document;
            content.send_type = send_type;
            content.recipient = QStringLiteral("odberatel@firma.cz");
            content.attach_isdoc = attach;
            return true;
        });
    };

    int offered = -1;
    send_with(stMailProgram, true, &offered);
    EXPECT_EQ(offered, 0) << "another report offers no ISDOC file";

    const ScopedValue<int> shown(document_in_preview, 701);
    EXPECT_EQ(send_with(stMailProgram, true, &offered), SendOutcome::Done);
    EXPECT_EQ(offered, 701);
    EXPECT_TRUE(m_messages.empty()) << qPrintable(m_messages.front().text);
    const QString draft = path(QStringLiteral("app/priloha.eml"));
    const ParsedMessage both = parse_message(draft, path(QStringLiteral("parsed")));
    ASSERT_EQ(both.attachments.size(), 2);
    EXPECT_EQ(both.attachments[0].filename, QStringLiteral("priloha.pdf"));
    EXPECT_EQ(both.attachments[1].filename, QStringLiteral("priloha.isdoc"));
    EXPECT_TRUE(both.attachments[1].bytes.contains("<DocumentType>1</DocumentType>"));
    EXPECT_EQ(both.attachments[1].bytes, read_all(isdoc_attachment_path()));

    EXPECT_EQ(send_with(stMailProgram, false), SendOutcome::Done);
    EXPECT_EQ(parse_message(draft, path(QStringLiteral("parsed2"))).attachments.size(), 1)
        << "unasked, and the file of the sending before stays out";

    EXPECT_EQ(send_with(stMailClient, true), SendOutcome::ClosePreview);
    EXPECT_EQ(wait_for_lines(args), QStringList({"--utf8", "--attach", attachment_path(),
                                                 "--attach", isdoc_attachment_path(), "--subject",
                                                 "Tisková sestava.", "odberatel@firma.cz"}));
}
