#pragma once

#include "platform/mail/mail.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <string>
#include <vector>

// Every test works in its own folder and starts and ends with the library's settings as a
// fresh process has them.
class MailTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QString path(const QString &name) const { return m_dir.filePath(name); }
    // A stand-in for an exported PDF: every byte value, line breaks and lone dots, so that
    // any re-encoding or dot-stuffing on the way would show.
    static QByteArray sample_pdf();
    QString write_file(const QString &name, const QByteArray &bytes = sample_pdf()) const;

    QTemporaryDir m_dir;
};

// A message as Python's email module reads it.
struct ParsedMessage {
    QList<QStringList> headers; // name and decoded value, in order
    QString text;
    struct Attachment {
        QString filename;
        QString content_type;
        QByteArray bytes;
    };
    QList<Attachment> attachments;
    QStringList defects;

    QStringList header_names() const;
    // The decoded value of the first header of that name, or a null text.
    QString header(const QString &name) const;
};
// `work_dir` receives the attachments' bytes on the way.
ParsedMessage parse_message(const QString &file, const QString &work_dir);

// A self-signed certificate for localhost and 127.0.0.1, made with the openssl command.
struct Certificate {
    QString cert;
    QString key;
};
Certificate make_certificate(const QString &dir);

// aiosmtpd on a free loopback port, recording into its folder what it received.
class SmtpTestServer {
public:
    struct Options {
        Certificate starttls; // empty: no STARTTLS offered
        QString user;         // empty: no login offered
        QString password;
        bool plain_login = false;  // the login offered without TLS too
        bool mute_on_quit = false; // no answer to the farewell after an accepted message
    };
    SmtpTestServer(const QString &dir, const Options &options);
    ~SmtpTestServer();
    SmtpTestServer(const SmtpTestServer &) = delete;
    SmtpTestServer &operator=(const SmtpTestServer &) = delete;

    int port() const { return m_port; }
    int message_count() const;
    QString message_file(int number) const; // from 1
    QJsonObject envelope(int number) const;
    QList<QJsonObject> logins() const;

private:
    QString m_dir;
    QProcess m_process;
    int m_port = 0;
};

// Accepts connections (the system does, into the backlog) and never says a word.
class SilentListener {
public:
    SilentListener();
    ~SilentListener();
    SilentListener(const SilentListener &) = delete;
    SilentListener &operator=(const SilentListener &) = delete;

    int port() const { return m_port; }
    bool was_contacted() const;

private:
    int m_port = 0; // before the socket, which sets it
    int m_socket = -1;
};

// A loopback port that is taken but not listening: every connection to it is refused.
class RefusingPort {
public:
    RefusingPort();
    ~RefusingPort();
    RefusingPort(const RefusingPort &) = delete;
    RefusingPort &operator=(const RefusingPort &) = delete;

    int port() const { return m_port; }

private:
    int m_port = 0; // before the socket, which sets it
    int m_socket = -1;
};

// Installed as the mail callback: keeps every event, and cancels at a chosen progress event.
struct RecordedEvents {
    struct Event {
        int stage;
        std::string text;
        int64_t bytes_sent;
        int64_t bytes_total;
        void *app_window;
        void *main_window;
    };
    std::vector<Event> events;
    int cancel_at_progress = 0; // 0: never; n: the n-th progress event cancels

    void install();
    int progress_count() const;
    // The events after the progress ones; a sound sending has exactly one.
    std::vector<Event> outcomes() const;
};

bool starts_with(const std::string &text, const std::string &start);
