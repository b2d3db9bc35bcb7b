#include "platform/mail/smtp_transfer.h"

#include <QList>

#include <chrono>
#include <cstring>
#include <memory>
#include <mutex>

namespace mail {
namespace {

using EasyHandle = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;
using MultiHandle = std::unique_ptr<CURLM, decltype(&curl_multi_cleanup)>;
using StringList = std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)>;

constexpr auto progress_interval = std::chrono::milliseconds(100);
constexpr int poll_milliseconds = 50;
constexpr qsizetype reply_limit = 200;

// libcurl wants the easy handle out of the multi stack before either is cleaned up.
class MultiMembership {
public:
    MultiMembership(CURLM *multi, CURL *easy) : m_multi(multi), m_easy(easy)
    {
        curl_multi_add_handle(m_multi, m_easy);
    }
    ~MultiMembership() { curl_multi_remove_handle(m_multi, m_easy); }
    MultiMembership(const MultiMembership &) = delete;
    MultiMembership &operator=(const MultiMembership &) = delete;

private:
    CURLM *m_multi;
    CURL *m_easy;
};

struct UploadSource {
    const QByteArray *message;
    qsizetype offset = 0;
};

size_t read_message(char *buffer, size_t size, size_t count, void *source_pointer)
{
    auto *source = static_cast<UploadSource *>(source_pointer);
    const size_t left = static_cast<size_t>(source->message->size() - source->offset);
    const size_t chunk = std::min(left, size * count);
    std::memcpy(buffer, source->message->constData() + source->offset, chunk);
    source->offset += static_cast<qsizetype>(chunk);
    return chunk;
}

QByteArray printable(const QByteArray &line)
{
    QByteArray result;
    for (const char c : line) {
        if (c >= 0x20 && c <= 0x7e)
            result += c;
    }
    return result.trimmed().left(reply_limit);
}

// Only the verb of a command is kept: what follows it may be a login's encoded password.
QByteArray command_verb(const QByteArray &line)
{
    static const QList<QByteArray> verbs = {"EHLO", "HELO", "STARTTLS", "AUTH",
                                            "MAIL", "RCPT", "DATA",     "QUIT"};
    QByteArray verb = line.trimmed().toUpper();
    for (const char end : {' ', ':'}) {
        const qsizetype at = verb.indexOf(end);
        if (at >= 0)
            verb.truncate(at);
    }
    return verbs.contains(verb) ? verb : QByteArray();
}

// Follows the dialogue for the failure's explanation.  The farewell after QUIT explains
// nothing: libcurl says goodbye after a refusal too.
struct Dialogue {
    SmtpOutcome *outcome;
    QByteArray command;
};

int watch_dialogue(CURL *, curl_infotype type, char *data, size_t size, void *dialogue_pointer)
{
    auto *dialogue = static_cast<Dialogue *>(dialogue_pointer);
    const QByteArray text(data, static_cast<qsizetype>(size));
    if (type == CURLINFO_HEADER_OUT) {
        const QByteArray verb = command_verb(text);
        if (!verb.isEmpty())
            dialogue->command = verb;
    } else if (type == CURLINFO_HEADER_IN && dialogue->command != "QUIT") {
        SmtpOutcome *outcome = dialogue->outcome;
        outcome->answered = true;
        for (const QByteArray &line : text.split('\n')) {
            const QByteArray reply = printable(line);
            if (reply.isEmpty())
                continue;
            const bool refused = reply.startsWith('4') || reply.startsWith('5');
            outcome->refused_command = refused ? dialogue->command : QByteArray();
            outcome->refusal = refused ? reply : QByteArray();
        }
    }
    return 0;
}

// A cancel must reach libcurl as its own abort: a transfer taken out of the multi stack while
// it is still sound makes libcurl finish the message, waiting for the server's answer.
int abort_when_cancelled(void *cancelled_pointer, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    return *static_cast<const bool *>(cancelled_pointer) ? 1 : 0;
}

void initialise_curl_once()
{
    static std::once_flag done;
    std::call_once(done, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

curl_usessl ssl_use(TlsUse tls)
{
    return tls == TlsUse::WhenOffered ? CURLUSESSL_TRY : CURLUSESSL_ALL;
}

} // namespace

SmtpOutcome transfer(const SmtpRequest &request, const std::function<bool(qint64)> &progress)
{
    initialise_curl_once();
    SmtpOutcome outcome;
    char error_buffer[CURL_ERROR_SIZE] = {};
    UploadSource source{&request.message};
    const QByteArray mail_from = '<' + request.sender + '>';
    StringList recipients(curl_slist_append(nullptr, ('<' + request.recipient + '>').constData()),
                          curl_slist_free_all);

    EasyHandle easy(curl_easy_init(), curl_easy_cleanup);
    MultiHandle multi(curl_multi_init(), curl_multi_cleanup);
    if (!easy || !multi || !recipients) {
        outcome.code = CURLE_OUT_OF_MEMORY;
        return outcome;
    }
    CURL *handle = easy.get();
    curl_easy_setopt(handle, CURLOPT_URL, request.endpoint.url.constData());
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "smtp,smtps");
    curl_easy_setopt(handle, CURLOPT_USE_SSL, static_cast<long>(ssl_use(request.endpoint.tls)));
    if (!request.ca_file.isEmpty())
        curl_easy_setopt(handle, CURLOPT_CAINFO, request.ca_file.constData());
    curl_easy_setopt(handle, CURLOPT_MAIL_FROM, mail_from.constData());
    curl_easy_setopt(handle, CURLOPT_MAIL_RCPT, recipients.get());
    if (request.login) {
        curl_easy_setopt(handle, CURLOPT_USERNAME, request.user.constData());
        curl_easy_setopt(handle, CURLOPT_PASSWORD, request.password.constData());
    }
    curl_easy_setopt(handle, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(handle, CURLOPT_READFUNCTION, read_message);
    curl_easy_setopt(handle, CURLOPT_READDATA, &source);
    curl_easy_setopt(handle, CURLOPT_INFILESIZE_LARGE,
                     static_cast<curl_off_t>(request.message.size()));
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, static_cast<long>(request.connect_seconds));
    curl_easy_setopt(handle, CURLOPT_TIMEOUT, static_cast<long>(request.total_seconds));
    // The farewell after the message waits outside the session's timeout, up to libcurl's
    // two minutes for an answer, with nobody told: the connect timeout bounds every answer.
    curl_easy_setopt(handle, CURLOPT_SERVER_RESPONSE_TIMEOUT,
                     static_cast<long>(request.connect_seconds));
    curl_easy_setopt(handle, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, error_buffer);
    curl_easy_setopt(handle, CURLOPT_DEBUGFUNCTION, watch_dialogue);
    Dialogue dialogue{&outcome, QByteArray()};
    curl_easy_setopt(handle, CURLOPT_DEBUGDATA, &dialogue);
    curl_easy_setopt(handle, CURLOPT_VERBOSE, 1L);
    bool cancel_requested = false;
    curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, abort_when_cancelled);
    curl_easy_setopt(handle, CURLOPT_XFERINFODATA, &cancel_requested);

