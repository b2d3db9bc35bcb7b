#pragma once
// Plain text in UTF-8: each page as a fixed-pitch image of its text lines, pages separated by
// a form feed.

#include "engine/export_filter.h"

#include <QStringList>

class TextExportFilter : public ExportFilter {
public:
    static const QString description;
    static const QString mask;
    // A character cell: 15 characters an inch, 7.5 lines an inch, near the 8-point texts of
    // the lists, so neighbouring lines stay apart.
    static constexpr double cell_width = 6.0;
    static constexpr double cell_height = 12.0;

    void begin(const PreparedReport &report) override;
    void begin_page(const PreparedPage &page) override;
    void object(const DisplayItem &item) override;
    void text_line(const DisplayItem &item, const TextLine &line) override;
    void end(QIODevice &output) override;

private:
    void finish_page();

    QString m_text;
    QStringList m_rows;
    bool m_page_open = false;
};
