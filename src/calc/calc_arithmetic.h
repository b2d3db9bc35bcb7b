#pragma once
// The evaluator's arithmetic in the 80-bit extended format.  The faults the floating-point
// unit would trap (an invalid operation, a division by zero, an overflow) are detected
// from the operands and results and thrown as CalcError; underflow and rounding stay
// silent.  Nothing depends on the floating-point environment, so no optimisation can
// move a fault past its check.

#include "calc/calc_node.h"

// A value entering or leaving an operation: a NaN is an invalid operation, an infinity
// an overflow.
long double calc_checked(long double value);

// Negation and the functions.
long double calc_unary(CalcNodeKind kind, long double x);

// The four operations and the power.
long double calc_binary(CalcNodeKind kind, long double a, long double b);
