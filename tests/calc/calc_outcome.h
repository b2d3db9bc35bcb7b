#pragma once
// What a formula comes to, for tables of formulas: a value, a refusal when it is
// assigned, or an arithmetic fault when it is evaluated.

#include "calc/calcexpress.h"

#include <QString>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

struct CalcOutcome {
    enum Kind { Exact, Near, Rejected, Fails };
    Kind kind = Exact;
    long double value = 0;
    QString message;
};

inline CalcOutcome exact(long double value)
{
    return {CalcOutcome::Exact, value, {}};
}

inline CalcOutcome near(long double value)
{
    return {CalcOutcome::Near, value, {}};
}

inline CalcOutcome rejected()
{
    return {CalcOutcome::Rejected, 0, QString::fromUtf8(kFormulaErrorText)};
}

inline CalcOutcome fails(const char *message)
{
    return {CalcOutcome::Fails, 0, QString::fromUtf8(message)};
}

inline CalcOutcome run_formula(const QString &formula, const QStringList &variables,
                               const std::vector<long double> &values, QChar separator)
{
    TCalcExpress calc(separator);
    calc.set_variables(variables);
    try {
        calc.set_formula(formula);
    } catch (const CalcError &error) {
        return {CalcOutcome::Rejected, 0, error.message()};
    }
    try {
        return {CalcOutcome::Exact, calc.evaluate(values), {}};
    } catch (const CalcError &error) {
        return {CalcOutcome::Fails, 0, error.message()};
    }
}

// A few units in the last place of the 64-bit significand.
inline bool close_enough(long double actual, long double expected)
{
    const long double scale = std::fmax(1.0L, std::fabs(expected));
    return std::fabs(actual - expected) <= 16 * std::numeric_limits<long double>::epsilon() * scale;
}

inline void expect_outcome(const CalcOutcome &actual, const CalcOutcome &expected)
{
    switch (expected.kind) {
    case CalcOutcome::Exact:
    case CalcOutcome::Near:
        ASSERT_EQ(actual.kind, CalcOutcome::Exact) << actual.message.toStdString();
        if (expected.kind == CalcOutcome::Exact)
            EXPECT_EQ(actual.value, expected.value);
        else
            EXPECT_TRUE(close_enough(actual.value, expected.value))
                << actual.value << " is not " << expected.value;
        break;
    case CalcOutcome::Rejected:
    case CalcOutcome::Fails:
        EXPECT_EQ(actual.kind, expected.kind) << "value " << actual.value;
        EXPECT_EQ(actual.message.toStdString(), expected.message.toStdString());
        break;
    }
}
