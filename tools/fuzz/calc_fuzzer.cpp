// libFuzzer target of the formula evaluator and of the calculator scripts around it.  Any
// text, parsed as a formula with either decimal separator and evaluated with several sets of
// values, must end in a number or in one of the evaluator's own errors; read as a calculator
// script it must give tidy names and prompts, inputs only when its formula was accepted, a
// fault text otherwise, and results that are finite numbers or "E (...)".  Never a crash, a
// hang, a leak or a value that is not finite.

#include "calc/calc_lexer.h"
#include "calc/calc_script.h"
#include "calc/calcexpress.h"
#include "calc/user_calculator.h"
#include "text/format_settings.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

const QStringList kVariables = {"x", "Y", "x", "_a1", "rate"};

const std::vector<std::vector<long double>> kValueSets = {
    {3, 5, 7, -2, 0.21L},
    {0, 0, 0, 0, 0},
    {-1.5L, 1e-4000L, 2, 1e4000L, -0.0L},
    {std::numeric_limits<long double>::max(), -1, 0.5L, 2147483647, 1},
};

// What a calculator's inputs can hold: the number fields give doubles.
const std::vector<double> kInputValues = {2, 0, -1.5, 1e308, 1e-300, 0.0001};

constexpr double kStartingValue = 3.25;

// A fault text is a few sentences per input and the formula's line, each with its names
// shortened; anything longer means a text went into a message whole.
constexpr qsizetype kLongestFaultText = (kMaxCalcVariables + 2) * 600;

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool is_fault_message(const char *message)
{
    for (const char *known : {kInvalidOperationText, kDivisionByZeroText, kOverflowText}) {
        if (std::strcmp(message, known) == 0)
            return true;
    }
    return false;
}

void evaluate_all(const TCalcExpress &calc)
{
    for (const std::vector<long double> &values : kValueSets) {
        try {
            require(std::isfinite(calc.evaluate(values)));
        } catch (const CalcError &error) {
            require(is_fault_message(error.what()));
        }
    }
}

void run_formula(const QString &formula, QChar separator)
{
    TCalcExpress calc(separator);
    calc.set_variables(kVariables);
    try {
        calc.set_formula(formula);
    } catch (const CalcError &error) {
        require(std::strcmp(error.what(), kFormulaErrorText) == 0);
        return;
    }
    evaluate_all(calc);

    // The same names in another order resolve again, and the formula stays valid.
    QStringList reversed = kVariables;
    std::reverse(reversed.begin(), reversed.end());
    calc.set_variables(reversed);
    evaluate_all(calc);
}

bool is_tidy(const QString &text)
{
    return !text.contains(u'"') && !text.contains(u'\'') && text == text.simplified();
}

void check_script(const CalcScript &script)
{
    require(int(script.variables.size()) <= kMaxCalcVariables);
    require(!script.title || is_tidy(*script.title));
    for (const CalcScriptVariable &variable : script.variables) {
        require(!variable.name.isEmpty());
        require(is_tidy(variable.name) && is_tidy(variable.prompt));
    }
    require(script.formula || !script.errors.isEmpty());
}

void compute_all(UserCalculator &calculator)
{
    for (const double value : kInputValues) {
        const std::vector<double> values(calculator.variables().size(), value);
        const std::optional<CalcAnswer> answer = calculator.compute(values);
        require(answer.has_value() == calculator.can_compute());
        if (!answer)
            continue;
        if (answer->computed) {
            require(std::isfinite(answer->value) && calculator.result() == answer->value);
            require(!answer->text.isEmpty() && !answer->text.startsWith(QLatin1String("E (")));
        } else {
            require(answer->text.startsWith(QLatin1String("E (")));
            require(calculator.result() == kStartingValue);
        }
    }
}

void run_script(const QString &text, QChar separator)
{
    set_decimal_separator(separator);
    check_script(parse_calc_script(text));

    UserCalculator calculator(kStartingValue, separator);
    calculator.load(text);
    require(calculator.can_compute() == calculator.fault_text().isEmpty());
    require(calculator.can_compute() || calculator.variables().empty());
    for (const CalcScriptVariable &variable : calculator.variables())
        require(is_variable_name(variable.name));
    require(calculator.fault_text().size() <= kLongestFaultText);
    compute_all(calculator);
    require(calculator.compute({}).has_value() == calculator.can_compute());

    // A script loaded after it starts from nothing that this one left.
    calculator.load(QStringLiteral("formula\n;none"));
    require(!calculator.can_compute() && calculator.result() == kStartingValue);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    for (const QChar separator : {QChar(u','), QChar(u'.')}) {
        run_formula(text, separator);
        run_script(text, separator);
    }
    return 0;
}
