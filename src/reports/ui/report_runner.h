#pragma once
// The runners every printed output goes through: a template from the Lib folder, record
// sets registered as "fr" + their names beside the firm's rows (frCONF), the program's
// texts in the template's named objects, and the preview window shown modally.

#include <QString>
#include <functional>
#include <vector>

class Report;
class TMemTable;

// An optional step of the caller: called with the loaded report and a record set (or none),
// it gives the condition the report was chosen by.
using TReportPrepare = std::function<void(Report &report, TMemTable *set, QString &condition)>;

// The sets stay the caller's.  The document text of the working file is shown only when the
// caller has just written it.  Errors reach the caller.
void run_report(const QString &caption, const QString &template_name,
                const std::vector<TMemTable *> &sets, const TReportPrepare &prepare = {},
                bool load_document_text = false);

// The runners below fill their own record sets and free them, and say their errors as
// "Chyba tisku!" themselves.
void run_document_list(int doc_type, const TReportPrepare &prepare);
void run_table_print(const QString &caption, const QString &set_name, const QString &select);
void run_sql_report(const QString &caption, const QString &template_name, const QString &select,
                    const TReportPrepare &prepare);
void run_summary();

// Runs the print and says what it raised as "Chyba tisku!", so that no error leaves the
// command that started it.
void guarded_print(const std::function<void()> &print);
