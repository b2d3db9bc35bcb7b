#pragma once
// The rows of the code lists (partner groups and types, contact types, product groups,
// units, the rate list, tax-record categories), written from the list editor's record set.

#include <QString>
#include <vector>

class TdbAPI;
class TField;

// Stores the row from the columns' current values: a new row (recid 0) under a new RECID,
// an existing one under its own.  Returns the row's RECID, or 0 when nothing was stored:
// the database refused (reported, and the program goes on) or cannot be written (refused
// politely).
int save_code_list_row(TdbAPI &api, const QString &table, int recid,
                       const std::vector<const TField *> &columns);

// True when the row is gone; a row still in use is kept, with the schema's Czech reason.
bool delete_code_list_row(TdbAPI &api, const QString &table, int recid);
