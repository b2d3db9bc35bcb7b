#include "masterdata/cnb_fixture.h"

#include <QFile>
#include <QTcpSocket>

QByteArray cnb_fixture(const QString &name)
{
    QFile file(QStringLiteral(TALLYRA_CNB_FIXTURES "/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

RateFileServer::RateFileServer()
{
    listen(QHostAddress::LocalHost);
    connect(this, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QUrl RateFileServer::address(const QString &path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(path));
}

void RateFileServer::answer(QTcpSocket *socket)
{
    const QByteArray request = socket->peek(socket->bytesAvailable());
    if (!request.contains("\r\n\r\n"))
        return;
    socket->readAll();
    const QByteArray path = request.split(' ').value(1).split('?').value(0);
    if (path == "/slow")
        return;
    const QByteArray body = cnb_fixture(QString::fromLatin1(path.mid(1)));
    const QByteArray status = body.isEmpty() ? "404 Not Found" : "200 OK";
    socket->write("HTTP/1.1 " + status +
                  "\r\nContent-Type: text/plain; charset=UTF-8\r\n"
                  "Content-Length: " +
                  QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
    socket->disconnectFromHost();
}