    {
        MultiMembership membership(multi.get(), handle);
        auto last_progress = std::chrono::steady_clock::now() - progress_interval;
        int running = 1;
        while (running > 0) {
            if (curl_multi_perform(multi.get(), &running) != CURLM_OK) {
                outcome.code = CURLE_FAILED_INIT;
                break;
            }
            const auto now = std::chrono::steady_clock::now();
            if (!cancel_requested && now - last_progress >= progress_interval) {
                last_progress = now;
                curl_off_t sent = 0;
                curl_easy_getinfo(handle, CURLINFO_SIZE_UPLOAD_T, &sent);
                cancel_requested = !progress(static_cast<qint64>(sent));
            }
            if (running > 0)
                curl_multi_poll(multi.get(), nullptr, 0, poll_milliseconds, nullptr);
        }
        int queued = 0;
        while (CURLMsg *message = curl_multi_info_read(multi.get(), &queued)) {
            if (message->msg == CURLMSG_DONE)
                outcome.code = message->data.result;
        }
        outcome.cancelled = outcome.code == CURLE_ABORTED_BY_CALLBACK;
    }
    curl_off_t connect_time = 0;
    curl_easy_getinfo(handle, CURLINFO_CONNECT_TIME_T, &connect_time);
    outcome.connected = connect_time > 0;
    outcome.detail = printable(error_buffer);
    return outcome;
}

} // namespace mail
