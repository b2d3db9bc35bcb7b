#include "calc/calc_parser.h"
#include "calc/calcexpress.h"
#include "calc_outcome.h"

#include <gtest/gtest.h>
#include <numbers>

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

struct FormulaCase {
    const char *formula;
    CalcOutcome expected;
};

void expect_table(const std::vector<FormulaCase> &table, QChar separator)
{
    for (const FormulaCase &c : table) {
        SCOPED_TRACE(c.formula);
        expect_outcome(run_formula(QString::fromUtf8(c.formula), {"x", "y"}, {3, 5}, separator),
                       c.expected);
    }
}

TEST(CalcExpress, FormulasWithCommaSeparator)
{
    expect_table(
        {
            {"2+3*4", exact(14)},
            {"(2+3)*4", exact(20)},
            {"2^3^2", exact(64)},
            {"-2^2", exact(4)},
            {"- 2^2", exact(-4)},
            {"-x^2", exact(-9)},
            {"(-x)^2", exact(9)},
            {"2^(-1)", exact(0.5L)},
            {"2^-1", rejected()},
            {"2^(1+1)", rejected()},
            {"2*-3", rejected()},
            {"2*(-3)", exact(-6)},
            {"--2", rejected()},
            {"+-2", rejected()},
            {"-+2", exact(-2)},
            {"0^0", exact(1)},
            {"0^(-1)", fails(kDivisionByZeroText)},
            {"(-8)^2", exact(64)},
            {"(-8)^0,5", fails(kInvalidOperationText)},
            {"SIN(0)", exact(0)},
            {"sin 0", rejected()},
            {"hs(0)", exact(1)},
            {"sgn(-5)", exact(-1)},
            {"arcctg(0)", near(kPi / 2)},
            {"arcctg(-1)", near(3 * kPi / 4)},
            {"1/0", fails(kDivisionByZeroText)},
            {"0/0", fails(kInvalidOperationText)},
            {"sqrt(-1)", fails(kInvalidOperationText)},
            {"ln(-1)", fails(kInvalidOperationText)},
            {"ln(0)", fails(kDivisionByZeroText)},
            {"th(20000)", fails(kOverflowText)},
            {"2,5*2", exact(5)},
            {"2.5*2", rejected()},
            {"1,5e3", exact(1500)},
            {"1e-3", exact(0.001L)},
            {"1e", rejected()},
            {"1,", rejected()},
            {"2 3", rejected()},
            {"2x", rejected()},
            {"()", rejected()},
            {"(2+3", rejected()},
            {"2+3)", rejected()},
            {"x^y", exact(243)},
            {"X*Y", exact(15)},
        },
        u',');
}

TEST(CalcExpress, FormulasWithPointSeparator)
{
    expect_table(
        {
            {"2.5*2", exact(5)},
            {"2,5*2", rejected()},
            {"1.5e3", exact(1500)},
            {"1,5e3", rejected()},
            {"1e-3", exact(0.001L)},
            {"1.", rejected()},
            {"1,", rejected()},
            {"(-8)^0.5", fails(kInvalidOperationText)},
            {"(-8)^0,5", rejected()},
            {"-2.5^2", exact(6.25L)},
            {"2^(-1)", exact(0.5L)},
        },
        u'.');
}

