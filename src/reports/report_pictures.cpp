#include "reports/report_pictures.h"

#include "data/app_paths.h"
#include "data/db_api.h"
#include "engine/report.h"

#include <QFile>

namespace {

void load_firm_picture(TdbAPI &api, Report &report, const QString &column, const QString &object)
{
    const int key = api.lookup_int(1, QStringLiteral("CONF_ADDRESS"), column);
    if (key != 0)
        load_report_picture(api, report, key, object);
}

} // namespace

void load_report_picture(TdbAPI &api, Report &report, int picture_key, const QString &object)
{
    const QString bitmap = app_file_path(QStringLiteral(".bmp"));
    QFile::remove(bitmap);
    ReportObject *target = report.find_object(object);
    if (target && api.read_picture(picture_key, nullptr) > 0 && QFile::exists(bitmap))
        target->load_picture(bitmap);
}

void load_firm_logo(TdbAPI &api, Report &report)
{
    load_firm_picture(api, report, QStringLiteral("LOGO_ID"), QStringLiteral("image_logo"));
}

void load_firm_stamp(TdbAPI &api, Report &report)
{
    load_firm_picture(api, report, QStringLiteral("STAMP_ID"), QStringLiteral("image_stamp"));
}
