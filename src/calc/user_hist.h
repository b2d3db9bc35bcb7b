#pragma once
// The text histories of input fields (USER_HIST): every text a field was saved with, once
// per field.  A field is known by its key, the component name of its edit, such as
// "DBEdit1paraddr"; stored histories are found through it, so it never changes.

#include <QString>

class TMemTable;

// DATA_FIELD of the field's rows.
int history_field_key(const QString &field_name);
// RECID of the field's row holding the text.  Only the letters a to z are upper-cased
// first, so "praha" and "Praha" share a row but "žatec" and "Žatec" do not.
int history_text_key(const QString &field_name, const QString &text);

// After a successful save: remembers the field's text unless it is blank.  A text the field
// remembers already stays as it is.  False when the insert failed (reported).
bool store_history(const QString &field_name, const QString &text);

// The rows of one field for the history drop-down, DATA_FIELD hidden so that a grid shows
// TXT.  Owned by dbAPI (free_set); null when the select failed (reported).
TMemTable *select_history(int field_key);
// The text of a history row, empty when there is none.
QString history_text(int recid);
// Deletes the set's current row from the database, then from the set.  False, with both
// left as they were, when the set is empty or the delete failed (reported).
bool delete_history_text(TMemTable &set);
// Forgets every text of the field.  False when the delete failed (reported).
bool delete_field_history(int field_key);