TEST(CalcExpress, TokensAndGrammar)
{
    expect_table(
        {
            // Only the space separates tokens.
            {"  2 +  3  ", exact(5)},
            {"2\t+3", rejected()},
            {"2+3\n", rejected()},
            {"", rejected()},
            {"   ", rejected()},
            // A sign only begins a term at the start or after "(".
            {"-(2+3)", exact(-5)},
            {"(+2)", exact(2)},
            {"+x", exact(3)},
            {"- x*y", exact(-15)},
            {"-x*y/5", exact(-3)},
            {"2 -3", exact(-1)},
            {"2+-3", rejected()},
            {"2-(-3)", exact(5)},
            {"2-(- 3)", exact(5)},
            {"-(-2)", exact(2)},
            {"++2", rejected()},
            {"-+-2", rejected()},
            {"sin(-x)", near(sinl(-3))},
            // Functions need their parentheses.
            {"sin (0)", exact(0)},
            {"sin", rejected()},
            {"sin()", rejected()},
            // The exponent is a number or a variable, in at most one pair of parentheses.
            {"2^x", exact(8)},
            {"2^(x)", exact(8)},
            {"2^(-x)", rejected()},
            {"2^(- 1)", rejected()},
            {"2^((2))", rejected()},
            {"2^sin(0)", rejected()},
            {"2^+1", rejected()},
            {"x^-y", rejected()},
            // No operand without its operator, no operator without its operands.
            {"(2)(3)", rejected()},
            {"2(3)", rejected()},
            {"x y", rejected()},
            {"*2", rejected()},
            {"2*", rejected()},
            {"2**3", rejected()},
            {")(", rejected()},
            // Number forms.
            {"1e+3", exact(1000)},
            {"1E3", exact(1000)},
            {"1e+", rejected()},
            {"1,e3", rejected()},
            {",5", rejected()},
            {"1,5,5", rejected()},
            {"1e3,5", rejected()},
            // Names: unknown ones and letters beyond a to z are refused.
            {"z+1", rejected()},
            {"_", rejected()},
            {"čas", rejected()},
            {"x²", rejected()},
        },
        u',');
}

TEST(CalcExpress, ExtendedPrecisionArithmetic)
{
    expect_table(
        {
            // Both need all 64 bits of the extended significand.
            {"3^40", exact(12157665459056928801.0L)},
            {"2^63+1-2^63", exact(1)},
            {"(-2)^3", exact(-8)},
            {"(-2)^(-3)", exact(-0.125L)},
            {"(-1)^2147483647", exact(-1)},
            {"0^0,5", exact(0)},
            {"0^(-0,5)", fails(kDivisionByZeroText)},
            {"4^0,5", near(2)},
            {"2^2147483647", fails(kOverflowText)},
            {"1^2147483648", exact(1)},
            // Beyond the repeated multiplication the power goes through the logarithm.
            {"(-1)^2147483648", fails(kInvalidOperationText)},
            {"1e5000", fails(kOverflowText)},
            {"1e-5000", exact(0)},
            {"exp(11356)", near(expl(11356))},
            {"exp(11357)", fails(kOverflowText)},
            {"10^4000*10^4000", fails(kOverflowText)},
            {"x/(y-5)", fails(kDivisionByZeroText)},
            {"(x-3)/(y-5)", fails(kInvalidOperationText)},
        },
        u',');
}

TEST(CalcExpress, NewEvaluatorHoldsZero)
{
    const TCalcExpress calc;
    EXPECT_EQ(calc.formula(), "0");
    EXPECT_TRUE(calc.variables().isEmpty());
    EXPECT_EQ(calc.evaluate({}), 0);
}

TEST(CalcExpress, FaultLeavesTreeForNextValues)
{
    TCalcExpress calc;
    calc.set_variables({"x"});
    calc.set_formula("1/x");
    try {
        calc.evaluate({0});
        FAIL() << "division by zero not reported";
    } catch (const CalcError &error) {
        EXPECT_EQ(error.message(), kDivisionByZeroText);
    }
    EXPECT_EQ(calc.evaluate({4}), 0.25L);
}

TEST(CalcExpress, RejectedFormulaIsKeptAndRefusedAgainByEvaluate)
{
    for (const char *refused : {"SQRT(4", "z+1", "x+", "2)", "sin 3", ""}) {
        SCOPED_TRACE(refused);
        TCalcExpress calc;
        calc.set_variables({"x"});
        calc.set_formula("2+2");
        EXPECT_THROW(calc.set_formula(refused), CalcError);
        EXPECT_EQ(calc.formula(), QString(refused).toLower());
        try {
            calc.evaluate({1});
            ADD_FAILURE() << "a refused formula was evaluated";
        } catch (const CalcError &error) {
            EXPECT_EQ(error.message(), kFormulaErrorText);
        }
        calc.set_formula("Sqrt(4)");
        EXPECT_EQ(calc.evaluate({1}), 2);
    }
}

