#pragma once
// A data source over rows held in memory: for reports whose rows the application computes
// itself, for tests and for the benchmark.

#include "engine/data_source.h"

#include <QStringList>
#include <vector>

class MemoryDataSource : public ReportDataSource {
public:
    explicit MemoryDataSource(QStringList columns) : m_columns(std::move(columns)) {}

    void add_row(std::vector<QVariant> row) { m_rows.push_back(std::move(row)); }
    size_t row_count() const { return m_rows.size(); }

    void first() override { m_current = 0; }
    void next() override { ++m_current; }
    bool eof() const override { return m_current >= m_rows.size(); }
    int column_index(const QString &name) const override { return int(m_columns.indexOf(name, 0)); }
    QVariant value(int column) const override
    {
        if (eof() || column < 0 || size_t(column) >= m_rows[m_current].size())
            return {};
        return m_rows[m_current][size_t(column)];
    }

private:
    QStringList m_columns;
    std::vector<std::vector<QVariant>> m_rows;
    size_t m_current = 0;
};
