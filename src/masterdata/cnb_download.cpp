#include "masterdata/cnb_download.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrlQuery>

namespace {

// The day's file has some 3 kB; anything far larger is not the rate list.
const qint64 largest_file = 1024 * 1024;

QString network_reason(const QNetworkReply &reply, const QUrl &address)
{
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status == 404)
        return QStringLiteral("Kurzovní lístek na adrese %1 nebyl nalezen (HTTP 404).")
            .arg(address.toString());
    if (status >= 400)
        return QStringLiteral("Server ČNB odmítl kurzovní lístek vydat (HTTP %1).").arg(status);
    switch (reply.error()) {
    case QNetworkReply::HostNotFoundError:
        return QStringLiteral("Server %1 nebyl nalezen. Zkontrolujte připojení k internetu.")
            .arg(address.host());
    case QNetworkReply::ConnectionRefusedError:
        return QStringLiteral("Server %1 odmítl spojení.").arg(address.host());
    case QNetworkReply::RemoteHostClosedError:
        return QStringLiteral("Server %1 ukončil spojení dřív, než poslal kurzovní lístek.")
            .arg(address.host());
    case QNetworkReply::SslHandshakeFailedError:
    case QNetworkReply::InsecureRedirectError:
        return QStringLiteral("Zabezpečené spojení se serverem %1 se nepodařilo ověřit.")
            .arg(address.host());
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError:
    case QNetworkReply::ProxyAuthenticationRequiredError:
        return QStringLiteral("Spojení přes proxy server se nepodařilo.");
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::TemporaryNetworkFailureError:
        return QStringLiteral("Počítač není připojen k síti.");
    default:
        return QStringLiteral("Kurzovní lístek se nepodařilo stáhnout (chyba sítě %1).")
            .arg(int(reply.error()));
    }
}

} // namespace

QUrl cnb_daily_rates_url(const QDate &day)
{
    QUrl address(QStringLiteral("https://www.cnb.cz/cs/financni-trhy/devizovy-trh/"
                                "kurzy-devizoveho-trhu/kurzy-devizoveho-trhu/denni_kurz.txt"));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("date"), day.toString(QStringLiteral("dd.MM.yyyy")));
    address.setQuery(query);
    return address;
}

DownloadResult download_rate_file(const QUrl &address, int timeout_ms)
{
    QNetworkAccessManager manager;
    QNetworkRequest request(address);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply *reply = manager.get(request);
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    bool timed_out = false;
    bool too_large = false;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [&](qint64 received, qint64) {
        if (received > largest_file) {
            too_large = true;
            reply->abort();
        }
    });
    QObject::connect(&timer, &QTimer::timeout, reply, [&] {
        timed_out = true;
        reply->abort();
    });
    timer.start(timeout_ms);
    if (!reply->isFinished())
        loop.exec();
    timer.stop();

    DownloadResult result;
    if (timed_out)
        result.error = QStringLiteral("Server ČNB neodpověděl včas (limit %1 s). Zkuste to "
                                      "prosím později.")
                           .arg((timeout_ms + 999) / 1000);
    else if (too_large)
        result.error = QStringLiteral("Soubor na adrese %1 není kurzovní lístek, je příliš "
                                      "velký.")
                           .arg(address.toString());
    else if (reply->error() != QNetworkReply::NoError)
        result.error = network_reason(*reply, address);
    else
        result.body = reply->readAll();
    return result;
}
