#pragma once
// The row selector: a small list of rows to pick one from, dropped down below the control
// that asked (a lookup edit) or standing as a tool window over the main window.  The
// caller waits for the answer as if the selector were modal, but the rest of the program
// is not locked: a click anywhere else is taken as "no choice".

#include <QString>
#include <QWidget>
#include <functional>

class QPushButton;
class TDBGrid;
class TMemTable;
class Tfr_search;

// Lets the caller adjust the selector's grid (hide, title or narrow columns) once its
// rows are loaded.
using SelectorGridHook = std::function<void(TDBGrid &grid)>;

class Tfm_selector : public QWidget {
    Q_OBJECT

public:
    enum Choice { Undecided = 0, Chosen = 1, Cancelled = 2 };

    // With an anchor the selector is a borderless drop-down below it; without one a
    // sizeable tool window.  The table names the captions of the columns.
    Tfm_selector(QWidget *anchor, int help_topic, const QString &caption, const QString &select,
                 const QString &table);
    ~Tfm_selector() override;

    // Height when positive; at least the minimum width when that is positive.
    void place(int height, int min_width);
    // Stands on the row with the RECID (the first row when none has it).
    void go_to(int recid);

    // Shows the selector and waits until the user chose or gave up; the RECID of the
    // chosen row, or 0.
    int run();

    int choice() const { return m_choice; }
    void decide(int choice);
    TMemTable *record_set() const { return m_set; }
    TDBGrid *grid() const { return m_grid; }
    Tfr_search *search_strip() const { return m_search; }
    bool anchored() const { return m_anchor != nullptr; }

signals:
    void decided();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void create_layout();

    QWidget *m_anchor;
    TMemTable *m_set = nullptr;
    TDBGrid *m_grid = nullptr;
    Tfr_search *m_search = nullptr;
    int m_choice = Undecided;
};

// The RECID of the row the user picked from the select, or 0.
int select_row(QWidget *anchor, int help_topic, int initial_recid,
               const SelectorGridHook &grid_hook, int height, int min_width, const QString &caption,
               const QString &select, const QString &table);
