// Stand-ins for the document and payment operations until their windows exist: nothing is
// written, so every operation answers that nothing was saved or deleted.

#include "documents/ui/document_operations.h"
#include "taxrecords/ui/journal_operations.h"

int new_document(int, const QString &, int) { return 0; }
int new_document_in_book(int, TMemTable *, int) { return 0; }
int edit_document(int, TMemTable *) { return 0; }
int edit_document_of_row(TMemTable *) { return 0; }
int delete_document(TMemTable *, int) { return 0; }
int delete_partner_document(TMemTable *) { return 0; }

int new_entry(TMemTable *, int) { return 0; }
int edit_entry(TMemTable *) { return 0; }
int edit_payment(int, int) { return 0; }
int delete_entry(TMemTable *) { return 0; }
int delete_payment(int) { return 0; }
