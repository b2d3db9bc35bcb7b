#pragma once
// A user calculator loaded from its script, as its runner shows it: the title, one input
// per variable or else the red text of what is wrong with the script, and the result of
// the formula for the values typed.  The runner window only displays what this answers.

#include "calc/calc_script.h"
#include "calc/calcexpress.h"

#include <optional>

struct CalcAnswer {
    // False: `text` tells the fault, and the result stayed the starting value.
    bool computed = false;
    double value = 0;
    // "1 234,50" (two to four decimals), or "E (Floating point division by zero)".
    QString text;
};

class UserCalculator {
public:
    explicit UserCalculator(double starting_value = 0,
                            QChar decimal_separator = ::decimal_separator());

    // Replaces all that the previous script left: inputs, title and formula alike.
    void load(const QString &script);

    const std::optional<QString> &title() const { return m_script.title; }
    // The inputs to ask for, in the order compute() takes their values; none while the
    // script cannot be computed.
    const std::vector<CalcScriptVariable> &variables() const { return m_script.variables; }
    // Whether the result button and the result text are shown.
    bool can_compute() const { return m_can_compute; }
    // Shown in red instead of the inputs: each fault of the script on a line of its own.
    const QString &fault_text() const { return m_fault_text; }

    // One value per input.  Nothing when the script cannot be computed.
    std::optional<CalcAnswer> compute(const std::vector<double> &values);

    double starting_value() const { return m_starting_value; }
    // What the runner hands back when accepted: the last computed value, or the starting
    // value before any and after a fault.
    double result() const { return m_result; }

private:
    CalcAnswer fault(const QString &message) const;

    const double m_starting_value;
    const QChar m_decimal_separator;
    CalcScript m_script;
    TCalcExpress m_evaluator;
    bool m_can_compute = false;
    QString m_fault_text;
    double m_result;
};
