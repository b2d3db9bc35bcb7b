#pragma once
// The running program's local socket, one per user and application folder.  A second start
// of the program asks it to bring the main window forward and ends; add-on programs, which
// run as processes of their own, send it the main window's data message.
//
// Requests and answers are single lines of JSON:
//     {"command":"raise"}                          -> {"result":1}
//     {"command":"data","code":-2,"text":"UPDATE ..."} -> {"result":1}
// An add-on finds the socket's name in the environment variable TALLYRA_SERVER.  Only the
// user who runs the program may connect.

#include <QJsonObject>
#include <QLocalServer>
#include <QString>
#include <functional>
#include <optional>

class QLocalSocket;

QString app_server_name(const QString &app_folder);

class TAppServer : public QObject {
    Q_OBJECT

public:
    using RaiseHandler = std::function<void()>;
    using DataHandler = std::function<int(int code, const QString &text)>;

    explicit TAppServer(QString name, QObject *parent = nullptr);

    // Takes over the socket of an earlier run that did not end cleanly.
    bool listen();
    const QString &name() const { return m_name; }

    void set_raise_handler(RaiseHandler handler) { m_raise = std::move(handler); }
    void set_data_handler(DataHandler handler) { m_data = std::move(handler); }

private:
    void accept_connections();
    void read_requests(QLocalSocket *socket);
    QJsonObject answer(const QJsonObject &request);

    QString m_name;
    QLocalServer m_server;
    RaiseHandler m_raise;
    DataHandler m_data;
};

// Sends one request to the program listening under the name and waits for its answer;
// nothing when no program answers in time.
std::optional<QJsonObject> send_app_request(const QString &name, const QJsonObject &request,
                                            int timeout_ms = 5000);

// Asks the program already running from this folder to come forward; false when none
// listens.
bool hand_over_to_running(const QString &name);
