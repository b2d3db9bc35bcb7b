#pragma once
// What a partner's data opens in the desktop's programs: a contact that is a web address
// or a mail address, and the partner's address on a web map.  Everything the user typed
// reaches the programs percent-encoded, so no text of a contact or an address can add a
// parameter of its own ("x@firma.cz?attach=…" stays one mail address, "Nádražní 5 & 7"
// one map query).

#include <QString>
#include <QUrl>

enum class ContactLinkKind { Plain, Web, Mail };

struct ContactLink {
    ContactLinkKind kind = ContactLinkKind::Plain;
    // What the shell opens: the encoded web address, or the encoded mail address without
    // "mailto:", which the shell puts before it.
    QString target;
};

// A text beginning with "http://" or "https://" (any letter case) is a web link; any other
// text with "@" a mail link; everything else plain text ("www.firma.cz" too).
ContactLink contact_link(const QString &contact);
// False for plain text and when the desktop's opener could not be started.
bool open_contact_link(const ContactLink &link);

// The text the map is searched for: the city, a comma, the street and its second line.
QString map_address(const QString &city, const QString &address, const QString &address2);
// The web map's search for the text, the text as the value of its query key q.
QUrl map_search_url(const QString &text);
bool open_map(const QString &text);
