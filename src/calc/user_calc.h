#pragma once
// The stored user calculators (USER_CALC): a name, a script, and whether the calculator
// buttons of number fields offer it ("T") or only the calculators window runs it ("F").

#include <QString>
#include <vector>

class TMemTable;

struct CalcChoice {
    QString name;
    QString script;
};

struct CalcRecord {
    // 0 for a calculator not yet stored.
    int recid = 0;
    QString name;
    QString script;
    bool is_public = true;
};

// Every calculator with all its columns, for the calculators window.  Owned by dbAPI
// (free_set); null when the select failed (reported).
TMemTable *select_calculators();
// What the calculator button of a number field offers, in the stored order.
std::vector<CalcChoice> public_calculators();

// The script a new calculator starts from.
QString new_calculator_template();
// Whether the editor may save: a name of at least one character (a space will do) and a
// script.
bool calculator_can_be_saved(const QString &name, const QString &script);
// Stores a new calculator under a new RECID, or the given one over its row.  The saved
// RECID, or 0 when the write was refused (reported; the program goes on).
int save_calculator(const CalcRecord &calculator);
// Asks the user first; then deletes the set's current calculator from the database and
// from the set.  Its RECID, or 0 when nothing was deleted.
int delete_calculator(TMemTable *set);
