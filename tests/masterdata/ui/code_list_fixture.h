#pragma once
// A fresh database for the code-list windows, with helpers that act as the user does:
// typing into the controls the list editor builds, answering the editor when it shows and
// picking in a selector while its caller waits.

#include "masterdata/ui/flistedit.h"
#include "support/db_fixture.h"

#include <QString>
#include <functional>

class Tfm_selector;

// Types the text into the window's control named after the field.
void type_into(QWidget *window, const QString &field, const QString &text);
// Acts on the list editor that opens next; it is cancelled unless the action closed it.
void answer_editor(const std::function<void(Tfm_listedit &editor)> &action);
// Acts on the next selector that shows while its caller waits; one still undecided after
// the action is cancelled, so that no test can hang in it.
void on_next_selector(const std::function<void(Tfm_selector &selector)> &action);

class CodeListFixture : public DbFixture {
protected:
    void SetUp() override;

    // Runs edit_list_record; `action` acts on the editor while it is open, which is then
    // cancelled unless the action closed it.
    int edit_with(int mode, TMemTable *set, const QString &table, const list_edit_hook &hook,
                  const std::function<void(Tfm_listedit &editor)> &action);
    QString stored(const QString &sql) const { return sqlite_shell(sql); }
    int rows_in(const QString &table) { return m_api->count_rows(table); }
};
