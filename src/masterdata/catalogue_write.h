#pragma once
// One write statement of the catalogue (products and their foreign prices).  Unlike a
// put_record inside an editor, a refusal here never ends the program: the reason is shown
// and the editor keeps the user's input.

#include <QString>
#include <functional>

class TdbAPI;
class TMemTable;

// False when the statement did not run: the database cannot be written (the usual polite
// refusal) or refused it (its reason reported).
bool write_catalogue(TdbAPI &api, const QString &table, const QString &statement);

// Stores a row in one transaction: the statement, made for the row's RECID (a new one
// drawn for 0), runs once `allowed` (when given) has agreed inside the transaction.  The
// RECID, or 0 when nothing was stored (the reason reported).
int store_catalogue_row(TdbAPI &api, const QString &table, int recid,
                        const std::function<QString(int recid)> &statement,
                        const std::function<bool()> &allowed = {});

// Asks the question (caption "Pozor!", "Ne" preselected) and deletes the set's current row
// from the table and from the set, with whatever the table's triggers take along.  The
// row's RECID, or 0 when nothing was deleted.
int delete_catalogue_row(TMemTable *set, const QString &table, const QString &question,
                         int help_topic);
