#include "mail_test_support.h"

#include <QJsonArray>

namespace {

const char *const recipient = "prijemce@example.cz";
const char *const user = "ucetni@firma.cz";
// Secrets are taken as they stand: the blanks belong to the password.
const char *const password = " tajné1 ";

class SendMail : public MailTest {
protected:
    void SetUp() override
    {
        MailTest::SetUp();
        m_attachment = write_file(QStringLiteral("priloha.pdf")).toUtf8();
        tl_set_mail_timeouts(10, 30);
        m_events.install();
    }

    int send(int port, const char *to = recipient, int32_t authentication = 0,
             const char *secret = password, const char *server = "127.0.0.1")
    {
        return tl_send_mail(&m_app_window, &m_main_window, to, "", m_attachment.constData(), server,
                            user, secret, port, authentication);
    }

    SmtpTestServer::Options login_over_starttls()
    {
        return {make_certificate(path(QString())), QString::fromUtf8(user),
                QString::fromUtf8(password), false};
    }

    // The one outcome the callback was told, which must also be the last error.
    std::string outcome(int stage)
    {
        const std::vector<RecordedEvents::Event> outcomes = m_events.outcomes();
        EXPECT_EQ(outcomes.size(), 1u);
        if (outcomes.empty())
            return std::string();
        EXPECT_EQ(outcomes.back().stage, stage);
        if (stage != tlMailSent) {
            EXPECT_EQ(outcomes.back().text, tl_mail_last_error());
        }
        return outcomes.back().text;
    }

    QByteArray m_attachment;
    RecordedEvents m_events;
    int m_app_window = 0;
    int m_main_window = 0;
};

} // namespace

TEST_F(SendMail, TheMessageArrivesOverStartTlsAfterTheLogin)
{
    const SmtpTestServer::Options options = login_over_starttls();
    SmtpTestServer server(path(QStringLiteral("server")), options);
    tl_set_mail_ca_file(options.starttls.cert.toUtf8().constData());
    tl_set_mail_sender("fakturace@firma.cz", "Firma Novák s.r.o.");

    ASSERT_EQ(send(server.port(), recipient, -1), 1) << tl_mail_last_error();
    EXPECT_EQ(outcome(tlMailSent), "E-mail byl odeslán.");
    EXPECT_EQ(std::string(tl_mail_last_error()), "");
    ASSERT_EQ(server.message_count(), 1);
    const QJsonObject envelope = server.envelope(1);
    EXPECT_EQ(envelope.value(QLatin1String("mail_from")).toString(),
              QStringLiteral("fakturace@firma.cz"));
    EXPECT_EQ(envelope.value(QLatin1String("rcpt_tos")).toArray(),
              QJsonArray({QString::fromUtf8(recipient)}));
    EXPECT_TRUE(envelope.value(QLatin1String("tls")).toBool());
    EXPECT_TRUE(envelope.value(QLatin1String("authenticated")).toBool());

    const ParsedMessage message =
        parse_message(server.message_file(1), path(QStringLiteral("parsed")));
    EXPECT_EQ(message.defects, QStringList());
    EXPECT_EQ(message.header(QStringLiteral("Subject")), QStringLiteral("Tisková sestava."));
    EXPECT_EQ(message.header(QStringLiteral("To")), QString::fromUtf8(recipient));
    EXPECT_EQ(message.header(QStringLiteral("From")),
              QStringLiteral("\"Firma Novák s.r.o.\" <fakturace@firma.cz>"));
    EXPECT_FALSE(message.header(QStringLiteral("Date")).isEmpty());
    EXPECT_TRUE(
        message.header(QStringLiteral("Message-ID")).endsWith(QStringLiteral("@firma.cz>")));
    EXPECT_FALSE(message.header_names().contains(QStringLiteral("X-Unsent")));
    EXPECT_EQ(message.text, QStringLiteral("Tento e-mail obsahuje přílohu \"priloha.pdf\".\n"));
    ASSERT_EQ(message.attachments.size(), 1);
    EXPECT_EQ(message.attachments[0].filename, QStringLiteral("priloha.pdf"));
    EXPECT_EQ(message.attachments[0].bytes, sample_pdf());
}

// The progress window learns of the sending at once, gets its windows back, and hears of
// the outcome exactly once.
TEST_F(SendMail, ProgressReachesTheCallbackBeforeOneOutcome)
{
    SmtpTestServer server(path(QStringLiteral("server")), {});
    tl_set_mail_sender("fakturace@firma.cz", "");
    ASSERT_EQ(send(server.port()), 1) << tl_mail_last_error();

    ASSERT_GE(m_events.progress_count(), 1);
    const RecordedEvents::Event &first = m_events.events.front();
    EXPECT_EQ(first.stage, tlMailProgress);
    EXPECT_EQ(first.text, "Odesílám e-mail…");
    EXPECT_EQ(first.app_window, &m_app_window);
    EXPECT_EQ(first.main_window, &m_main_window);
    const RecordedEvents::Event &last = m_events.events.back();
    EXPECT_EQ(last.stage, tlMailSent);
    EXPECT_GT(last.bytes_total, sample_pdf().size());
    for (const RecordedEvents::Event &e : m_events.events)
        EXPECT_LE(e.bytes_sent, last.bytes_total);
    EXPECT_EQ(m_events.outcomes().size(), 1u);
}

