#pragma once
// A loaded report template: pages, each with its paper size, margins and bands.

#include "engine/report_band.h"
#include "engine/units.h"

#include <QMarginsF>
#include <vector>

struct TemplatePage {
    double width = report_units::a4_width;
    double height = report_units::a4_height;
    QMarginsF margins;
    std::vector<ReportBand> bands;
};

struct ReportTemplate {
    static constexpr int current_version = 1;

    int version = current_version;
    std::vector<TemplatePage> pages;
};
