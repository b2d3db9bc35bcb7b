#pragma once
// Fetching the bank's daily rate file over HTTPS.  Only the transfer lives here; reading
// the file is parse_cnb_rates.  The call waits (the program's calls are synchronous) but
// keeps the event loop turning, and gives up after the timeout.

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QUrl>

// The bank's public address of the fixing valid on the day.
QUrl cnb_daily_rates_url(const QDate &day);

struct DownloadResult {
    QByteArray body;
    // Empty on success; otherwise the Czech reason.
    QString error;

    bool ok() const { return error.isEmpty(); }
};

DownloadResult download_rate_file(const QUrl &address, int timeout_ms);
