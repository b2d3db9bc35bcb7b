#include "calc/user_calculator.h"

#include "text/number_format.h"

#include <cmath>

namespace {

const QString kResultFormat = QStringLiteral("### ### ### ##0.00##");

} // namespace

UserCalculator::UserCalculator(double starting_value, QChar decimal_separator)
    : m_starting_value(starting_value), m_decimal_separator(decimal_separator),
      m_evaluator(decimal_separator), m_result(starting_value)
{
}

void UserCalculator::load(const QString &script)
{
    m_script = parse_calc_script(script);
    // A fresh evaluator: a script without a formula must not compute the one before it.
    m_evaluator = TCalcExpress(m_decimal_separator);
    m_result = m_starting_value;

    QStringList faults = m_script.errors;
    if (m_script.formula) {
        QStringList names;
        for (const CalcScriptVariable &variable : m_script.variables)
            names.append(variable.name);
        try {
            m_evaluator.set_variables(names);
            m_evaluator.set_formula(*m_script.formula);
        } catch (const CalcError &) {
            faults.append(rejected_formula_text(*m_script.formula));
        }
    }
    m_can_compute = faults.isEmpty();
    m_fault_text = faults.join(u'\n');
    if (!m_can_compute)
        m_script.variables.clear();
}

std::optional<CalcAnswer> UserCalculator::compute(const std::vector<double> &values)
{
    m_result = m_starting_value;
    if (!m_can_compute)
        return std::nullopt;

    long double value = 0;
    try {
        value = m_evaluator.evaluate(std::vector<long double>(values.begin(), values.end()));
    } catch (const CalcError &error) {
        return fault(error.message());
    }
    // The result goes into a field of doubles, where a value beyond their range would
    // arrive as an infinity.
    const double result = double(value);
    if (!std::isfinite(result))
        return fault(QString::fromUtf8(kOverflowText));
    m_result = result;
    return CalcAnswer{true, result, format_number(result, kResultFormat)};
}

CalcAnswer UserCalculator::fault(const QString &message) const
{
    return CalcAnswer{false, m_starting_value, QStringLiteral("E (") + message + u')'};
}
