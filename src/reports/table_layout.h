#pragma once
// The generic table print: the template "view" gets one heading and one cell per visible
// column of the record set, laid out from left to right.

#include <QString>

class Report;
class TMemTable;

// The width of a column in report units: text fields their declared size plus one in
// letters "M", other fields 128; never narrower than the heading and a margin.
int table_column_width(const TMemTable &set, int field);

// Nothing is built unless the template has the bands page_header and master_data.  The
// master band reads the set's source; report_title receives the caption.
void build_table_layout(Report &report, const TMemTable &set, const QString &caption);
