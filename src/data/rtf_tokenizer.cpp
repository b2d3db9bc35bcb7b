#include "data/rtf_tokenizer.h"

#include <climits>

namespace {

bool is_letter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool is_digit(char c)
{
    return c >= '0' && c <= '9';
}

int hex_value(char c)
{
    if (is_digit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

RtfToken RtfTokenizer::next()
{
    while (m_pos < m_input.size()) {
        switch (m_input[m_pos]) {
        case '{':
            ++m_pos;
            return {RtfTokenKind::GroupOpen, {}};
        case '}':
            ++m_pos;
            return {RtfTokenKind::GroupClose, {}};
        case '\\':
            return control();
        case '\r':
        case '\n':
            ++m_pos;
            break;
        default:
            return text_run();
        }
    }
    return {};
}

RtfToken RtfTokenizer::control()
{
    if (m_pos + 1 >= m_input.size()) {
        m_pos = m_input.size();
        return {};
    }
    const char symbol = m_input[m_pos + 1];
    if (is_letter(symbol))
        return control_word();
    if (symbol == '\'' && m_pos + 3 < m_input.size()) {
        const int high = hex_value(m_input[m_pos + 2]);
        const int low = hex_value(m_input[m_pos + 3]);
        if (high >= 0 && low >= 0) {
            m_pos += 4;
            return {RtfTokenKind::HexByte, {}, true, high * 16 + low};
        }
    }
    m_pos += 2;
    // A backslash before a line break is an old way of writing \par.
    if (symbol == '\r' || symbol == '\n')
        return {RtfTokenKind::ControlWord, "par"};
    return {RtfTokenKind::ControlSymbol, {}, true, static_cast<unsigned char>(symbol)};
}

RtfToken RtfTokenizer::control_word()
{
    const qsizetype start = m_pos + 1;
    m_pos = start;
    while (m_pos < m_input.size() && is_letter(m_input[m_pos]))
        ++m_pos;
    RtfToken token{RtfTokenKind::ControlWord, m_input.sliced(start, m_pos - start)};

    const bool negative =
        m_pos + 1 < m_input.size() && m_input[m_pos] == '-' && is_digit(m_input[m_pos + 1]);
    if (negative)
        ++m_pos;
    if (m_pos < m_input.size() && is_digit(m_input[m_pos])) {
        long long value = 0;
        while (m_pos < m_input.size() && is_digit(m_input[m_pos])) {
            if (value <= INT_MAX)
                value = value * 10 + (m_input[m_pos] - '0');
            ++m_pos;
        }
        if (value > INT_MAX)
            value = INT_MAX;
        token.has_parameter = true;
        token.parameter = static_cast<int>(negative ? -value : value);
    }
    if (m_pos < m_input.size() && m_input[m_pos] == ' ')
        ++m_pos;

    // Binary data follows \binN directly and may contain braces and backslashes.
    if (token.text == "bin" && token.parameter > 0)
        m_pos += qMin<qsizetype>(token.parameter, m_input.size() - m_pos);
    return token;
}

RtfToken RtfTokenizer::text_run()
{
    const qsizetype start = m_pos;
    while (m_pos < m_input.size()) {
        const char c = m_input[m_pos];
        if (c == '\\' || c == '{' || c == '}' || c == '\r' || c == '\n')
            break;
        ++m_pos;
    }
    return {RtfTokenKind::Text, m_input.sliced(start, m_pos - start)};
}
