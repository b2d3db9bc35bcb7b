#include "masterdata/partner_links.h"

#include <QUrlQuery>
#include <gtest/gtest.h>

TEST(PartnerLinks, ContactTextsBecomeWebMailOrPlainLinks)
{
    struct Case {
        const char *contact;
        ContactLinkKind kind;
        const char *target;
    } cases[] = {
        {"http://firma.cz", ContactLinkKind::Web, "http://firma.cz"},
        {"HTTP://Firma.cz/a b", ContactLinkKind::Web, "http://firma.cz/a%20b"},
        {"HttpS://firma.cz/?q=1", ContactLinkKind::Web, "https://firma.cz/?q=1"},
        {"www.firma.cz", ContactLinkKind::Plain, ""},
        {"+420 777 123 456", ContactLinkKind::Plain, ""},
        {"jana@firma.cz", ContactLinkKind::Mail, "jana@firma.cz"},
        {"x@firma.cz?attach=/home/u/.ssh/id_rsa", ContactLinkKind::Mail,
         "x@firma.cz%3Fattach=/home/u/.ssh/id_rsa"},
        {"a&b@firma.cz", ContactLinkKind::Mail, "a&b@firma.cz"},
        {"šéf@firma.cz", ContactLinkKind::Mail, "%C5%A1%C3%A9f@firma.cz"},
        {"http://user@firma.cz", ContactLinkKind::Web, "http://user@firma.cz"},
    };
    for (const Case &c : cases) {
        const ContactLink link = contact_link(QString::fromUtf8(c.contact));
        EXPECT_EQ(link.kind, c.kind) << c.contact;
        EXPECT_EQ(link.target, QString::fromUtf8(c.target)) << c.contact;
    }
}

TEST(PartnerLinks, MapQueryCarriesTheWholeAddress)
{
    const QString text = map_address(QString::fromUtf8("Ústí nad Labem"),
                                     QString::fromUtf8("Nádražní 5 & 7"), QStringLiteral("#2+3%"));
    EXPECT_EQ(text, QString::fromUtf8("Ústí nad Labem, Nádražní 5 & 7 #2+3%"));
    const QUrl url = map_search_url(text);
    const QUrlQuery query(url);
    ASSERT_EQ(query.queryItems().size(), 1);
    EXPECT_EQ(query.queryItemValue(QStringLiteral("q"), QUrl::FullyDecoded), text);
    const QUrl reread(url.toString(QUrl::FullyEncoded), QUrl::StrictMode);
    EXPECT_EQ(QUrlQuery(reread).queryItemValue(QStringLiteral("q"), QUrl::FullyDecoded), text);
    EXPECT_EQ(map_address({}, QStringLiteral("Hlavní 1"), {}), QStringLiteral(", Hlavní 1"));
}
