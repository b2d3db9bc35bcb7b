#include "reports/report_state.h"

#include "data/app_paths.h"

#include <utility>

bool report_printed = false;
bool send_on_open = false;
int document_in_preview = 0;
QString pdf_password;
unsigned pdf_permission = default_pdf_permission;

PdfExportOptions pdf_options_provider()
{
    PdfExportOptions options;
    options.password = std::exchange(pdf_password, QString());
    options.permission = std::exchange(pdf_permission, default_pdf_permission);
    options.picture_file = app_file_path(QStringLiteral(".jpg"));
    return options;
}
