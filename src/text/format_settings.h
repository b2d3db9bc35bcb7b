#pragma once
// Process-wide formats: the decimal separator and the short date format with which numbers
// and dates are shown and typed, and the fixed forms in which they go into SQL text.

#include <QChar>
#include <QDate>
#include <QString>

// Taken from the system locale at first use (Czech: ',' and "d.M.yyyy").
QChar decimal_separator();
void set_decimal_separator(QChar separator);
QString short_date_format();
void set_short_date_format(const QString &format);

// Switches the decimal separator to '.' for its lifetime (preview, graphs) and then puts
// back the one it found.
class DecimalPointGuard {
public:
    DecimalPointGuard();
    ~DecimalPointGuard();
    DecimalPointGuard(const DecimalPointGuard &) = delete;
    DecimalPointGuard &operator=(const DecimalPointGuard &) = delete;

private:
    QChar m_saved;
};

// Empty text for an invalid date.
QString format_short_date(const QDate &date);
// Surrounding spaces are ignored; an invalid date when the text is not a date.
QDate parse_short_date(const QString &text);

// "yyyy-MM-dd", unquoted (empty for an invalid date); put it between quotes in SQL.
QString sql_date(const QDate &date);
// The shortest text that reads back as the same double, always with '.'; NULL when the
// number is not finite.
QString sql_number(double value);
// The text as an SQL string literal: in apostrophes, each apostrophe inside doubled.
QString sql_quote(const QString &text);
// A table or column name that can go into SQL text as it stands: [A-Za-z0-9_]+.
bool is_sql_identifier(const QString &name);
