#pragma once
// The history drop-down of a text field: the texts the field was saved with, offered
// below the field.  The user picks one (Enter, a double click, "vybrat"), types its first
// letters to find it, deletes one text or the field's whole history, or closes the list.

#include "calc/history_type_ahead.h"
#include "calc/ui/choice_window.h"

#include <QPointer>

class QPushButton;
class TDBGrid;
class TMemTable;
class TdbAPI;

class Tfhistory : public ChoiceWindow {
    Q_OBJECT

public:
    // The field key is the DATA_FIELD of the field's rows.
    explicit Tfhistory(int field_key, QWidget *parent = nullptr);
    ~Tfhistory() override;

    // Stands below the asking field's screen rectangle and waits: the chosen USER_HIST
    // RECID, or 0.
    int run_history(const QRect &field);

    TDBGrid *grid() const { return m_grid; }
    TMemTable *record_set() const { return m_set; }
    const HistoryTypeAhead &type_ahead() const { return m_type_ahead; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void create_layout();
    void choose();
    void delete_text();
    void delete_whole_history();
    void free_set();

    int m_field_key;
    // The data module the texts were selected from: the set is its, and goes with it.
    QPointer<TdbAPI> m_owner;
    TMemTable *m_set = nullptr;
    TDBGrid *m_grid = nullptr;
    HistoryTypeAhead m_type_ahead;
};

// A drop-down for the field key, to be run once with run_history; it frees itself then.
Tfhistory *open_history(int field_key);