TEST_F(SendMail, ARefusedLoginSaysSoAndSendsNothing)
{
    const SmtpTestServer::Options options = login_over_starttls();
    SmtpTestServer server(path(QStringLiteral("server")), options);
    tl_set_mail_ca_file(options.starttls.cert.toUtf8().constData());

    EXPECT_EQ(send(server.port(), recipient, -1, "tajné1"), 0);
    const std::string reason = outcome(tlMailFailed);
    EXPECT_TRUE(starts_with(reason, "server odmítl přihlášení, zkontrolujte přihlašovací jméno "
                                    "a heslo (535"))
        << reason;
    EXPECT_EQ(server.message_count(), 0);
}

TEST_F(SendMail, ARefusedRecipientIsNamed)
{
    SmtpTestServer server(path(QStringLiteral("server")), {});
    tl_set_mail_sender("fakturace@firma.cz", "");

    EXPECT_EQ(send(server.port(), "odmitnuty@example.cz"), 0);
    const std::string reason = outcome(tlMailFailed);
    EXPECT_TRUE(starts_with(reason, "server odmítl příjemce „odmitnuty@example.cz“ (550"))
        << reason;
    EXPECT_EQ(server.message_count(), 0);
}

// Without the timeout the program's only UI thread would wait for ever.
TEST_F(SendMail, AServerThatNeverAnswersFailsWhenTheTimeoutEnds)
{
    SilentListener silent;
    tl_set_mail_sender("fakturace@firma.cz", "");
    tl_set_mail_timeouts(2, 30);

    EXPECT_EQ(send(silent.port()), 0);
    EXPECT_EQ(outcome(tlMailFailed), "server „127.0.0.1“ přijal spojení, ale neodpovídá.");
    EXPECT_GT(m_events.progress_count(), 1);
}

// A progress window's "Zrušit" ends the session at once.  The timeouts are longer than the
// test may run: a cancel that waited for the server would overrun it.
TEST_F(SendMail, ACancelFromTheProgressCallbackEndsTheSession)
{
    SilentListener silent;
    tl_set_mail_sender("fakturace@firma.cz", "");
    tl_set_mail_timeouts(90, 90);
    m_events.cancel_at_progress = 3;

    EXPECT_EQ(send(silent.port()), 0);
    EXPECT_EQ(outcome(tlMailCancelled), "odesílání bylo zrušeno.");
    EXPECT_EQ(m_events.progress_count(), 3);
}

// After the message has been accepted libcurl still says goodbye, where no progress is
// reported and nothing can be cancelled: that wait must end with the timeout too, and not
// after libcurl's two minutes, which would overrun the test.
TEST_F(SendMail, AServerSilentAfterAcceptingTheMessageStillEndsTheSession)
{
    SmtpTestServer::Options options;
    options.mute_on_quit = true;
    SmtpTestServer server(path(QStringLiteral("server")), options);
    tl_set_mail_sender("fakturace@firma.cz", "");
    tl_set_mail_timeouts(2, 30);

    EXPECT_EQ(send(server.port()), 1) << tl_mail_last_error();
    EXPECT_EQ(outcome(tlMailSent), "E-mail byl odeslán.");
    EXPECT_EQ(server.message_count(), 1);
}

TEST_F(SendMail, UnreachableServersGiveTheirCzechReason)
{
    RefusingPort refusing;
    tl_set_mail_sender("fakturace@firma.cz", "");
    const struct {
        const char *server;
        int port;
        std::string reason;
    } cases[] = {
        {"127.0.0.1", refusing.port(),
         "server „127.0.0.1“ nepřijímá spojení na portu " + std::to_string(refusing.port())},
        {"neexistuje.invalid", 25, "server „neexistuje.invalid“ nebyl nalezen."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.server);
        m_events.events.clear();
        EXPECT_EQ(send(c.port, recipient, 0, password, c.server), 0);
        const std::string reason = outcome(tlMailFailed);
        EXPECT_TRUE(starts_with(reason, c.reason)) << reason;
    }
}

