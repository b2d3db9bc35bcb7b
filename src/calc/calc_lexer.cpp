#include "calc/calc_lexer.h"

#include "calc/calc_error.h"

#include <QLatin1String>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace {

struct FunctionName {
    QLatin1String name;
    CalcNodeKind kind;
};

const FunctionName kFunctions[] = {
    {QLatin1String("cos"), CalcNodeKind::Cos},
    {QLatin1String("sin"), CalcNodeKind::Sin},
    {QLatin1String("tg"), CalcNodeKind::Tg},
    {QLatin1String("ctg"), CalcNodeKind::Ctg},
    {QLatin1String("abs"), CalcNodeKind::Abs},
    {QLatin1String("sgn"), CalcNodeKind::Sgn},
    {QLatin1String("sign"), CalcNodeKind::Sgn},
    {QLatin1String("sqrt"), CalcNodeKind::Sqrt},
    {QLatin1String("ln"), CalcNodeKind::Ln},
    {QLatin1String("exp"), CalcNodeKind::Exp},
    {QLatin1String("arcsin"), CalcNodeKind::Arcsin},
    {QLatin1String("arccos"), CalcNodeKind::Arccos},
    {QLatin1String("arctg"), CalcNodeKind::Arctg},
    {QLatin1String("arctan"), CalcNodeKind::Arctg},
    {QLatin1String("arcctg"), CalcNodeKind::Arcctg},
    {QLatin1String("sh"), CalcNodeKind::Sh},
    {QLatin1String("sinh"), CalcNodeKind::Sh},
    {QLatin1String("ch"), CalcNodeKind::Ch},
    {QLatin1String("cosh"), CalcNodeKind::Ch},
    {QLatin1String("th"), CalcNodeKind::Th},
    {QLatin1String("tanh"), CalcNodeKind::Th},
    {QLatin1String("cth"), CalcNodeKind::Cth},
    {QLatin1String("coth"), CalcNodeKind::Cth},
    {QLatin1String("heaviside"), CalcNodeKind::Heaviside},
    {QLatin1String("hs"), CalcNodeKind::Heaviside},
};

// The text is already lower-cased.
bool starts_name(QChar c)
{
    return (c >= u'a' && c <= u'z') || c == u'_';
}

bool is_digit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The C library reads numbers with the decimal point of the process locale, which the
// application sets from the user's environment; the formula's own separator has already
// been turned into a point, so the number is read in the "C" locale.
long double to_long_double(const std::string &ascii)
{
    static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    // A number beyond the extended range becomes an infinity, which evaluation reports as
    // an overflow; one below it becomes zero or subnormal silently.
    return strtold_l(ascii.c_str(), nullptr, c_locale);
}

const FunctionName *find_function(QStringView lowered_name)
{
    for (const FunctionName &function : kFunctions) {
        if (lowered_name == function.name)
            return &function;
    }
    return nullptr;
}

} // namespace

bool is_variable_name(QStringView name)
{
    if (name.isEmpty() || is_digit(name.front()))
        return false;
    QString lowered;
    lowered.reserve(name.size());
    for (const QChar c : name) {
        const QChar lower = c >= u'A' && c <= u'Z' ? QChar(c.unicode() + (u'a' - u'A')) : c;
        if (!starts_name(lower) && !is_digit(lower))
            return false;
        lowered += lower;
    }
    return !find_function(lowered);
}

CalcLexer::CalcLexer(const QString &text, QChar decimal_separator, const QStringList &variables)
    : m_text(text), m_separator(decimal_separator), m_variables(variables)
{
}

bool CalcLexer::digit_at(qsizetype pos) const
{
    return pos < m_text.size() && is_digit(m_text[pos]);
}

void CalcLexer::next()
{
    const CalcToken previous = m_token;
    while (m_pos < m_text.size() && m_text[m_pos] == u' ')
        ++m_pos;
    if (m_pos >= m_text.size()) {
        m_token = CalcToken::End;
        return;
    }
    const QChar c = m_text[m_pos];
    switch (c.unicode()) {
    case u'(':
        m_token = CalcToken::LeftParen;
        break;
    case u')':
        m_token = CalcToken::RightParen;
        break;
    case u'+':
        m_token = CalcToken::Plus;
        break;
    case u'*':
        m_token = CalcToken::Times;
        break;
    case u'/':
        m_token = CalcToken::Slash;
        break;
    case u'^':
        m_token = CalcToken::Caret;
        break;
    case u'-':
        if (digit_at(m_pos + 1) &&
            (previous == CalcToken::Start || previous == CalcToken::LeftParen)) {
            read_number();
            return;
        }
        m_token = CalcToken::Minus;
        break;
    default:
        if (is_digit(c))
            read_number();
        else if (starts_name(c))
            read_identifier();
        else
            reject_formula();
        return;
    }
    ++m_pos;
}

void CalcLexer::read_number()
{
    std::string ascii;
    const auto take_digits = [&] {
        const qsizetype from = m_pos;
        while (digit_at(m_pos))
            ascii += char(m_text[m_pos++].unicode());
        return m_pos > from;
    };

    if (m_text[m_pos] == u'-') {
        ascii += '-';
        ++m_pos;
    }
    take_digits();
    if (m_pos < m_text.size() && m_text[m_pos] == m_separator) {
        ascii += '.';
        ++m_pos;
        if (!take_digits())
            reject_formula();
    }
    if (m_pos < m_text.size() && m_text[m_pos] == u'e') {
        ascii += 'e';
        ++m_pos;
        if (m_pos < m_text.size() && (m_text[m_pos] == u'+' || m_text[m_pos] == u'-'))
            ascii += char(m_text[m_pos++].unicode());
        if (!take_digits())
            reject_formula();
    }
    m_number = to_long_double(ascii);
    m_token = CalcToken::Number;
}

void CalcLexer::read_identifier()
{
    const qsizetype from = m_pos;
    while (m_pos < m_text.size() && (starts_name(m_text[m_pos]) || is_digit(m_text[m_pos])))
        ++m_pos;
    const QStringView name = QStringView(m_text).sliced(from, m_pos - from);

    if (const FunctionName *function = find_function(name)) {
        m_function = function->kind;
        m_token = CalcToken::Function;
        return;
    }
    for (qsizetype i = 0; i < m_variables.size(); ++i) {
        if (name.compare(m_variables[i], Qt::CaseInsensitive) == 0) {
            m_variable = int(i);
            m_token = CalcToken::Variable;
            return;
        }
    }
    // An unknown name would have no value to read at evaluation; the formula is refused
    // now so that the calculator says so before the user types any number.
    reject_formula();
}
