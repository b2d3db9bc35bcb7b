#pragma once
// What every report runner does to its template before the report is prepared: where the
// template file lies, and the texts the program writes into named objects (the title, the
// firm's footer, the condition the report was chosen by, the document text).

#include <QString>

class Report;

// The folder Lib beside the executable, the name and ".frf".
QString report_template_path(const QString &name);
// Loads the template when its file exists: a missing template gives an empty report.  A
// template that does not load raises its ReportError.
void load_report_template(Report &report, const QString &name);

// The text, its lines split at line breaks, into the named text object; a template without
// that object is left as it is.
void write_report_text(Report &report, const QString &object, const QString &text);
// `report_footer` from the firm's invoice text.
void write_report_footer(Report &report);
// `where_sql`: the condition of the report, in lower case.
void write_where_sql(Report &report, const QString &condition);
// `RichText` from the working file beside the executable when `from_working_file` and the
// file exists, otherwise emptied: only the prints that have just written that file may show
// it, so a stale document text never reaches another report.
void load_rich_text(Report &report, bool from_working_file);
