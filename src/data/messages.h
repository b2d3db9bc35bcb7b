#pragma once
// The one road of every message, question and error report.  Core code calls
// show_message; the user interface installs the dialog, tests a recording responder.

#include <QString>
#include <functional>

// Style bits of the system message boxes.
enum MessageStyle : int {
    mbYesNo = 4,
    mbDefaultNo = 256,
    mbIconError = 16,
    mbIconQuestion = 32,
    mbIconWarning = 48,
    mbIconInformation = 64,
};

// Results.
enum MessageResult : int { mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

using MessageHandler =
    std::function<int(const QString &title, const QString &text, int style, bool fatal,
                      int help_topic)>;

// Installs the handler and returns the previous one.  Without a handler a message is
// answered mrCancel (no one to ask).
MessageHandler set_message_handler(MessageHandler handler);

// A fatal message also sets the program to end once it is answered.
int show_message(const QString &title, const QString &text, int style, bool fatal = false,
                 int help_topic = 0);

// Set by a fatal message; the main window closes when it sees it.
bool program_ending();
void set_program_ending(bool ending);
