#include "widgets/field_text.h"

#include "text/format_settings.h"
#include "data/glob.h"
#include "data/memtable.h"
#include "data/tdatetime.h"

#include <QRegularExpressionValidator>

void write_typed_text(TField &field, const QString &text)
{
    if (field.type() == FieldType::Text) {
        field.set_as_string(text);
        return;
    }
    QString plain = text;
    plain.removeIf([](QChar c) { return c.isSpace(); });
    if (plain.isEmpty()) {
        field.clear();
        return;
    }
    switch (field.type()) {
    case FieldType::Integer: {
        bool ok = false;
        const int value = plain.toInt(&ok);
        if (ok)
            field.set_as_integer(value);
        break;
    }
    case FieldType::Float:
        field.set_as_float(parse_amount(plain));
        break;
    case FieldType::DateTime: {
        const QDate date = parse_short_date(plain);
        if (date.isValid())
            field.set_as_datetime(days_from_date(date));
        break;
    }
    case FieldType::Text:
        break;
    }
}

QValidator *number_validator(const TField &field, QObject *parent)
{
    switch (field.type()) {
    case FieldType::Integer:
        return new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[-+]?[\\d ]*")),
                                               parent);
    case FieldType::Float:
        return new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("[-+]?[\\d \\x{00A0}]*[.,]?\\d*")), parent);
    case FieldType::Text:
    case FieldType::DateTime:
        return nullptr;
    }
    return nullptr;
}
