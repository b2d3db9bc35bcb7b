#pragma once
// What the main window's commands open, filled in by the subsystems that build those
// windows.  Each subsystem registers its windows from one function, for example
//
//     void register_masterdata_windows()
//     {
//         register_book_window(QStringLiteral("PAR"),
//                              [](int record_id) { return new TfPar(record_id); });
//         shell_services().open_code_list = open_code_list;
//     }
//
// which the program calls in order at start-up; a test registers what it uses.  A command
// whose window is not registered does nothing.

#include <QString>
#include <functional>

class QWidget;

// Creates the window of a book or list that exists once (window keys "PAR", "PRO", "TE",
// "DOC1" to "DOC4", "USER_CALC").  A record id other than 0 asks the window to stand on
// that record.  The main window puts the window into its work area and owns it.
using BookWindowFactory = std::function<QWidget *(int record_id)>;

// An empty factory takes the registration back.
bool register_book_window(const QString &window_key, BookWindowFactory factory);
// Null when no module has registered the key.
const BookWindowFactory *book_window_factory(const QString &window_key);

// Operations of other modules that the main window's commands and the windows run; a
// window disables its command for one that is not installed.
struct ShellServices {
    std::function<void(const QString &table, const QString &select, const QString &title,
                       int help_topic)>
        open_code_list;
    // type, book key ("DOC" + type), choice (0 home currency, a currency, -1 cancelled,
    // -2 and -3 credit notes).
    std::function<void(int type, const QString &book_key, int choice)> new_document;
    std::function<int(int type, int preset)> choose_new_document;
    // The settings window on page 0 to 5; the modal result.
    std::function<int(int page)> open_settings;
    std::function<void()> open_logo_stamp;
    std::function<void()> run_summary;
    std::function<void()> show_guide;
    std::function<void()> show_about;
    // The text-history drop-down for a field key.
    std::function<QWidget *(const QString &key)> open_history;
    // The section of the printed captions of an issued invoice; false when cancelled.
    std::function<bool(QString &language)> choose_invoice_language;
    // The print of a document of type 1 to 4 by its RECID.
    std::function<void(int type, int document)> print_document;
    // The catalogue sheet of a product by its RECID.
    std::function<void(int product)> print_catalogue_item;
    // The cash voucher of a journal entry, income or expense, with the details of
    // voucher_details; it sets report_printed when the voucher went to the printer.
    std::function<void(int entry, bool income)> print_voucher;
};

ShellServices &shell_services();
