#include "engine/export_filter.h"

#include "engine/report_error.h"

#include <QSaveFile>

void replay(const PreparedReport &report, ExportFilter &filter, QIODevice &output)
{
    filter.begin(report);
    for (const PreparedPage &page : report.pages) {
        filter.begin_page(page);
        for (const DisplayItem &item : page.items) {
            filter.object(item);
            if (const auto *text = std::get_if<DisplayText>(&item.content))
                for (const TextLine &line : text->lines)
                    filter.text_line(item, line);
        }
    }
    filter.end(output);
}

void export_to_file(const PreparedReport &report, ExportFilter &filter, const QString &file)
{
    QSaveFile output(file);
    if (!output.open(QIODevice::WriteOnly))
        throw ReportError(
            QStringLiteral("Soubor „%1“ nelze vytvořit: %2").arg(file, output.errorString()));
    replay(report, filter, output);
    if (!output.commit())
        throw ReportError(
            QStringLiteral("Soubor „%1“ nelze uložit: %2").arg(file, output.errorString()));
}
