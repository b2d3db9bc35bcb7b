#include "engine/text_export_filter.h"

#include <QIODevice>
#include <cmath>

const QString TextExportFilter::description = QStringLiteral("Textový soubor  (*.txt)");
const QString TextExportFilter::mask = QStringLiteral("*.txt");

void TextExportFilter::begin(const PreparedReport &)
{
    m_text.clear();
    m_page_open = false;
}

void TextExportFilter::begin_page(const PreparedPage &)
{
    finish_page();
    m_rows.clear();
    m_page_open = true;
}

void TextExportFilter::object(const DisplayItem &) {}

void TextExportFilter::text_line(const DisplayItem &, const TextLine &line)
{
    const qsizetype row = std::max<qsizetype>(0, std::lround(line.position.y() / cell_height));
    const qsizetype column = std::max<qsizetype>(0, std::lround(line.position.x() / cell_width));
    while (m_rows.size() <= row)
        m_rows.append(QString());
    QString &target = m_rows[row];
    if (target.size() < column + line.text.size())
        target.resize(column + line.text.size(), u' ');
    // A later line never blanks out what an earlier one wrote.
    for (qsizetype i = 0; i < line.text.size(); ++i)
        if (line.text.at(i) != u' ' || target.at(column + i) == u' ')
            target[column + i] = line.text.at(i);
}

void TextExportFilter::finish_page()
{
    if (!m_page_open)
        return;
    while (!m_rows.isEmpty() && m_rows.last().trimmed().isEmpty())
        m_rows.removeLast();
    if (!m_text.isEmpty())
        m_text += u'\f';
    for (const QString &row : std::as_const(m_rows)) {
        QString trimmed = row;
        while (trimmed.endsWith(u' '))
            trimmed.chop(1);
        m_text += trimmed + u'\n';
    }
    m_page_open = false;
}

void TextExportFilter::end(QIODevice &output)
{
    finish_page();
    output.write(m_text.toUtf8());
}
