#pragma once
// CSV for spreadsheets: one line per printed band row, its texts as cells in the order of
// their x positions, separated by ";", in UTF-8 with a byte order mark so that a Czech Excel
// reads the letters right.

#include "engine/export_filter.h"

#include <QByteArray>
#include <vector>

class CsvExportFilter : public ExportFilter {
public:
    static const QString description;
    static const QString mask;

    void begin(const PreparedReport &report) override;
    void begin_page(const PreparedPage &page) override;
    void object(const DisplayItem &item) override;
    void text_line(const DisplayItem &item, const TextLine &line) override;
    void end(QIODevice &output) override;

private:
    struct Cell {
        double x = 0.0;
        QString text;
    };

    void finish_row();

    QByteArray m_csv;
    std::vector<Cell> m_cells;
    int m_row = -1;
};
