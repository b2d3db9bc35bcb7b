#pragma once
// A record set as the report engine reads it: the rows in the set's own order (its sort,
// filter and master-detail link applied), the set's current row moving as the engine steps,
// so that a detail set linked to it follows.  Column names are matched as the set matches
// them, without regard to letter case.

#include "engine/data_source.h"

#include <QString>

class TMemTable;

// The name under which bands and field expressions find a record set: "fr" + its name.
QString data_source_name(const QString &set_name);

class MemTableDataSource : public ReportDataSource {
public:
    // The set must outlive the preparations that use the source.
    explicit MemTableDataSource(TMemTable &set) : m_set(set) {}

    void first() override;
    void next() override;
    bool eof() const override;
    int column_index(const QString &name) const override;
    QVariant value(int column) const override;

private:
    TMemTable &m_set;
};
