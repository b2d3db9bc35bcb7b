#include "mail_test_support.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const QString python = QStringLiteral("/usr/bin/python3");

QString script(const char *name)
{
    return QStringLiteral(TALLYRA_MAIL_TEST_DIR "/") + QLatin1String(name);
}

void reset_library()
{
    tl_set_mail_callback(nullptr, nullptr);
    tl_set_mail_sender(nullptr, nullptr);
    tl_set_mail_allow_unencrypted_login(0);
    tl_set_mail_timeouts(0, 0);
    tl_set_mail_ca_file(nullptr);
    tl_set_mail_second_attachment(nullptr);
}

QByteArray read_all(const QString &file)
{
    QFile f(file);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << file.toStdString();
    return f.readAll();
}

// A TCP socket on 127.0.0.1 at a port the system picks.
int bound_loopback_socket(int *port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    socklen_t length = sizeof address;
    EXPECT_EQ(::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length), 0);
    *port = ntohs(address.sin_port);
    return fd;
}

} // namespace

void MailTest::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    reset_library();
}

void MailTest::TearDown()
{
    reset_library();
}

QByteArray MailTest::sample_pdf()
{
    QByteArray bytes("%PDF-1.4\r\n.\r\n..\n.\r\nFrom here\r\n");
    for (int i = 0; i < 4096; ++i)
        bytes += static_cast<char>(i % 256);
    return bytes + "\r\n.\r\n%%EOF";
}

QString MailTest::write_file(const QString &name, const QByteArray &bytes) const
{
    const QString file = path(name);
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile f(file);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly)) << file.toStdString();
    f.write(bytes);
    return file;
}

QStringList ParsedMessage::header_names() const
{
    QStringList names;
    for (const QStringList &h : headers)
        names.append(h.at(0));
    return names;
}

QString ParsedMessage::header(const QString &name) const
{
    for (const QStringList &h : headers) {
        if (h.at(0).compare(name, Qt::CaseInsensitive) == 0)
            return h.at(1);
    }
    return QString();
}

ParsedMessage parse_message(const QString &file, const QString &work_dir)
{
    QDir().mkpath(work_dir);
    QProcess reader;
    reader.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    reader.start(python, {script("read_message.py"), file, work_dir});
    EXPECT_TRUE(reader.waitForFinished(30000));
    EXPECT_EQ(reader.exitCode(), 0);
    const QJsonObject json = QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
    ParsedMessage parsed;
    for (const QJsonValue &h : json.value(QLatin1String("headers")).toArray()) {
        const QJsonArray pair = h.toArray();
        parsed.headers.append({pair.at(0).toString(), pair.at(1).toString()});
    }
    parsed.text = json.value(QLatin1String("text")).toString();
    for (const QJsonValue &a : json.value(QLatin1String("attachments")).toArray()) {
        const QJsonObject attachment = a.toObject();
        parsed.attachments.append({attachment.value(QLatin1String("filename")).toString(),
                                   attachment.value(QLatin1String("content_type")).toString(),
                                   read_all(attachment.value(QLatin1String("file")).toString())});
    }
    for (const QJsonValue &d : json.value(QLatin1String("defects")).toArray())
        parsed.defects.append(d.toString());
    return parsed;
}

Certificate make_certificate(const QString &dir)
{
    const Certificate made{QDir(dir).filePath(QStringLiteral("cert.pem")),
                           QDir(dir).filePath(QStringLiteral("key.pem"))};
    QProcess openssl;
    openssl.setProcessChannelMode(QProcess::MergedChannels);
    openssl.start(QStringLiteral("openssl"),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                   QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                   QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
                   QStringLiteral("-days"), QStringLiteral("3650"), QStringLiteral("-subj"),
                   QStringLiteral("/CN=localhost"), QStringLiteral("-addext"),
                   QStringLiteral("subjectAltName=DNS:localhost,IP:127.0.0.1"),
                   QStringLiteral("-keyout"), made.key, QStringLiteral("-out"), made.cert});
    EXPECT_TRUE(openssl.waitForFinished(30000));
    EXPECT_EQ(openssl.exitCode(), 0) << openssl.readAll().toStdString();
    return made;
}

