#include "taxrecords/ui/journal_operations.h"

#include "data/db_api.h"
#include "data/memtable.h"
#include "data/messages.h"
#include "documents/ui/document_notices.h"
#include "taxrecords/journal_entry.h"
#include "taxrecords/ui/ftedit.h"
#include "widgets/dbgrid.h"
#include "widgets/owner_window.h"
#include "widgets/window_host.h"

namespace {

const int help_delete_question = 3022;

const QString view = QStringLiteral("VIEW_TE");

int run_editor(int mode, TMemTable *set, int document_id)
{
    TfTeEdit editor(mode, set, document_id, owner_window());
    if (editor.fully_paid()) {
        set->cancel();
        return 0;
    }
    return editor.run();
}

// The open tax-records book's set, so that it shows the change at once; otherwise a
// scratch set of just the rows the operation needs.
class JournalSet {
public:
    explicit JournalSet(int entry_id)
    {
        if (auto *grid = qobject_cast<TDBGrid *>(
                window_host().find_child_component(QStringLiteral("TE"), QStringLiteral("ds"))))
            m_set = grid->table();
        if (!m_set) {
            m_scratch =
                dbAPI->select_sql(view, QStringLiteral("SELECT * FROM VIEW_TE WHERE RECID=") +
                                            QString::number(entry_id));
            m_set = m_scratch;
        }
    }
    ~JournalSet()
    {
        if (dbAPI)
            dbAPI->free_set(m_scratch);
    }
    JournalSet(const JournalSet &) = delete;
    JournalSet &operator=(const JournalSet &) = delete;

    TMemTable *get() const { return m_set; }

private:
    TMemTable *m_set = nullptr;
    TMemTable *m_scratch = nullptr;
};

void entry_not_found()
{
    show_message(QStringLiteral("Chyba"), QStringLiteral("Záznam neexistuje!"), mbIconWarning);
}

// A payment written here shows at once in the open book of the document it pays.
int announced(int entry_id)
{
    if (entry_id != 0)
        document_payments_changed(
            dbAPI->lookup_int(entry_id, QStringLiteral("TE"), QStringLiteral("DOC_ID")));
    return entry_id;
}

} // namespace

int new_entry(TMemTable *set, int document_id)
{
    if (!dbAPI || !set || set->state() != TMemTable::State::Insert)
        return 0;
    return announced(run_editor(TRecordEditor::Add, set, document_id));
}

int edit_entry(TMemTable *set)
{
    if (!dbAPI || !set || set->is_empty())
        return 0;
    return announced(run_editor(TRecordEditor::Edit, set, 0));
}

int edit_payment(int document_id, int entry_id)
{
    if (!dbAPI)
        return 0;
    const JournalSet journal(entry_id);
    TMemTable *set = journal.get();
    if (!set)
        return 0;
    int id = 0;
    if (entry_id != 0 || document_id == 0) {
        if (!dbAPI->locate_recid(entry_id, set)) {
            entry_not_found();
            return 0;
        }
        set->edit();
        id = edit_entry(set);
    } else {
        set->append();
        id = new_entry(set, document_id);
    }
    if (id != 0)
        dbAPI->refresh_record(id, view, set);
    return id;
}

int delete_entry(TMemTable *set)
{
    if (!dbAPI || !set || set->is_empty())
        return 0;
    const int id = dbAPI->current_recid(set);
    if (id == 0)
        return 0;
    const int answer = show_message(
        QStringLiteral("Pozor!"),
        QStringLiteral("Opravdu chcete vymazat vybraný záznam v peněžním deníku / úhradu?"),
        mbYesNo | mbIconWarning | mbDefaultNo, false, help_delete_question);
    const int document = dbAPI->lookup_int(id, QStringLiteral("TE"), QStringLiteral("DOC_ID"));
    if (answer != mrYes || !delete_journal_entry(*dbAPI, id))
        return 0;
    set->remove();
    document_payments_changed(document);
    return id;
}

int delete_payment(int entry_id)
{
    if (!dbAPI)
        return 0;
    const JournalSet journal(entry_id);
    TMemTable *set = journal.get();
    if (!set || !dbAPI->locate_recid(entry_id, set)) {
        entry_not_found();
        return 0;
    }
    return delete_entry(set);
}
