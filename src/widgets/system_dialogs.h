#pragma once
// The system dialogs that the windows ask: which file, which font, which colour, which
// printer.  Each goes through a hook, so that tests answer in place of a user; without a
// hook the real dialog is shown.  Every setter returns the hook it replaces.

#include <QString>
#include <QStringList>
#include <functional>

class QColor;
class QFont;
class QPrinter;
class QWidget;

struct FileDialogRequest {
    enum class Mode { Open, Save };

    Mode mode = Mode::Open;
    QString title;
    // In the program's form, description and pattern pairs separated by "|":
    // "formátovaný text (*.rtf)|*.rtf|libovolný soubor (*.*)|*.*".
    QString filter;
    // Without the dot; added to a typed name that has none.
    QString default_suffix;
    // The folder the dialog opens in, or a file in it that it proposes; empty: Qt's choice.
    QString start;
};

// The chosen file; empty when the user cancelled.  Opening offers existing files only,
// saving asks before a file is overwritten.
using FileDialogHook = std::function<QString(QWidget *parent, const FileDialogRequest &request)>;
FileDialogHook set_file_dialog_hook(FileDialogHook hook);
QString choose_file(QWidget *parent, const FileDialogRequest &request);

// The program's filter as Qt's name filters.  "*.*" becomes "*": a file needs no dot to be
// "any file".
QStringList qt_name_filters(const QString &filter);

// Shows the font and lets the user change it; false when the user cancelled, and the font
// is then unchanged.
using FontDialogHook = std::function<bool(QFont &font, QWidget *parent)>;
FontDialogHook set_font_dialog_hook(FontDialogHook hook);
bool choose_font(QFont &font, QWidget *parent);

// Shows the colour and lets the user pick another; false when the user cancelled, and the
// colour is then unchanged.
using ColorDialogHook = std::function<bool(QColor &color, QWidget *parent)>;
ColorDialogHook set_color_dialog_hook(ColorDialogHook hook);
bool choose_color(QColor &color, QWidget *parent);

// Sets up the printer from the user's choice; false when the user cancelled.
using PrintDialogHook = std::function<bool(QPrinter &printer, QWidget *parent)>;
PrintDialogHook set_print_dialog_hook(PrintDialogHook hook);
bool choose_printer(QPrinter &printer, QWidget *parent);
