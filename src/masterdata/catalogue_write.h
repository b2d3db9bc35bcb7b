#pragma once
// One write statement of the catalogue (products and their foreign prices).  Unlike a
// put_record inside an editor, a refusal here never ends the program: the reason is shown
// and the editor keeps the user's input.

#include <QString>

class TdbAPI;

// False when the statement did not run: the database cannot be written (the usual polite
// refusal) or refused it (its reason reported).
bool write_catalogue(TdbAPI &api, const QString &table, const QString &statement);
