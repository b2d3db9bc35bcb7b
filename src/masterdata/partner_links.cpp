#include "masterdata/partner_links.h"

#include "platform/shell/shell.h"

#include <QUrlQuery>

namespace {

const QString map_service = QStringLiteral("https://mapy.cz/zakladni");

bool is_web_address(const QString &text)
{
    return text.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
           text.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
}

} // namespace

ContactLink contact_link(const QString &contact)
{
    const QString text = contact.trimmed();
    if (is_web_address(text)) {
        const QUrl url(text, QUrl::TolerantMode);
        if (url.isValid())
            return {ContactLinkKind::Web, url.toString(QUrl::FullyEncoded)};
        return {};
    }
    if (text.contains(u'@')) {
        // Decoded mode: every character is the address's own, a '?' or a '%' included.
        QUrl mail;
        mail.setScheme(QStringLiteral("mailto"));
        mail.setPath(text, QUrl::DecodedMode);
        const QString encoded = mail.toString(QUrl::FullyEncoded);
        return {ContactLinkKind::Mail, encoded.mid(encoded.indexOf(u':') + 1)};
    }
    return {};
}

bool open_contact_link(const ContactLink &link)
{
    switch (link.kind) {
    case ContactLinkKind::Web:
        return open_url(skOpen, link.target) == 1;
    case ContactLinkKind::Mail:
        return open_url(skMail, link.target) == 1;
    case ContactLinkKind::Plain:
        return false;
    }
    return false;
}

QString map_address(const QString &city, const QString &address, const QString &address2)
{
    return (city + QStringLiteral(", ") + address + u' ' + address2).trimmed();
}

QUrl map_search_url(const QString &text)
{
    // Encoded whole beforehand, so that a '+' stays a plus and '%' a percent sign.
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("q"), QString::fromLatin1(QUrl::toPercentEncoding(text)));
    QUrl url(map_service);
    url.setQuery(query);
    return url;
}

bool open_map(const QString &text)
{
    return open_url(skOpen, map_search_url(text).toString(QUrl::FullyEncoded)) == 1;
}
