// libFuzzer target of the formula evaluator.  Any text, parsed with either decimal
// separator and evaluated with several sets of values, must end in a number or in one of
// the evaluator's own errors: never a crash, a hang, a leak or a value that is not finite.

#include "calc/calcexpress.h"

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

void run(const QString &formula, QChar separator)
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString formula =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    run(formula, u',');
    run(formula, u'.');
    return 0;
}
