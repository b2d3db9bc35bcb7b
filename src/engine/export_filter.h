#pragma once
// An export format.  The replay calls it at the start of each page, once for each item of the
// page, and once for each printed line of a text item, right after the item, with the line
// already wrapped and aligned; end() writes the whole result to the output.

#include "engine/display_list.h"

class QIODevice;

class ExportFilter {
public:
    virtual ~ExportFilter() = default;

    virtual void begin(const PreparedReport &report) = 0;
    virtual void begin_page(const PreparedPage &page) = 0;
    virtual void object(const DisplayItem &item) = 0;
    virtual void text_line(const DisplayItem &item, const TextLine &line) = 0;
    virtual void end(QIODevice &output) = 0;
};

void replay(const PreparedReport &report, ExportFilter &filter, QIODevice &output);

// Writes to a temporary file beside `file` and puts it in place only when the whole export
// succeeded, so that a failed export never leaves an existing file destroyed or half
// written.  A ReportError on failure.
void export_to_file(const PreparedReport &report, ExportFilter &filter, const QString &file);
