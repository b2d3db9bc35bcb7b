#include "calc/calcexpress.h"

#include "calc/calc_arithmetic.h"
#include "calc/calc_parser.h"

namespace {

// Only A to Z: a full Unicode lower-casing would turn signs such as the Kelvin sign into
// letters the formula does not allow.
QString ascii_lower(const QString &text)
{
    QString lowered = text;
    for (QChar &c : lowered) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return lowered;
}

} // namespace

TCalcExpress::TCalcExpress(QChar decimal_separator) : m_decimal_separator(decimal_separator)
{
    set_formula(QStringLiteral("0"));
}

void TCalcExpress::set_formula(const QString &text)
{
    m_formula = ascii_lower(text);
    parse();
}

void TCalcExpress::set_variables(const QStringList &names)
{
    m_variables = names;
    parse();
}

void TCalcExpress::add_variable(const QString &name)
{
    m_variables.append(name);
}

void TCalcExpress::clear_variables()
{
    m_variables.clear();
}

void TCalcExpress::parse()
{
    // The old tree goes even when the new text is refused: it no longer matches formula().
    m_program.clear();
    m_program = parse_formula(m_formula, m_decimal_separator, m_variables);
}

long double TCalcExpress::evaluate(const std::vector<long double> &values) const
{
    // Only a refused formula leaves no tree.
    if (m_program.empty())
        reject_formula();

    std::vector<long double> stack;
    for (const CalcNode &node : m_program) {
        switch (node.kind) {
        case CalcNodeKind::Number:
            stack.push_back(calc_checked(node.number));
            break;
        case CalcNodeKind::Variable:
            // The list may have been changed directly since the formula was parsed.
            if (size_t(node.variable) >= values.size())
                throw CalcError(kMissingValueText);
            stack.push_back(calc_checked(values[node.variable]));
            break;
        default:
            if (is_binary(node.kind)) {
                const long double right = stack.back();
                stack.pop_back();
                stack.back() = calc_binary(node.kind, stack.back(), right);
            } else {
                stack.back() = calc_unary(node.kind, stack.back());
            }
            break;
        }
    }
    return stack.back();
}
