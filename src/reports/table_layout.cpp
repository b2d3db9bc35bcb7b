#include "reports/table_layout.h"

#include "data/memtable.h"
#include "engine/font_book.h"
#include "engine/report.h"
#include "reports/memtable_data_source.h"
#include "reports/report_preparation.h"

namespace {

const int first_column_x = 32;
const int heading_y = 158;
const int cell_y = 301;
const int row_height = 14;
const int column_gap = 2;
const int other_field_width = 128;
const int label_margin = 8;

// Measured in report units on the engine's own device, in the preview window's font, so
// that the layout is the same on every screen.
double preview_font_width(const QString &text)
{
    static FontBook book;
    static const int font = book.font(FontStyle{QStringLiteral("Arial"), 8.0});
    return book.width(font, text);
}

QString column_label(const TField &field)
{
    return field.display_label.isEmpty() ? field.name() : field.display_label;
}

} // namespace

int table_column_width(const TMemTable &set, int field)
{
    const TField &column = set.field(field);
    int width = other_field_width;
    if (column.type() == FieldType::Text)
        width = int((column.size() + 1) * preview_font_width(QStringLiteral("M")));
    return std::max(width, int(preview_font_width(column_label(column))) + label_margin);
}

void build_table_layout(Report &report, const TMemTable &set, const QString &caption)
{
    if (!report.find_band(QStringLiteral("page_header")) ||
        !report.find_band(QStringLiteral("master_data")))
        return;
    report.set_band_source(QStringLiteral("master_data"), data_source_name(set.name));
    write_report_text(report, QStringLiteral("report_title"), caption);
    const FontStyle font{QStringLiteral("Arial CE"), 8.0};
    int x = first_column_x;
    for (int field = 0; field < set.field_count(); ++field) {
        const TField &column = set.field(field);
        if (!column.visible)
            continue;
        const int width = table_column_width(set, field);
        report.add_text_object(0, QRectF(x, heading_y, width, row_height), font,
                               {column_label(column)});
        report.add_text_object(0, QRectF(x, cell_y, width, row_height), font,
                               {QStringLiteral("[dbAPI.%1.\"%2\"]").arg(set.name, column.name())});
        x += width + column_gap;
    }
}
