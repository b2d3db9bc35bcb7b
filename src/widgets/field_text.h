#pragma once
// Text typed into a one-line control, written into a field by the field's type.  Empty text
// clears a number or a date; a float is read with parse_amount (either decimal mark); text
// that is no value of an integer or date field leaves the field as it was.

#include <QString>

class QValidator;
class QObject;
class TField;

void write_typed_text(TField &field, const QString &text);

// A validator that keeps letters out of number fields; null for text and date fields.
QValidator *number_validator(const TField &field, QObject *parent);
