#pragma once
// The electronic invoice in the Czech ISDOC format, version 6.0.2, of an issued invoice or
// an issued credit note, which the customer's accounting program reads without retyping.
// The firm invoices without VAT, so every tax figure is zero; a document in a foreign
// currency carries its amounts in both currencies at its own rate.

#include <QString>

class TdbAPI;

// Only the documents the firm issues itself have an electronic form of its making.
bool has_isdoc_form(int doc_type);

// "faktura-2026001.isdoc", "dobropis-2026003.isdoc".
QString isdoc_file_name(int doc_type, int doc_no);

// Writes the document to the file, replacing it; false when nothing was written, the Czech
// reason told to the user once.  A file that could not be finished leaves an earlier one as
// it was.
bool export_isdoc(TdbAPI &api, int document_id, const QString &file_name);
