#pragma once
// The sending command of the preview: the prepared report is exported as a PDF to
// "priloha.pdf" beside the executable and handed on the way the mail settings dialog chose
// (only prepared, the desktop's mail client, an unsent message for the user's mail program,
// or the own mail service over SMTP).  An issued invoice or credit note may take its ISDOC
// file along.  Every failure is told to the user once, in Czech.

#include "engine/display_list.h"

#include <QString>
#include <functional>

struct Tmail_content;

// Fills the settings of one sending; false when the user cancelled.
using AskMailSettings = std::function<bool(Tmail_content &content)>;

enum class SendOutcome {
    Stopped,      // cancelled, or failed before anything was sent (said to the user)
    Done,         // the preview stays open
    ClosePreview, // the mail client took the report over
};

// "priloha.pdf" in the executable's folder.
QString attachment_path();
// "priloha.isdoc" beside it: the electronic form of a sent invoice or credit note.
QString isdoc_attachment_path();

// The window handles go to the mail library, which hands them to the progress callback.
// `send_on_open` is cleared on every way out.
SendOutcome send_report(const PreparedReport &report, const AskMailSettings &ask,
                        void *app_window = nullptr, void *main_window = nullptr);
