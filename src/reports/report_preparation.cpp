#include "reports/report_preparation.h"

#include "data/app_paths.h"
#include "data/db_api.h"
#include "data/rtf_reader.h"
#include "engine/report.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextDocument>

QString report_template_path(const QString &name)
{
    QString path = app_resource_path(QStringLiteral("Lib/") + name + QStringLiteral(".frf"));
    while (path.contains(QStringLiteral("//")))
        path.replace(QStringLiteral("//"), QStringLiteral("/"));
    return path;
}

void load_report_template(Report &report, const QString &name)
{
    const QString path = report_template_path(name);
    if (QFileInfo::exists(path))
        report.load(path);
}

void write_report_text(Report &report, const QString &object, const QString &text)
{
    if (ReportObject *target = report.find_object(object))
        target->set_text(text.split(QRegularExpression(QStringLiteral("\r\n|\n"))));
}

void write_report_footer(Report &report)
{
    if (!dbAPI || !report.find_object(QStringLiteral("report_footer")))
        return;
    write_report_text(report, QStringLiteral("report_footer"),
                      dbAPI->lookup_text(1, QStringLiteral("CONF_ADDRESS"),
                                         QStringLiteral("INVOICE_TEXT")));
}

void write_where_sql(Report &report, const QString &condition)
{
    write_report_text(report, QStringLiteral("where_sql"), condition.toLower());
}

void load_rich_text(Report &report, bool from_working_file)
{
    ReportObject *target = report.find_object(QStringLiteral("RichText"));
    if (!target)
        return;
    const QString file = app_file_path(QStringLiteral(".rtf"));
    QFile rtf(file);
    if (from_working_file && rtf.open(QIODevice::ReadOnly)) {
        QTextDocument document;
        if (read_rtf_into(document, rtf.readAll())) {
            target->set_rich_text(document);
            return;
        }
    }
    target->clear_rich_text();
}
