#pragma once
// Report templates are JSON files (".frf").  A template that does not load raises a
// ReportError whose text names the JSON path of the fault, for example
// "pages[0].bands[3].objects[2].font.size: očekáváno číslo".

#include "engine/report_template.h"

#include <QByteArray>
#include <QString>

ReportTemplate load_template(const QString &file);
// Picture files named in the template are read relative to `folder`.
ReportTemplate parse_template(const QByteArray &json, const QString &folder);
