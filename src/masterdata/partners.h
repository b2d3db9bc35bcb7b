#pragma once
// The rules of the business partners: the number a new partner is offered, that no two
// partners share a number, the type and group a new partner starts with, and storing and
// deleting a partner's row.  The rows under a partner are partner_details.h.

#include <QString>

class TdbAPI;
class TMemTable;

// Highest PARTNER_NO plus the step of series 1024; the series' first number for the first
// partner, and never less.  0 when the series cannot be read (reported).
int next_partner_number(TdbAPI &api);

// Whether a partner other than `recid` (any partner for 0) holds the number as typed.  A
// check that cannot run answers "in use", so no duplicate is ever stored.
bool partner_number_in_use(TdbAPI &api, int recid, const QString &number);

// The type a new partner starts with, from the PAR_TYPE rows in RECID order.  For the
// partners window (document type 0) the first type both customer and supplier, else the
// last type; for an issued invoice (1) the first customer type, for a received one (2) the
// first supplier type; for any other document the first type.  0 when none qualifies.
int default_partner_type(const TMemTable &types, int doc_type);
// An invoice needs a partner of a fitting type; without one the user is told how to add
// one in the partner editor.
bool partner_type_missing(int doc_type, int type);
void warn_missing_partner_type();
// The group with the lowest RECID of the PAR_GRP rows in RECID order; 0 without groups.
int first_partner_group(const TMemTable &groups);

// Stores the set's current row (VIEW_PAR columns) as partner `recid`, or as a new partner
// for 0, in one transaction with the test of its number.  A number used by another partner
// is refused with a Czech message and nothing is written; a write the database refuses is
// reported and the program goes on.  The partner's RECID, or 0.
int save_partner(TdbAPI &api, const TMemTable &set, int recid);

// Removes the partner; its addresses, contacts, bank links and picture go with it.  A
// partner with stored documents stays, and the user reads why.
bool delete_partner_row(TdbAPI &api, int recid);
// Deletes the set's current partner once the user confirms; its RECID, or 0.
int delete_partner(TdbAPI &api, TMemTable *set);

// Removes the partner's stored picture once the user confirms.
bool delete_partner_picture(TdbAPI &api, int partner);
