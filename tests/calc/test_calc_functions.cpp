#include "calc/calcexpress.h"
#include "calc_outcome.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

struct FunctionCase {
    std::vector<const char *> names;
    long double (*reference)(long double);
    std::vector<long double> points;
};

const std::vector<long double> kGeneralPoints = {-2.5L, -0.5L, 0, 0.25L, 1, 3};
const std::vector<long double> kNonZeroPoints = {-2.5L, -0.5L, 0.25L, 1, 3};

long double sign_of(long double x)
{
    if (x == 0)
        return 0;
    return x < 0 ? -1 : 1;
}

TEST(CalcFunctions, AgreeWithLibraryAtSamplePoints)
{
    const std::vector<FunctionCase> table = {
        {{"cos"}, cosl, kGeneralPoints},
        {{"sin"}, sinl, kGeneralPoints},
        {{"tg"}, tanl, kGeneralPoints},
        {{"ctg"}, [](long double x) { return 1 / tanl(x); }, kNonZeroPoints},
        {{"abs"}, fabsl, kGeneralPoints},
        {{"sgn", "sign"}, sign_of, kGeneralPoints},
        {{"sqrt"}, sqrtl, {0, 0.25L, 2, 10}},
        {{"ln"}, logl, {0.25L, 1, 2, 10}},
        {{"exp"}, expl, kGeneralPoints},
        {{"arcsin"}, asinl, {-1, -0.5L, 0, 0.3L, 1}},
        {{"arccos"}, acosl, {-1, -0.5L, 0, 0.3L, 1}},
        {{"arctg", "arctan"}, atanl, kGeneralPoints},
        {{"arcctg"}, [](long double x) { return kPi / 2 - atanl(x); }, kGeneralPoints},
        {{"sh", "sinh"}, sinhl, kGeneralPoints},
        {{"ch", "cosh"}, coshl, kGeneralPoints},
        {{"th", "tanh"}, tanhl, kGeneralPoints},
        {{"cth", "coth"}, [](long double x) { return 1 / tanhl(x); }, kNonZeroPoints},
        {{"heaviside", "hs"},
         [](long double x) -> long double { return x >= 0 ? 1 : 0; },
         kGeneralPoints},
    };
    for (const FunctionCase &function : table) {
        for (const char *name : function.names) {
            for (long double x : function.points) {
                SCOPED_TRACE(std::string(name) + "(" + std::to_string(double(x)) + ")");
                expect_outcome(run_formula(QString(name) + "(x)", {"x"}, {x}, u','),
                               near(function.reference(x)));
            }
        }
    }
}

TEST(CalcFunctions, DomainsAndRanges)
{
    const long double two63 = 0x1p63L;
    const std::vector<std::tuple<const char *, long double, CalcOutcome>> table = {
        {"cos", two63, exact(0)},
        {"sin", -two63, exact(0)},
        {"sin", 1e30L, exact(0)},
        {"cos", 9e18L, near(cosl(9e18L))},
        {"ctg", 0, fails(kDivisionByZeroText)},
        {"cth", 0, fails(kDivisionByZeroText)},
        {"th", 0, exact(0)},
        {"sh", 0, exact(0)},
        {"ch", 0, exact(1)},
        {"arcsin", 1.0001L, fails(kInvalidOperationText)},
        {"arccos", -1.5L, fails(kInvalidOperationText)},
        {"arcsin", 1, near(kPi / 2)},
        {"arccos", -1, near(kPi)},
        {"arcctg", 1e30L, near(0)},
        {"arcctg", -1e30L, near(kPi)},
        {"sqrt", -1e-30L, fails(kInvalidOperationText)},
        {"ln", 0, fails(kDivisionByZeroText)},
        {"exp", -20000, exact(0)},
        {"exp", 20000, fails(kOverflowText)},
        // e^x and e^-x are both computed, so large arguments overflow either way.
        {"sh", -20000, fails(kOverflowText)},
        {"ch", 12000, fails(kOverflowText)},
        {"th", 11000, exact(1)},
        {"th", 20000, fails(kOverflowText)},
        {"cth", -20000, fails(kOverflowText)},
        {"hs", -1e-30L, exact(0)},
        {"sgn", 1e-4000L, exact(1)},
    };
    for (const auto &[name, x, expected] : table) {
        SCOPED_TRACE(std::string(name) + "(" + std::to_string(double(x)) + ")");
        expect_outcome(run_formula(QString(name) + "(x)", {"x"}, {x}, u','), expected);
    }
}

TEST(CalcFunctions, ValuesThatAreNotNumbersAreFaults)
{
    const long double infinity = std::numeric_limits<long double>::infinity();
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    expect_outcome(run_formula("x*0", {"x"}, {infinity}, u','), fails(kOverflowText));
    expect_outcome(run_formula("cos(x)", {"x"}, {nan}, u','), fails(kInvalidOperationText));
}

} // namespace
