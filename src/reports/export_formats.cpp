#include "reports/export_formats.h"

#include "reports/report_state.h"

#include <QStringList>

const ExportFilterRegistry &export_formats()
{
    static const ExportFilterRegistry registry = [] {
        ExportFilterRegistry formats;
        register_export_formats(formats, pdf_options_provider);
        return formats;
    }();
    return registry;
}

QString export_formats_filter()
{
    QStringList parts;
    for (const ExportFormat &format : export_formats().formats())
        parts << format.description << format.mask;
    return parts.join(u'|');
}
