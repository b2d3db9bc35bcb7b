#include "text/number_format.h"

#include "text/format_settings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace {

constexpr char16_t group_separator = u' ';

// The magnitude of a double as decimal digits: `integer` without leading zeros (empty below
// one), `fraction` without trailing zeros.
struct DecimalText {
    bool negative = false;
    std::string integer;
    std::string fraction;

    bool is_zero() const
    {
        return integer.find_first_not_of('0') == std::string::npos &&
               fraction.find_first_not_of('0') == std::string::npos;
    }
};

DecimalText shortest_decimal(double value)
{
    DecimalText text;
    text.negative = std::signbit(value);
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::scientific);
    const std::string scientific(buffer, result.ptr);
    const auto exponent_at = scientific.find('e');
    std::string digits = scientific.substr(0, exponent_at);
    if (digits.size() > 1)
        digits.erase(1, 1);
    const int point = std::stoi(scientific.substr(exponent_at + 1)) + 1;
    const int count = static_cast<int>(digits.size());
    if (point <= 0) {
        text.fraction = std::string(-point, '0') + digits;
    } else if (point >= count) {
        text.integer = digits + std::string(point - count, '0');
    } else {
        text.integer = digits.substr(0, point);
        text.fraction = digits.substr(point);
    }
    if (text.integer == "0")
        text.integer.clear();
    while (!text.fraction.empty() && text.fraction.back() == '0')
        text.fraction.pop_back();
    return text;
}

void increment(std::string &digits, bool &carry)
{
    for (auto it = digits.rbegin(); carry && it != digits.rend(); ++it) {
        if (*it == '9') {
            *it = '0';
        } else {
            ++*it;
            carry = false;
        }
    }
}

// Half away from zero: the text holds the magnitude, so rounding up always moves away.
void round_fraction(DecimalText &text, int decimals)
{
    if (static_cast<int>(text.fraction.size()) <= decimals)
        return;
    bool carry = text.fraction[decimals] >= '5';
    text.fraction.resize(decimals);
    increment(text.fraction, carry);
    increment(text.integer, carry);
    if (carry)
        text.integer.insert(text.integer.begin(), '1');
}

bool is_digit_position(QChar c)
{
    return c == u'0' || c == u'#';
}

// Where a format puts its digits, read once per call.
struct NumberPattern {
    qsizetype point = -1;      // index of the decimal point, -1 when there is none
    qsizetype integer_end = 0; // the integer part is [0, integer_end)
    qsizetype first_integer_position = -1;
    qsizetype last_fraction_position = -1;
    int min_integer_digits = 1;
    int min_fraction_digits = 0;
    int max_fraction_digits = 0;
    bool grouping = false;
    // "### ##0.00": the integer digits are grouped by spaces between digit positions, so
    // the digits the format has no place for are grouped the same way.
    bool space_grouped = false;

    explicit NumberPattern(const QString &format)
    {
        point = format.indexOf(u'.');
        integer_end = point < 0 ? format.size() : point;
        grouping = format.contains(u',');
        int required = 0;
        bool space_after_digit = false;
        for (qsizetype i = 0; i < integer_end; ++i) {
            const QChar c = format.at(i);
            if (c == group_separator && first_integer_position >= 0)
                space_after_digit = true;
            if (!is_digit_position(c))
                continue;
            if (first_integer_position < 0)
                first_integer_position = i;
            if (space_after_digit && !grouping)
                space_grouped = true;
            if (c == u'0' || required > 0)
                ++required;
        }
        min_integer_digits = std::max(required, 1);
        for (qsizetype i = point + 1; point >= 0 && i < format.size(); ++i) {
            const QChar c = format.at(i);
            if (!is_digit_position(c))
                continue;
            ++max_fraction_digits;
            if (c == u'0')
                min_fraction_digits = max_fraction_digits;
            last_fraction_position = i;
        }
    }
};

