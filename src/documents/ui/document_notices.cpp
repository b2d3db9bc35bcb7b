#include "documents/ui/document_notices.h"

#include "data/db_api.h"
#include "documents/doc_types.h"
#include "widgets/window_host.h"

#include <QString>
#include <algorithm>
#include <map>

namespace {

// The command message carries no parameter, so the documents wait here, per type, until
// their book takes them.
std::map<int, std::vector<int>> &changed_documents()
{
    static std::map<int, std::vector<int>> documents;
    return documents;
}

} // namespace

void document_payments_changed(int document_id)
{
    if (!dbAPI || document_id == 0)
        return;
    const int type =
        dbAPI->lookup_int(document_id, QStringLiteral("DOC_HEAD"), QStringLiteral("ID_DOC_TYPE"));
    if (!is_doc_type(type))
        return;
    std::vector<int> &waiting = changed_documents()[type];
    if (std::find(waiting.begin(), waiting.end(), document_id) == waiting.end())
        waiting.push_back(document_id);
    // No book of the type is open: nothing will take them.
    if (window_host().notify_child(QStringLiteral("DOC%1").arg(type), documents_changed_code) == 0)
        waiting.clear();
}

std::vector<int> take_changed_documents(int doc_type)
{
    std::vector<int> taken;
    taken.swap(changed_documents()[doc_type]);
    return taken;
}

void partner_documents_changed()
{
    window_host().notify_child(QStringLiteral("PAR"), documents_changed_code);
}
