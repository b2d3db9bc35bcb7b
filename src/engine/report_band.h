#pragma once
// A band: a strip of the page printed once, once per page, once per row of its data source
// or around a group of rows, with its objects.

#include "engine/report_object.h"

#include <vector>

enum class BandKind {
    ReportTitle,
    PageHeader,
    PageFooter,
    ColumnHeader,
    MasterData,
    DetailData,
    GroupHeader,
    GroupFooter,
    ReportSummary,
};

struct ReportBand {
    BandKind kind = BandKind::MasterData;
    QString name;
    double top = 0.0; // where the band lies on the template page, report units
    double height = 0.0;
    // Data bands: the registered source they print a row of.  A data band without one prints
    // once; one whose source is not registered prints nothing.
    QString source;
    // Group headers: the expression whose change starts a new group.
    QString group;
    // Grows with its stretching objects.
    bool stretch = false;
    // A master row stays on one page with its detail rows, a group header with its first row.
    bool keep_together = false;
    // Taller than a page: split between text lines instead of clipped.
    bool split = false;
    // Page headers: also on the report's first page.
    bool on_first_page = true;
    std::vector<ReportObject> objects;

    bool is_data() const { return kind == BandKind::MasterData || kind == BandKind::DetailData; }
};
