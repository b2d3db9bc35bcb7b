#include "calc/calc_arithmetic.h"

#include "calc/calc_error.h"

#include <QtGlobal>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>

static_assert(std::numeric_limits<long double>::digits == 64,
              "the evaluator computes in the 80-bit extended format");

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;
// The x87 unit gives up reducing the argument of sine and cosine from here on.
constexpr long double kTrigLimit = 0x1p63L;
constexpr long double kLargestRepeatedExponent = 2147483647.0L;

[[noreturn]] void fault(const char *message)
{
    throw CalcError(message);
}

long double add(long double a, long double b)
{
    return calc_checked(a + b);
}

long double subtract(long double a, long double b)
{
    return calc_checked(a - b);
}

long double multiply(long double a, long double b)
{
    return calc_checked(a * b);
}

long double divide(long double a, long double b)
{
    if (b == 0)
        fault(a == 0 ? kInvalidOperationText : kDivisionByZeroText);
    return calc_checked(a / b);
}

long double ln(long double x)
{
    if (x == 0)
        fault(kDivisionByZeroText);
    if (x < 0)
        fault(kInvalidOperationText);
    return logl(x);
}

long double exponential(long double x)
{
    return calc_checked(expl(x));
}

long double whole_power(long double base, std::uint32_t exponent)
{
    long double result = 1;
    for (;;) {
        if (exponent & 1)
            result = multiply(result, base);
        exponent >>= 1;
        if (exponent == 0)
            return result;
        base = multiply(base, base);
    }
}

long double power(long double a, long double b)
{
    if (b == 0)
        return 1;
    if (a == 0 && b > 0)
        return 0;
    if (b == truncl(b) && fabsl(b) <= kLargestRepeatedExponent) {
        const long double result = whole_power(a, static_cast<std::uint32_t>(fabsl(b)));
        return b < 0 ? divide(1, result) : result;
    }
    return exponential(multiply(b, ln(a)));
}

long double trigonometric(long double (*function)(long double), long double x)
{
    return fabsl(x) >= kTrigLimit ? 0 : function(x);
}

long double inverse_trigonometric(long double (*function)(long double), long double x)
{
    if (fabsl(x) > 1)
        fault(kInvalidOperationText);
    return function(x);
}

// The hyperbolic functions are built from e^x and e^-x as they stand, so both must fit
// the extended range even where the function's own value is small.
struct ExpPair {
    long double plus;
    long double minus;
};

ExpPair exp_pair(long double x)
{
    return {exponential(x), exponential(-x)};
}

} // namespace

long double calc_checked(long double value)
{
    if (std::isnan(value))
        fault(kInvalidOperationText);
    if (std::isinf(value))
        fault(kOverflowText);
    return value;
}

long double calc_unary(CalcNodeKind kind, long double x)
{
    switch (kind) {
    case CalcNodeKind::Negate:
        return -x;
    case CalcNodeKind::Cos:
        return trigonometric(cosl, x);
    case CalcNodeKind::Sin:
        return trigonometric(sinl, x);
    case CalcNodeKind::Tg:
        return calc_checked(tanl(x));
    case CalcNodeKind::Ctg:
        return divide(1, tanl(x));
    case CalcNodeKind::Abs:
        return fabsl(x);
    case CalcNodeKind::Sgn:
        return x < 0 ? -1 : x > 0 ? 1 : 0;
    case CalcNodeKind::Sqrt:
        if (x < 0)
            fault(kInvalidOperationText);
        return sqrtl(x);
    case CalcNodeKind::Ln:
        return ln(x);
    case CalcNodeKind::Exp:
        return exponential(x);
    case CalcNodeKind::Arcsin:
        return inverse_trigonometric(asinl, x);
    case CalcNodeKind::Arccos:
        return inverse_trigonometric(acosl, x);
    case CalcNodeKind::Arctg:
        return atanl(x);
    case CalcNodeKind::Arcctg:
        return kPi / 2 - atanl(x);
    case CalcNodeKind::Sh: {
        const ExpPair e = exp_pair(x);
        return divide(subtract(e.plus, e.minus), 2);
    }
    case CalcNodeKind::Ch: {
        const ExpPair e = exp_pair(x);
        return divide(add(e.plus, e.minus), 2);
    }
    case CalcNodeKind::Th: {
        const ExpPair e = exp_pair(x);
        return divide(subtract(e.plus, e.minus), add(e.plus, e.minus));
    }
    case CalcNodeKind::Cth: {
        const ExpPair e = exp_pair(x);
        return divide(add(e.plus, e.minus), subtract(e.plus, e.minus));
    }
    case CalcNodeKind::Heaviside:
        return x >= 0 ? 1 : 0;
    default:
        break;
    }
    Q_ASSERT_X(false, "calc_unary", "not a function or a negation");
    return x;
}

long double calc_binary(CalcNodeKind kind, long double a, long double b)
{
    switch (kind) {
    case CalcNodeKind::Add:
        return add(a, b);
    case CalcNodeKind::Subtract:
        return subtract(a, b);
    case CalcNodeKind::Multiply:
        return multiply(a, b);
    case CalcNodeKind::Divide:
        return divide(a, b);
    case CalcNodeKind::Power:
        return power(a, b);
    default:
        break;
    }
    Q_ASSERT_X(false, "calc_binary", "not an operator");
    return a;
}