SmtpTestServer::SmtpTestServer(const QString &dir, const Options &options) : m_dir(dir)
{
    QDir().mkpath(dir);
    QStringList arguments = {script("smtp_test_server.py"), dir};
    if (!options.starttls.cert.isEmpty())
        arguments << QStringLiteral("--starttls") << options.starttls.cert << options.starttls.key;
    if (!options.user.isEmpty())
        arguments << QStringLiteral("--login") << options.user << options.password;
    if (options.plain_login)
        arguments << QStringLiteral("--plain-login");
    if (options.mute_on_quit)
        arguments << QStringLiteral("--mute-on-quit");
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(python, arguments);
    while (!m_process.canReadLine() && m_process.waitForReadyRead(30000)) {
    }
    const QByteArray line = m_process.readLine().trimmed();
    EXPECT_TRUE(line.startsWith("PORT ")) << "the test SMTP server did not start";
    m_port = line.mid(5).toInt();
}

SmtpTestServer::~SmtpTestServer()
{
    m_process.kill();
    m_process.waitForFinished(10000);
}

int SmtpTestServer::message_count() const
{
    return static_cast<int>(
        QDir(m_dir).entryList({QStringLiteral("message-*.eml")}, QDir::Files).size());
}

QString SmtpTestServer::message_file(int number) const
{
    return QDir(m_dir).filePath(QStringLiteral("message-%1.eml").arg(number));
}

QJsonObject SmtpTestServer::envelope(int number) const
{
    return QJsonDocument::fromJson(
               read_all(QDir(m_dir).filePath(QStringLiteral("message-%1.json").arg(number))))
        .object();
}

QList<QJsonObject> SmtpTestServer::logins() const
{
    QList<QJsonObject> result;
    QFile log(QDir(m_dir).filePath(QStringLiteral("logins.jsonl")));
    if (!log.open(QIODevice::ReadOnly))
        return result;
    for (const QByteArray &line : log.readAll().split('\n')) {
        if (!line.isEmpty())
            result.append(QJsonDocument::fromJson(line).object());
    }
    return result;
}

SilentListener::SilentListener() : m_socket(bound_loopback_socket(&m_port))
{
    EXPECT_EQ(::listen(m_socket, 8), 0);
}

SilentListener::~SilentListener()
{
    ::close(m_socket);
}

bool SilentListener::was_contacted() const
{
    pollfd waiting{m_socket, POLLIN, 0};
    return ::poll(&waiting, 1, 0) > 0;
}

RefusingPort::RefusingPort() : m_socket(bound_loopback_socket(&m_port)) {}

RefusingPort::~RefusingPort()
{
    ::close(m_socket);
}

void RecordedEvents::install()
{
    tl_set_mail_callback(
        [](const TlMailEvent *event, void *context) {
            auto *self = static_cast<RecordedEvents *>(context);
            self->events.push_back({event->stage, event->text, event->bytes_sent,
                                    event->bytes_total, event->app_window, event->main_window});
            const bool cancel = event->stage == tlMailProgress &&
                                self->cancel_at_progress == self->progress_count();
            return cancel ? 0 : 1;
        },
        this);
}

int RecordedEvents::progress_count() const
{
    int count = 0;
    for (const Event &e : events)
        count += e.stage == tlMailProgress ? 1 : 0;
    return count;
}

std::vector<RecordedEvents::Event> RecordedEvents::outcomes() const
{
    std::vector<Event> result;
    for (const Event &e : events) {
        if (e.stage != tlMailProgress)
            result.push_back(e);
    }
    return result;
}

bool starts_with(const std::string &text, const std::string &start)
{
    return text.compare(0, start.size(), start) == 0;
}