// The integer part of the format, filled from the right: a digit per position, the digits
// that do not fit at the leftmost position, a literal only while digits remain to its left.
QString integer_part(const QString &format, const NumberPattern &pattern, const std::string &digits,
                     QString &prefix)
{
    QString reversed;
    auto remaining = static_cast<qsizetype>(digits.size());
    int written = 0;
    int since_literal_space = 0;
    const auto put_digit = [&] {
        if (pattern.grouping && written > 0 && written % 3 == 0)
            reversed.append(group_separator);
        reversed.append(QChar::fromLatin1(digits[--remaining]));
        ++written;
        ++since_literal_space;
    };
    const auto put_overflow_digit = [&] {
        if (pattern.space_grouped && since_literal_space == 3) {
            reversed.append(group_separator);
            since_literal_space = 0;
        }
        put_digit();
    };
    const qsizetype body_start =
        pattern.first_integer_position < 0 ? pattern.integer_end : pattern.first_integer_position;
    for (qsizetype i = pattern.integer_end - 1; i >= body_start; --i) {
        const QChar c = format.at(i);
        if (c == u',')
            continue;
        if (i == body_start && is_digit_position(c)) {
            if (remaining > 0)
                put_digit();
            while (remaining > 0)
                put_overflow_digit();
        } else if (is_digit_position(c)) {
            if (remaining > 0)
                put_digit();
        } else if (remaining > 0) {
            reversed.append(c);
            if (c == group_separator)
                since_literal_space = 0;
        }
    }
    while (remaining > 0)
        put_overflow_digit();
    for (qsizetype i = 0; i < body_start; ++i) {
        if (format.at(i) != u',')
            prefix.append(format.at(i));
    }
    std::reverse(reversed.begin(), reversed.end());
    return reversed;
}

QString fraction_part(const QString &format, const NumberPattern &pattern,
                      const std::string &digits, QChar separator)
{
    QString text;
    if (pattern.point < 0)
        return text;
    const auto written = static_cast<int>(digits.size());
    if (written > 0)
        text.append(separator);
    int position = 0;
    for (qsizetype i = pattern.point + 1; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == u',')
            continue;
        if (is_digit_position(c)) {
            if (position < written)
                text.append(QChar::fromLatin1(digits[position]));
            ++position;
        } else if (i > pattern.last_fraction_position || position < written) {
            text.append(c);
        }
    }
    return text;
}

QString shortest_text(const DecimalText &text, QChar separator)
{
    QString result;
    if (text.negative && !text.is_zero())
        result.append(u'-');
    result.append(text.integer.empty() ? QStringLiteral("0") : QString::fromLatin1(text.integer));
    if (!text.fraction.empty())
        result.append(separator).append(QString::fromLatin1(text.fraction));
    return result;
}

} // namespace

QString format_number(double value, const QString &format)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    const QChar separator = decimal_separator();
    DecimalText text = shortest_decimal(value);
    if (format.isEmpty())
        return shortest_text(text, separator);

    const NumberPattern pattern(format);
    round_fraction(text, pattern.max_fraction_digits);
    while (static_cast<int>(text.fraction.size()) > pattern.min_fraction_digits &&
           text.fraction.back() == '0')
        text.fraction.pop_back();
    text.fraction.resize(std::max<size_t>(text.fraction.size(), pattern.min_fraction_digits), '0');
    const auto first_significant = text.integer.find_first_not_of('0');
    text.integer.erase(0, std::min(first_significant, text.integer.size()));
    if (static_cast<int>(text.integer.size()) < pattern.min_integer_digits)
        text.integer.insert(0, pattern.min_integer_digits - text.integer.size(), '0');

    QString prefix;
    const QString integer = integer_part(format, pattern, text.integer, prefix);
    if (text.negative && !text.is_zero())
        prefix.append(u'-');
    return prefix + integer + fraction_part(format, pattern, text.fraction, separator);
}
