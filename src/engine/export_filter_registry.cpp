#include "engine/export_filter_registry.h"

#include "engine/csv_export_filter.h"
#include "engine/html_export_filter.h"
#include "engine/pdf_export_filter.h"
#include "engine/rtf_export_filter.h"
#include "engine/text_export_filter.h"

#include <QFileInfo>
#include <QRegularExpression>

void ExportFilterRegistry::add(ExportFormat format)
{
    for (ExportFormat &registered : m_formats)
        if (registered.mask == format.mask) {
            registered = std::move(format);
            return;
        }
    m_formats.push_back(std::move(format));
}

const ExportFormat *ExportFilterRegistry::for_file(const QString &file) const
{
    const QString name = QFileInfo(file).fileName();
    for (const ExportFormat &format : m_formats) {
        const QRegularExpression pattern(
            QRegularExpression::wildcardToRegularExpression(format.mask),
            QRegularExpression::CaseInsensitiveOption);
        if (pattern.match(name).hasMatch())
            return &format;
    }
    return nullptr;
}

namespace {

template <typename Filter> ExportFormat format_of()
{
    return {Filter::description, Filter::mask, [] { return std::make_unique<Filter>(); }};
}

} // namespace

void register_export_formats(ExportFilterRegistry &registry,
                             std::function<PdfExportOptions()> pdf_options)
{
    registry.add(format_of<TextExportFilter>());
    registry.add(format_of<HtmlExportFilter>());
    registry.add(format_of<RtfExportFilter>());
    registry.add(format_of<CsvExportFilter>());
    registry.add({TfrTNPDFExportFilter::description, TfrTNPDFExportFilter::mask,
                  [pdf_options = std::move(pdf_options)] {
                      return std::make_unique<TfrTNPDFExportFilter>(
                          pdf_options ? pdf_options() : PdfExportOptions{});
                  }});
}
