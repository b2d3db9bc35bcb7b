#pragma once
// The rate files the tests read instead of the bank's, and a loopback HTTP server that
// serves them: a path names a fixture file, "/missing" answers 404 and "/slow" never
// answers.

#include <QByteArray>
#include <QString>
#include <QTcpServer>
#include <QUrl>

QByteArray cnb_fixture(const QString &name);

class RateFileServer : public QTcpServer {
public:
    RateFileServer();
    QUrl address(const QString &path) const;

private:
    void answer(QTcpSocket *socket);
};