TEST(CalcExpress, NewVariableListResolvesNamesAgain)
{
    TCalcExpress calc;
    calc.set_variables({"x", "y"});
    calc.set_formula("x-y");
    EXPECT_EQ(calc.evaluate({10, 4}), 6);
    calc.set_variables({"y", "x"});
    EXPECT_EQ(calc.evaluate({10, 4}), -6);
}

TEST(CalcExpress, NamesIgnoreCaseAndFirstEntryWins)
{
    TCalcExpress calc;
    calc.set_variables({"Sazba", "SAZBA", "x"});
    calc.set_formula("sazba*X");
    EXPECT_EQ(calc.evaluate({2, 100, 7}), 14);
}

TEST(CalcExpress, VariableListWithoutFormulaNamesIsRefused)
{
    TCalcExpress calc;
    calc.set_variables({"x"});
    calc.set_formula("x*2");
    EXPECT_THROW(calc.set_variables({"y"}), CalcError);
    EXPECT_EQ(calc.variables(), QStringList{"y"});
    EXPECT_THROW(calc.evaluate({1}), CalcError);
}

TEST(CalcExpress, DirectListChangesWaitForNextFormula)
{
    TCalcExpress calc;
    calc.set_variables({"a", "b"});
    calc.set_formula("b");
    calc.clear_variables();
    calc.add_variable("b");
    EXPECT_EQ(calc.evaluate({1, 2}), 2);
    try {
        calc.evaluate({7});
        FAIL() << "a value beyond the list was read";
    } catch (const CalcError &error) {
        EXPECT_EQ(error.message(), QString::fromUtf8(kMissingValueText));
    }
    calc.set_formula(calc.formula());
    EXPECT_EQ(calc.evaluate({7}), 7);
}

TEST(CalcExpress, SeparatorAppliesToNextFormula)
{
    TCalcExpress calc;
    calc.set_formula("2,5");
    calc.set_decimal_separator(u'.');
    EXPECT_EQ(calc.evaluate({}), 2.5L);
    EXPECT_THROW(calc.set_formula("2,5"), CalcError);
    calc.set_formula("2.5");
    EXPECT_EQ(calc.evaluate({}), 2.5L);
}

TEST(CalcExpress, DeepNestingIsRefusedNotOverflowingStack)
{
    const auto nested = [](int depth, const QString &open) {
        return open.repeated(depth) + "1" + QString(")").repeated(depth);
    };
    TCalcExpress calc;
    calc.set_formula(nested(kMaxFormulaNesting, "("));
    EXPECT_EQ(calc.evaluate({}), 1);
    calc.set_formula(nested(kMaxFormulaNesting, "-("));
    EXPECT_EQ(calc.evaluate({}), 1);

    for (const QString &open : {QString("("), QString("sin("), QString("-(")}) {
        SCOPED_TRACE(open.toStdString());
        EXPECT_THROW(calc.set_formula(nested(kMaxFormulaNesting + 1, open)), CalcError);
        EXPECT_THROW(calc.set_formula(nested(200000, open)), CalcError);
        EXPECT_THROW(calc.set_formula(open.repeated(200000)), CalcError);
    }
}

TEST(CalcExpress, LongChainsNeedNoRecursion)
{
    const int terms = 300000;
    TCalcExpress calc;
    calc.set_formula(QString("1+").repeated(terms - 1) + "1");
    EXPECT_EQ(calc.evaluate({}), terms);
    calc.set_formula("1" + QString("^1").repeated(terms));
    EXPECT_EQ(calc.evaluate({}), 1);
}

} // namespace
