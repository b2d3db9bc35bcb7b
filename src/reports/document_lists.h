#pragma once
// The lists of documents: of one type (with the recap of what is paid per currency) and of
// one partner.  The selects, captions, filters and orders they are built from.

#include <QString>
#include <QStringList>

class TdbAPI;
class TMemTable;

// "    Soupis vydaných faktur." and the like; a ReportError "Neznámý typ dokladu!" for a
// type that is none.
QString document_list_caption(int doc_type);
// "SELECT * FROM VIEW_DOCn", and a space and the condition when there is one.
QString document_list_select(int doc_type, const QString &condition);

// The payment-state condition belongs in the select: a record-set filter compares a column
// only with a value, never with another column.  The select ends in a space after the
// partner's number when there is no such condition.
QString partner_documents_select(int partner, const QString &state_condition);

// The heading and one line per currency of the type's documents: their total, the paid part
// and what remains, each padded to 28 characters.
QStringList document_recap_lines(TdbAPI &api, int doc_type);

// The filter switched on exactly when it is not empty (a filter the set cannot read leaves
// it unfiltered), then the order: descending when it begins with DATE_D.
void apply_list_filter_and_order(TdbAPI &api, TMemTable *set, const QString &filter,
                                 const QString &order);
