#pragma once

#include <QString>

class TMemTable;

// The ways a document is written, corrected or deleted.  Each returns the RECID of the
// document it saved or deleted, or 0 when nothing was saved or deleted.

// A new document from the main menu: the book `book_key` ("DOC" + type) serves as the header
// set when it is open, so the new row shows there.  `choice`: 0 home currency, a CURR_LIST
// RECID for a foreign invoice, -3 issued and -2 received credit note, -1 opens nothing.
int new_document(int type, const QString &book_key, int choice);
int new_document_in_book(int type, TMemTable *book, int choice);
// A correction of the book's current row.
int edit_document(int type, TMemTable *book);
// A correction from any list whose current row has RECID and ID_DOC_TYPE; the caller
// refreshes its own row.
int edit_document_of_row(TMemTable *list);
int delete_document(TMemTable *book, int type);
int delete_partner_document(TMemTable *list);
