#pragma once
// RTF for word processors: each report page a section of its own size without margins, every
// text line a paragraph frame at its position, frames and lines as drawing shapes, pictures
// as PNG.  Word and LibreOffice Writer open it with the pages as prepared.

#include "engine/export_filter.h"

#include <QByteArray>
#include <QStringList>

class RtfExportFilter : public ExportFilter {
public:
    static const QString description;
    static const QString mask;

    void begin(const PreparedReport &report) override;
    void begin_page(const PreparedPage &page) override;
    void object(const DisplayItem &item) override;
    void text_line(const DisplayItem &item, const TextLine &line) override;
    void end(QIODevice &output) override;

private:
    int color_index(QRgb color);
    void text(const QPointF &position, double width, const QString &text, int font, QRgb color);
    void shape_line(const QLineF &line, double width, QRgb color);
    void picture(const QRectF &target, const QImage &image);

    const PreparedReport *m_report = nullptr;
    QStringList m_families;
    std::vector<int> m_font_family; // report font -> font table entry
    std::vector<QRgb> m_colors;
    QByteArray m_body;
    QSizeF m_page_size;
    int m_pages = 0;
};
