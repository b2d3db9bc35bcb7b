#pragma once
// What the windows that show documents tell each other through the window host, so that
// none shows a document as it was before another window changed it: an open document book
// re-reads a document whose payments changed in the tax-records book, and an open partners
// window re-reads its documents page when a document is written or deleted.

#include <vector>

// The command message code both windows answer: "documents changed, read them again".
inline constexpr int documents_changed_code = 1;

// The payments of the document changed outside its book (a payment added, corrected or
// deleted in the tax-records book): the open book of its type re-reads the document's row
// and, when it shows that document, its payments.
void document_payments_changed(int document_id);
// The documents whose payments changed since the book of the type last asked; the book
// asks when it gets documents_changed_code.
std::vector<int> take_changed_documents(int doc_type);

// A document was written or deleted: the open partners window re-reads its documents page.
void partner_documents_changed();
