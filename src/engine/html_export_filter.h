#pragma once
// One HTML file: each page a positioned <div>, inside it every item and text line placed in
// points as prepared.  Pictures travel inside the file as PNG data, barcodes as black boxes.

#include "engine/export_filter.h"

class HtmlExportFilter : public ExportFilter {
public:
    static const QString description;
    static const QString mask;

    void begin(const PreparedReport &report) override;
    void begin_page(const PreparedPage &page) override;
    void object(const DisplayItem &item) override;
    void text_line(const DisplayItem &item, const TextLine &line) override;
    void end(QIODevice &output) override;

private:
    void close_page();
    void text(const QPointF &position, const QString &text, int font, QRgb color);

    const PreparedReport *m_report = nullptr;
    QString m_html;
    bool m_page_open = false;
};
