#pragma once
// What a band and a field expression need of the rows they print.  The reports layer adapts
// its record sets to this; a detail source linked to its master shows the master's current
// children after first(), so master-detail needs nothing more here.

#include <QString>
#include <QVariant>

class ReportDataSource {
public:
    virtual ~ReportDataSource() = default;

    virtual void first() = 0;
    virtual void next() = 0;
    virtual bool eof() const = 0;

    // -1 when the source has no such column.  Looked up once per preparation, so a source may
    // compare names as loosely as its record sets do.
    virtual int column_index(const QString &name) const = 0;
    // The current row's value; invalid at eof and for NULL.  Numbers come as double or
    // integer, dates as QDate or QDateTime, everything else as text.
    virtual QVariant value(int column) const = 0;
};
