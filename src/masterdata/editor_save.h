#pragma once
// The row an editor's save writes, in one transaction: RECID first (a new id for a new row,
// the row's own for a correction), then the editor's columns.  The data module reports a
// refused insert or update as fatal, which is right outside the editors (start-up,
// restore); an editor's user still has the window with everything typed, so here the
// refusal is shown as the error it is, the transaction is rolled back and the program goes
// on.

#include <QString>
#include <functional>

class RecordWriter;
class TdbAPI;

using EditorRowColumns = std::function<void(RecordWriter &record)>;
// Runs inside the transaction before anything is written (a number that must stay unique
// is tested there); false writes nothing.
using EditorRowCheck = std::function<bool()>;

// The RECID of the stored row, or 0 when nothing was stored (the user has been told why).
int save_editor_row(TdbAPI &api, const QString &table, int recid, const EditorRowColumns &columns,
                    const EditorRowCheck &check = {});
