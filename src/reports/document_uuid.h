#pragma once
// The lasting identity of a document sent in electronic form: made on its first export and
// stored, so that the customer's program recognises a document sent again as the one it has.

#include <QString>

class TdbAPI;

// The stored identity, or a new one stored now.  Empty when it could not be stored; the data
// module has said why.
QString document_uuid(TdbAPI &api, int document_id);
