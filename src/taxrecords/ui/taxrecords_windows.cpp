#include "taxrecords/ui/taxrecords_windows.h"

#include "taxrecords/ui/fte.h"
#include "widgets/command_registry.h"

void register_taxrecords_windows()
{
    register_book_window(QStringLiteral("TE"), [](int record_id) { return new TfTE(record_id); });
}
