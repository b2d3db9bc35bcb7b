#pragma once
// What windows need of the main window, so that none reaches it through a global: the
// status bar, the announcement of modal editors, where windows go, the open child windows,
// the reopening of books on a record, the text-history drop-down and help.  The main window
// is the host; without one a host that does nothing serves (tests, a window opened alone).

#include <QString>
#include <QVariant>

class QObject;
class QWidget;

// The codes of the main window's command message.
enum class MainCommand {
    RefreshOpenWindows = 1,
    EditorOpened = 2,
    EditorClosed = 3,
    StatusBarHeight = 4,
    TreeWidth = 5,
    OpenHistory = 6,
    StatusHint = 7,
    OpenSettingsOrList = 8,
    ReopenIssuedInvoices = 11,
    ReopenReceivedInvoices = 12,
    ReopenIssuedCreditNotes = 13,
    ReopenReceivedCreditNotes = 14,
    ReopenTaxRecords = 15,
    ReopenPartners = 16,
    ReopenProducts = 17,
};

class WindowHost {
public:
    virtual ~WindowHost() = default;

    // The main window, which owns new top-level windows and which they are placed over;
    // null without one.
    virtual QWidget *host_window() { return nullptr; }

    // "Caption|keys" into the status bar; an empty text resets it.
    virtual void set_status_hint(const QString &) {}
    // A modal editor opened or closed, under its caption: the menu tree stays disabled
    // while any is open.
    virtual void editor_opened(const QString &) {}
    virtual void editor_closed(const QString &) {}
    // The settings window, the document editor or a code list while it is open.
    virtual void set_foreground_editor(QWidget *) {}
    virtual QWidget *foreground_editor() const { return nullptr; }

    // The menu tree's width and the status bar's height, each with the margin of 8 that
    // windows keep from them; 0 without a main window.
    virtual int tree_width() { return 0; }
    virtual int status_bar_height() { return 0; }

    // A named component (a record set) of the open child window with the key.
    virtual QObject *find_child_component(const QString &, const QString &) const
    {
        return nullptr;
    }
    // The command message to the open child window with the key; 0 when none is open.
    virtual int notify_child(const QString &, int) { return 0; }
    // Runs a command after the events already waiting: a book that closes itself asks this
    // way to be opened again on a record.
    virtual void post_command(MainCommand, const QVariant & = {}) {}

    // The firm's row was saved: what the host shows of it (its name in the title, the
    // foreign-invoice commands) follows at once.
    virtual void firm_changed() {}
    // The text-history drop-down of a field key.
    virtual QWidget *open_history(const QString &) { return nullptr; }
    // The help topic in the help the user has chosen.
    virtual void help_request(int) {}
    // A fatal message has set the program to end: the host closes once the events already
    // waiting are handled.
    virtual void check_program_ending() {}
};

WindowHost &window_host();
// The main window installs itself while it exists; null puts the do-nothing host back.
// Returns the host that was installed before.
WindowHost *set_window_host(WindowHost *host);

// Installs a host for its own lifetime and then puts back the one it found, also when a
// test fails half-way.
class ScopedWindowHost {
public:
    explicit ScopedWindowHost(WindowHost &host) : m_previous(set_window_host(&host)) {}
    ~ScopedWindowHost() { set_window_host(m_previous); }
    ScopedWindowHost(const ScopedWindowHost &) = delete;
    ScopedWindowHost &operator=(const ScopedWindowHost &) = delete;

private:
    WindowHost *m_previous;
};
