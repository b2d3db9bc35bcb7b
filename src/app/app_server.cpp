#include "app/app_server.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QLocalSocket>
#include <unistd.h>

namespace {

const int connect_timeout_ms = 1000;

QByteArray request_line(const QJsonObject &request)
{
    return QJsonDocument(request).toJson(QJsonDocument::Compact) + '\n';
}

QJsonObject error_answer(const QString &text)
{
    return {{QStringLiteral("error"), text}};
}

} // namespace

QString app_server_name(const QString &app_folder)
{
    const QFileInfo folder(app_folder);
    const QString canonical = folder.canonicalFilePath().isEmpty() ? folder.absoluteFilePath()
                                                                   : folder.canonicalFilePath();
    const QByteArray digest =
        QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("tallyra-%1-%2").arg(getuid()).arg(QString::fromLatin1(digest));
}

TAppServer::TAppServer(QString name, QObject *parent) : QObject(parent), m_name(std::move(name))
{
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &TAppServer::accept_connections);
}

bool TAppServer::listen()
{
    if (m_server.listen(m_name))
        return true;
    if (m_server.serverError() != QAbstractSocket::AddressInUseError)
        return false;
    QLocalSocket live;
    live.connectToServer(m_name);
    if (live.waitForConnected(connect_timeout_ms))
        return false;
    QLocalServer::removeServer(m_name);
    return m_server.listen(m_name);
}

void TAppServer::accept_connections()
{
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { read_requests(socket); });
        read_requests(socket);
    }
}

void TAppServer::read_requests(QLocalSocket *socket)
{
    // A request may show a message and so run the event loop; the lines that arrive
    // meanwhile wait for the loop below.
    if (socket->property("busy").toBool())
        return;
    socket->setProperty("busy", true);
    while (socket->canReadLine()) {
        QJsonParseError error;
        const QJsonDocument request = QJsonDocument::fromJson(socket->readLine(), &error);
        const QJsonObject reply =
            request.isObject()
                ? answer(request.object())
                : error_answer(QStringLiteral("Požadavek není JSON: ") + error.errorString());
        socket->write(request_line(reply));
        socket->flush();
    }
    socket->setProperty("busy", false);
}

QJsonObject TAppServer::answer(const QJsonObject &request)
{
    const QString command = request.value(QStringLiteral("command")).toString();
    if (command == QLatin1String("raise")) {
        if (m_raise)
            m_raise();
        return {{QStringLiteral("result"), 1}};
    }
    if (command == QLatin1String("data")) {
        if (!m_data)
            return error_answer(QStringLiteral("Databáze není otevřena."));
        const int code = request.value(QStringLiteral("code")).toInt();
        const QString text = request.value(QStringLiteral("text")).toString();
        return {{QStringLiteral("result"), m_data(code, text)}};
    }
    return error_answer(QStringLiteral("Neznámý příkaz: ") + command);
}

std::optional<QJsonObject> send_app_request(const QString &name, const QJsonObject &request,
                                            int timeout_ms)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(connect_timeout_ms))
        return std::nullopt;
    socket.write(request_line(request));
    if (!socket.waitForBytesWritten(timeout_ms))
        return std::nullopt;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(timeout_ms))
            return std::nullopt;
    }
    const QJsonDocument reply = QJsonDocument::fromJson(socket.readLine());
    if (!reply.isObject())
        return std::nullopt;
    return reply.object();
}

bool hand_over_to_running(const QString &name)
{
    QLocalSocket probe;
    probe.connectToServer(name);
    if (!probe.waitForConnected(connect_timeout_ms))
        return false;
    probe.disconnectFromServer();
    // A program that listens but is too busy to answer still owns the folder.
    send_app_request(name, {{QStringLiteral("command"), QStringLiteral("raise")}});
    return true;
}
