#pragma once

class TMemTable;

// The ways a cash-journal entry, which is a payment when it carries a document, is written
// and deleted.  Each returns the RECID of the entry saved or deleted, or 0.

// `set`'s current row has just been appended; 0 without a window when the document is paid.
int new_entry(TMemTable *set, int document_id);
// `set`'s current row is in editing.
int edit_entry(TMemTable *set);
// On the open tax-records book's set, else on a scratch VIEW_TE set: a correction of
// `entry_id`, or a new payment of `document_id` when `entry_id` is 0.
int edit_payment(int document_id, int entry_id);
int delete_entry(TMemTable *set);
int delete_payment(int entry_id);
