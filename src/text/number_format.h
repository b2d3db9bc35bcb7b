#pragma once
// The one number formatter of display formats such as "### ##0.00", "#,##0.00 Kč",
// "########.##" or "0.0#":
//   0  a digit that is always written
//   #  a digit written only when significant
//   .  the decimal separator (the first one; written as the process-wide separator)
//   ,  turns on grouping of the integer digits by three, separated by a plain space (which
//      prints and exports to PDF unchanged); never written itself
//   any other character is written as it stands.
// At least one integer digit is always written, so 0 is never an empty text.  A literal
// between digit positions is written only when a digit left of it is written ("### ##0.00"
// of 5 is "5,00"); literals before the first and after the last digit position always are.
// When spaces stand between the integer digit positions, the digits the format has no
// place for are grouped by three with spaces too ("### ##0.00" of 1234567 is "1 234 567,00").
// A minus sign stands right before the first written digit and only when some written
// digit is not zero.  The last written decimal is rounded half away from zero on the
// shortest decimal text of the double, so 2.675 with two decimals is "2,68".
// An empty format writes the shortest decimal text that reads back as the same double.

#include <QString>
#include <QVarLengthArray>
#include <string>

// A display format read once, for the many numbers of a list that share it.
class NumberFormat {
public:
    NumberFormat() = default; // the empty format
    explicit NumberFormat(const QString &format);

    bool is_empty() const { return m_format.isEmpty(); }
    QString format(double value) const;

private:
    QString written(double value, QChar separator) const;
    using NumberText = QVarLengthArray<char16_t, 64>;
    void append_integer(NumberText &result, const std::string &digits) const;
    void append_fraction(NumberText &result, const std::string &digits, QChar separator) const;

    QString m_format;
    QString m_prefix;            // the literals before the first digit position
    qsizetype m_point = -1;      // index of the decimal point, -1 when there is none
    qsizetype m_integer_end = 0; // the integer part is [0, m_integer_end)
    qsizetype m_body_start = 0;  // the first integer digit position, or m_integer_end
    qsizetype m_last_fraction_position = -1;
    int m_min_integer_digits = 1;
    int m_min_fraction_digits = 0;
    int m_max_fraction_digits = 0;
    bool m_grouping = false;
    // "### ##0.00": the integer digits are grouped by spaces between digit positions, so
    // the digits the format has no place for are grouped the same way.
    bool m_space_grouped = false;
    // A column of a list repeats its amounts, zero above all, row after row: the last
    // number's text is kept.  A format serves one thread, as all formatting does.
    mutable quint64 m_last_bits = 0;
    mutable QChar m_last_separator;
    mutable QString m_last_text;
};

QString format_number(double value, const QString &format);
