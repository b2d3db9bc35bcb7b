#pragma once
// Column helpers of the record-set grids.  Columns are found by the name of the field they
// show, letter case ignored.

#include <QString>

class TDBGrid;

void hide_column(TDBGrid &grid, const QString &field_name);
void set_column_title(TDBGrid &grid, const QString &field_name, const QString &title);
// Long text columns would push the rest of a book out of sight.
inline constexpr int max_column_width = 208;
void limit_column_widths(TDBGrid &grid, int max_width = max_column_width);
// The last column showing the field, -1 when there is none.
int find_column(const TDBGrid &grid, const QString &field_name);
