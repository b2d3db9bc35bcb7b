#pragma once
// The export formats every preview offers: text, HTML, RTF, CSV and PDF, the PDF one taking
// the password and permission of pdf_options_provider at each export.

#include "engine/export_filter_registry.h"

const ExportFilterRegistry &export_formats();

// The formats as the save dialog's filter: "description|mask|description|mask…".
QString export_formats_filter();
