#include "widgets/open_record_set.h"

#include "widgets/dbgrid.h"
#include "widgets/window_host.h"

TMemTable *open_record_set(const QString &window_key)
{
    const auto *grid = qobject_cast<const TDBGrid *>(
        window_host().find_child_component(window_key, QStringLiteral("ds")));
    return grid ? grid->table() : nullptr;
}
