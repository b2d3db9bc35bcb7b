#include "text/number_format.h"

#include "text/format_settings.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

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
    const std::string_view scientific(buffer, size_t(result.ptr - buffer));
    const auto exponent_at = scientific.find('e');
    // The mantissa's digits without its point: at most 17 for the shortest text of a double.
    char digits[24];
    int count = 0;
    for (const char c : scientific.substr(0, exponent_at))
        if (c != '.')
            digits[count++] = c;
    std::string_view exponent = scientific.substr(exponent_at + 1);
    if (!exponent.empty() && exponent.front() == '+')
        exponent.remove_prefix(1);
    int power = 0;
    std::from_chars(exponent.data(), exponent.data() + exponent.size(), power);
    const int point = power + 1;
    if (point <= 0) {
        text.fraction.assign(size_t(-point), '0');
        text.fraction.append(digits, size_t(count));
    } else if (point >= count) {
        text.integer.assign(digits, size_t(count));
        text.integer.append(size_t(point - count), '0');
    } else {
        text.integer.assign(digits, size_t(point));
        text.fraction.assign(digits + point, size_t(count - point));
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

NumberFormat::NumberFormat(const QString &format) : m_format(format)
{
    m_point = format.indexOf(u'.');
    m_integer_end = m_point < 0 ? format.size() : m_point;
    m_grouping = format.contains(u',');
    qsizetype first_integer_position = -1;
    int required = 0;
    bool space_after_digit = false;
    for (qsizetype i = 0; i < m_integer_end; ++i) {
        const QChar c = format.at(i);
        if (c == group_separator && first_integer_position >= 0)
            space_after_digit = true;
        if (!is_digit_position(c))
            continue;
        if (first_integer_position < 0)
            first_integer_position = i;
        if (space_after_digit && !m_grouping)
            m_space_grouped = true;
        if (c == u'0' || required > 0)
            ++required;
    }
    m_min_integer_digits = std::max(required, 1);
    m_body_start = first_integer_position < 0 ? m_integer_end : first_integer_position;
    for (qsizetype i = 0; i < m_body_start; ++i)
        if (format.at(i) != u',')
            m_prefix.append(format.at(i));
    for (qsizetype i = m_point + 1; m_point >= 0 && i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (!is_digit_position(c))
            continue;
        ++m_max_fraction_digits;
        if (c == u'0')
            m_min_fraction_digits = m_max_fraction_digits;
        m_last_fraction_position = i;
    }
}

// The integer part of the format, filled from the right: a digit per position, the digits
// that do not fit at the leftmost position, a literal only while digits remain to its left.
void NumberFormat::append_integer(NumberText &result, const std::string &digits) const
{
    NumberText reversed;
    auto remaining = static_cast<qsizetype>(digits.size());
    int written = 0;
    int since_literal_space = 0;
    const auto put_digit = [&] {
        if (m_grouping && written > 0 && written % 3 == 0)
            reversed.append(group_separator);
        reversed.append(char16_t(digits[--remaining]));
        ++written;
        ++since_literal_space;
    };
    const auto put_overflow_digit = [&] {
        if (m_space_grouped && since_literal_space == 3) {
            reversed.append(group_separator);
            since_literal_space = 0;
        }
        put_digit();
    };
    for (qsizetype i = m_integer_end - 1; i >= m_body_start; --i) {
        const QChar c = m_format.at(i);
        if (c == u',')
            continue;
        if (i == m_body_start && is_digit_position(c)) {
            if (remaining > 0)
                put_digit();
            while (remaining > 0)
                put_overflow_digit();
        } else if (is_digit_position(c)) {
            if (remaining > 0)
                put_digit();
        } else if (remaining > 0) {
            reversed.append(c.unicode());
            if (c == group_separator)
                since_literal_space = 0;
        }
    }
    while (remaining > 0)
        put_overflow_digit();
    for (qsizetype i = reversed.size(); i-- > 0;)
        result.append(reversed[i]);
}

void NumberFormat::append_fraction(NumberText &result, const std::string &digits,
                                   QChar separator) const
{
    if (m_point < 0)
        return;
    const auto written = static_cast<int>(digits.size());
    if (written > 0)
        result.append(separator.unicode());
    int position = 0;
    for (qsizetype i = m_point + 1; i < m_format.size(); ++i) {
        const QChar c = m_format.at(i);
        if (c == u',')
            continue;
        if (is_digit_position(c)) {
            if (position < written)
                result.append(char16_t(digits[position]));
            ++position;
        } else if (i > m_last_fraction_position || position < written) {
            result.append(c.unicode());
        }
    }
}

QString NumberFormat::format(double value) const
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    const QChar separator = decimal_separator();
    const auto bits = std::bit_cast<quint64>(value);
    if (!m_last_text.isNull() && bits == m_last_bits && separator == m_last_separator)
        return m_last_text;
    m_last_bits = bits;
    m_last_separator = separator;
    m_last_text = written(value, separator);
    return m_last_text;
}

QString NumberFormat::written(double value, QChar separator) const
{
    DecimalText text = shortest_decimal(value);
    if (m_format.isEmpty())
        return shortest_text(text, separator);

    round_fraction(text, m_max_fraction_digits);
    while (static_cast<int>(text.fraction.size()) > m_min_fraction_digits &&
           text.fraction.back() == '0')
        text.fraction.pop_back();
    text.fraction.resize(std::max<size_t>(text.fraction.size(), m_min_fraction_digits), '0');
    const auto first_significant = text.integer.find_first_not_of('0');
    text.integer.erase(0, std::min(first_significant, text.integer.size()));
    if (static_cast<int>(text.integer.size()) < m_min_integer_digits)
        text.integer.insert(0, m_min_integer_digits - text.integer.size(), '0');

    // Built in place and copied into its text once: a list formats thousands of amounts.
    NumberText result;
    for (const QChar c : m_prefix)
        result.append(c.unicode());
    if (text.negative && !text.is_zero())
        result.append(u'-');
    append_integer(result, text.integer);
    append_fraction(result, text.fraction, separator);
    return QString(reinterpret_cast<const QChar *>(result.constData()), result.size());
}

QString format_number(double value, const QString &format)
{
    return NumberFormat(format).format(value);
}
