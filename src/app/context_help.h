#pragma once
// Shows a help topic in the kind of help the user has chosen ("HELP_TYPE").  Every kind
// ends in the HTML pages of "lib" beside the executable when its viewer or its file is
// missing; a missing page shows nothing.

#include <QLibrary>
#include <QString>

class QWidget;

// The page of the topic in "lib": "index.html" for topic 0 and for the main window's
// topic, "<topic>.htm" otherwise, the index when that page is missing; empty when there
// is no page at all.
QString help_page(int topic);

class TContextHelp {
public:
    TContextHelp() = default;
    ~TContextHelp();
    TContextHelp(const TContextHelp &) = delete;
    TContextHelp &operator=(const TContextHelp &) = delete;

    void show(int help_type, int topic, QWidget *main_window);

private:
    using Entry = void (*)(void *instance, void *application_window, void *main_window, int topic);

    bool show_compiled(int topic);
    bool show_through_library(int topic, QWidget *main_window);
    void show_page(int topic);

    QLibrary m_library;
    bool m_library_tried = false;
    Entry m_entry = nullptr;
};
