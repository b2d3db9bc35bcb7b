#pragma once
// The rows that hang under a partner: addresses (PAR_ADDR), contacts (PAR_CONTACT, read
// through VIEW_PAR_CONTACTS) and bank links (PAR_BANK).  What each table's editor writes,
// which of its columns must not stay blank, how a row is named in lists and questions, and
// storing and deleting the rows.

#include <QString>
#include <QStringList>
#include <optional>

class TdbAPI;
class TMemTable;

enum class PartnerDetail { Address, Contact, Bank };

struct PartnerDetailTable {
    QString table;
    // Written after RECID and ID_PARTNER, in this order.
    QStringList columns;
    // Must hold more than blanks before the row can be saved.
    QStringList required;
    // Names a row in the partners window's tree and in the delete question.
    QString title_column;
    QString delete_question;
};

const PartnerDetailTable &partner_detail_table(PartnerDetail detail);

// The select of the detail's rows of one partner, read under the table's name.
QString partner_detail_select(PartnerDetail detail, int partner);

bool partner_detail_complete(PartnerDetail detail, const TMemTable &set);

// Stores the set's current row as row `recid` (0: a new row) of the partner.  A write the
// database refuses is reported and the program goes on.  The row's RECID, or 0.
int save_partner_detail(TdbAPI &api, PartnerDetail detail, const TMemTable &set, int recid,
                        int partner);
// Deletes the set's current row once the user confirms; its RECID, or 0.  A row the
// database keeps (an address on stored documents) stays, and the user reads why.
int delete_partner_detail(TdbAPI &api, PartnerDetail detail, TMemTable *set);

// What the partners window lists a contact by: its type and name.
QString contact_item(const QString &type, const QString &name);
// What CONTACT of a new contact starts with when its type is chosen: "http://" for a web
// type, "@" for a mail type; nothing for any other type.
std::optional<QString> contact_preset(const QString &type);
