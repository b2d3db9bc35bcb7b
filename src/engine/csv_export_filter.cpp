#include "engine/csv_export_filter.h"

#include <QIODevice>
#include <algorithm>

namespace {

QString quoted(const QString &text)
{
    if (!text.contains(u';') && !text.contains(u'"') && !text.contains(u'\n'))
        return text;
    QString escaped = text;
    escaped.replace(u'"', QStringLiteral("\"\""));
    return u'"' + escaped + u'"';
}

} // namespace

const QString CsvExportFilter::description = QStringLiteral("Soubor CSV pro Excel  (*.csv)");
const QString CsvExportFilter::mask = QStringLiteral("*.csv");

void CsvExportFilter::begin(const PreparedReport &)
{
    m_csv = QByteArrayLiteral("\xEF\xBB\xBF");
    m_cells.clear();
    m_row = -1;
}

void CsvExportFilter::begin_page(const PreparedPage &) {}

// A text's wrapped lines are one cell again, joined by spaces.
void CsvExportFilter::object(const DisplayItem &item)
{
    const auto *text = std::get_if<DisplayText>(&item.content);
    if (!text)
        return;
    if (item.row != m_row) {
        finish_row();
        m_row = item.row;
    }
    QStringList lines;
    for (const TextLine &line : text->lines)
        lines << line.text.trimmed();
    m_cells.push_back({item.rect.x(), lines.join(u' ')});
}

void CsvExportFilter::text_line(const DisplayItem &, const TextLine &) {}

void CsvExportFilter::finish_row()
{
    if (m_cells.empty())
        return;
    std::stable_sort(m_cells.begin(), m_cells.end(),
                     [](const Cell &a, const Cell &b) { return a.x < b.x; });
    QStringList cells;
    for (const Cell &cell : m_cells)
        cells << quoted(cell.text);
    m_csv += cells.join(u';').toUtf8() + "\r\n";
    m_cells.clear();
}

void CsvExportFilter::end(QIODevice &output)
{
    finish_row();
    output.write(m_csv);
}
