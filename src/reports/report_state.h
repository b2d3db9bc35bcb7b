#pragma once
// What the preview windows, the PDF export and the sending share across the process: whether
// the open report went to the printer, whether the next preview starts sending at once, and
// the password and permission that the next PDF export takes.

#include "engine/pdf_export_filter.h"

#include <QString>

// libHaru's permission flags: printing (4) and copying (16).
inline constexpr unsigned default_pdf_permission = 20;

// Set as pages of the open preview's report go to the printer; cleared by a new preview.
extern bool report_printed;
// Set by a book that prints a document in order to mail it: the next preview window starts
// sending as soon as it is active.
extern bool send_on_open;
// The issued invoice or credit note (its RECID) whose print a book has open, so that sending
// it can offer its ISDOC file beside the PDF; 0 while any other report is shown.
extern int document_in_preview;
// The user password of the next PDF export; empty: anybody opens the file.
extern QString pdf_password;
// The permission of the next PDF export: 20 allows printing and copying, 0 neither.
extern unsigned pdf_permission;

// The options of one PDF export.  Whichever command exports takes the password and the
// permission set for it, and they go back to none and 20 for the export after, so that a
// protection chosen for one sending never sticks to a later file.  Pictures pass through the
// working file beside the executable.
PdfExportOptions pdf_options_provider();
