#pragma once
// Turns a template and its data sources into prepared pages.  Errors (a column a source does
// not have, a QR text too long) raise a ReportError naming the object.

#include "engine/data_source.h"
#include "engine/display_list.h"
#include "engine/report_template.h"

#include <QDate>
#include <QHash>

// What a preparation takes from outside, so that it never reads the clock.
struct PrepareOptions {
    QDate today; // [DATE]
};

using SourceMap = QHash<QString, ReportDataSource *>;

PreparedReport prepare_report(const ReportTemplate &report, const SourceMap &sources,
                              const PrepareOptions &options);
