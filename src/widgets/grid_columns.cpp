#include "widgets/grid_columns.h"

#include "data/memtable.h"
#include "widgets/dbgrid.h"

#include <functional>

namespace {

void for_each_column_of(const TDBGrid &grid, const QString &field_name,
                        const std::function<void(int column)> &action)
{
    const TMemTableModel &model = grid.table_model();
    for (int column = 0; column < model.columnCount(); ++column) {
        const TField *field = model.column_field(column);
        if (field->name().compare(field_name, Qt::CaseInsensitive) == 0)
            action(column);
    }
}

} // namespace

void hide_column(TDBGrid &grid, const QString &field_name)
{
    for_each_column_of(grid, field_name,
                       [&grid](int column) { grid.setColumnHidden(column, true); });
}

void set_column_title(TDBGrid &grid, const QString &field_name, const QString &title)
{
    for_each_column_of(grid, field_name, [&grid, &title](int column) {
        grid.table_model().set_column_title(column, title);
    });
}

void limit_column_widths(TDBGrid &grid, int max_width)
{
    for (int column = 0; column < grid.table_model().columnCount(); ++column)
        if (grid.columnWidth(column) > max_width)
            grid.setColumnWidth(column, max_width);
}

int find_column(const TDBGrid &grid, const QString &field_name)
{
    int found = -1;
    for_each_column_of(grid, field_name, [&found](int column) { found = column; });
    return found;
}
