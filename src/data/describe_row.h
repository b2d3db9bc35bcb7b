#pragma once
// The current row of a record set in one line, for lists that show a whole row as one
// entry: the texts of the visible columns that are not empty, each followed by ": ", line
// breaks turned into ", ", and the trailing separator dropped ("Novák: Praha").

#include <QString>

class TMemTable;

QString describe_row(const TMemTable &set);
