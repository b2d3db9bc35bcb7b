#pragma once
// The export formats offered by the save dialog, each with its description and file mask.

#include "engine/export_filter.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

struct PdfExportOptions;

struct ExportFormat {
    QString description; // "Adobe Acrobat PDF  (*.pdf)"
    QString mask;        // "*.pdf"
    std::function<std::unique_ptr<ExportFilter>()> create;
};

class ExportFilterRegistry {
public:
    // A format with the mask of one already registered takes its place.
    void add(ExportFormat format);
    const std::vector<ExportFormat> &formats() const { return m_formats; }
    // The format whose mask matches the file name, nullptr when none does.
    const ExportFormat *for_file(const QString &file) const;

private:
    std::vector<ExportFormat> m_formats;
};

// Text, HTML, RTF, CSV and PDF.  The PDF filter takes its password and permission from
// `pdf_options` at each export, so the caller decides what one export consumes.
void register_export_formats(ExportFilterRegistry &registry,
                             std::function<PdfExportOptions()> pdf_options);