// A server that offers no STARTTLS never sees the password, unless the user explicitly
// allowed an unencrypted server.
TEST_F(SendMail, APasswordGoesOverAPlainConnectionOnlyWhenAllowed)
{
    SmtpTestServer server(path(QStringLiteral("server")),
                          {{}, QString::fromUtf8(user), QString::fromUtf8(password), true});

    EXPECT_EQ(send(server.port(), recipient, -1), 0);
    EXPECT_EQ(outcome(tlMailFailed), "server „127.0.0.1“ nenabízí šifrované spojení (STARTTLS), "
                                     "heslo se proto neposílá.");
    EXPECT_EQ(server.logins(), QList<QJsonObject>());
    EXPECT_EQ(server.message_count(), 0);

    m_events.events.clear();
    tl_set_mail_allow_unencrypted_login(1);
    ASSERT_EQ(send(server.port(), recipient, -1), 1) << tl_mail_last_error();
    ASSERT_EQ(server.logins().size(), 1);
    EXPECT_TRUE(server.logins()[0].value(QLatin1String("accepted")).toBool());
    EXPECT_FALSE(server.logins()[0].value(QLatin1String("tls")).toBool());
    ASSERT_EQ(server.message_count(), 1);
    // No sender was set: the login name, an address, stands in for the firm's address.
    EXPECT_EQ(server.envelope(1).value(QLatin1String("mail_from")).toString(),
              QString::fromUtf8(user));
}

// A certificate nobody vouches for ends the session before the login.
TEST_F(SendMail, AnUntrustedCertificateIsATlsFailure)
{
    SmtpTestServer server(path(QStringLiteral("server")), login_over_starttls());

    EXPECT_EQ(send(server.port(), recipient, -1), 0);
    const std::string reason = outcome(tlMailFailed);
    EXPECT_TRUE(starts_with(reason, "certifikát serveru „127.0.0.1“ není důvěryhodný (")) << reason;
    EXPECT_EQ(server.logins(), QList<QJsonObject>());
    EXPECT_EQ(server.message_count(), 0);
}

// What cannot make a sound message or a sound URL stops before any connection.
TEST_F(SendMail, InvalidInputFailsBeforeConnecting)
{
    SilentListener silent;
    const QByteArray missing = path(QStringLiteral("chybi.pdf")).toUtf8();
    const struct {
        const char *to;
        const char *attachment;
        const char *server;
        int port;
        int32_t authentication;
        const char *login;
        const char *sender;
        const char *reason;
    } cases[] = {
        {"a@b.cz?attach=/etc/passwd", nullptr, "127.0.0.1", 0, 0, user, "f@firma.cz",
         "adresa příjemce „a@b.cz?attach=/etc/passwd“ není platná e-mailová adresa."},
        {"a@b.cz\r\nRCPT TO:<tajny@example.cz>", nullptr, "127.0.0.1", 0, 0, user, "f@firma.cz",
         "adresa příjemce „"},
        {"", nullptr, "127.0.0.1", 0, 0, user, "f@firma.cz", "není zadána adresa příjemce."},
        {recipient, missing.constData(), "127.0.0.1", 0, 0, user, "f@firma.cz", "příloha „"},
        {recipient, nullptr, "127.0.0.1", 0, 0, user, "f@firma.cz\r\nRCPT TO:<x@y.cz>",
         "adresa odesílatele „"},
        {recipient, nullptr, "127.0.0.1", 0, 0, "ucetni", "",
         "chybí adresa odesílatele: firma nemá vyplněný e-mail"},
        {recipient, nullptr, "127.0.0.1", 0, -1, "", "f@firma.cz",
         "není zadáno přihlašovací jméno k serveru."},
        {recipient, nullptr, "127.0.0.1/?x=1", 0, 0, user, "f@firma.cz",
         "název serveru „127.0.0.1/?x=1“ není platný."},
        {recipient, nullptr, "smtp.firma.cz:25", 0, 0, user, "f@firma.cz",
         "název serveru „smtp.firma.cz:25“ není platný."},
        {recipient, nullptr, "user@127.0.0.1", 0, 0, user, "f@firma.cz", "název serveru „"},
        {recipient, nullptr, " ", 0, 0, user, "f@firma.cz", "není zadán server odchozí pošty."},
        {recipient, nullptr, "127.0.0.1", -1, 0, user, "f@firma.cz",
         "port 0 není platný, server odchozí pošty má port 1 až 65535."},
        {recipient, nullptr, "127.0.0.1", 65536, 0, user, "f@firma.cz", "port 65536 není"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.reason);
        m_events.events.clear();
        tl_set_mail_sender(c.sender, "");
        const int port = c.port == 0 ? silent.port() : c.port == -1 ? 0 : c.port;
        const int result = tl_send_mail(nullptr, nullptr, c.to, "",
                                        c.attachment ? c.attachment : m_attachment.constData(),
                                        c.server, c.login, password, port, c.authentication);
        EXPECT_EQ(result, 0);
        const std::string reason = outcome(tlMailFailed);
        EXPECT_TRUE(starts_with(reason, c.reason)) << reason;
        EXPECT_FALSE(silent.was_contacted());
    }
}
