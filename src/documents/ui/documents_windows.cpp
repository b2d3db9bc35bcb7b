#include "documents/ui/documents_windows.h"

#include "documents/ui/document_notices.h"
#include "documents/ui/document_operations.h"
#include "documents/ui/fdoc.h"
#include "documents/ui/fdoctypeselect.h"
#include "widgets/command_registry.h"

void register_documents_windows()
{
    for (int type = 1; type <= 4; ++type)
        register_book_window(QStringLiteral("DOC%1").arg(type),
                             [type](int record_id) { return new TfDoc(type, record_id); });
    shell_services().new_document = [](int type, const QString &book_key, int choice) {
        if (new_document(type, book_key, choice) != 0)
            partner_documents_changed();
    };
    shell_services().choose_new_document = choose_new_document;
}
