#pragma once
// The filter text of a record set, parsed once into a tree that is evaluated per row
// straight on the column stores.

#include "data/column_store.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class RowFilter {
public:
    struct Column {
        int index;
        FieldType type;
    };
    using ColumnResolver = std::function<std::optional<Column>(const QString &name)>;

    // Null when the text is not a filter: unknown column, a value that does not fit the
    // column's type, unbalanced parentheses, a missing operator.
    static std::unique_ptr<RowFilter> parse(const QString &text, const ColumnResolver &resolve);

    virtual ~RowFilter() = default;
    virtual bool matches(const std::vector<ColumnStore> &columns, int row) const = 0;
};
