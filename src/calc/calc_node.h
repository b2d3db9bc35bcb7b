#pragma once
// A parsed formula: its expression tree stored in postfix order, every operator after its
// operands and a left operand's nodes before its right operand's.  Evaluating is then one
// pass with a value stack, so neither a deep tree nor its destruction needs recursion, and a
// tree that failed half-way is freed with the vector that holds it.

#include <vector>

// The binary operators come first (see is_binary).
enum class CalcNodeKind : unsigned char {
    Add,
    Subtract,
    Multiply,
    Divide,
    Power,
    Number,
    Variable,
    Negate,
    Cos,
    Sin,
    Tg,
    Ctg,
    Abs,
    Sgn,
    Sqrt,
    Ln,
    Exp,
    Arcsin,
    Arccos,
    Arctg,
    Arcctg,
    Sh,
    Ch,
    Th,
    Cth,
    Heaviside,
};

inline bool is_binary(CalcNodeKind kind)
{
    return kind <= CalcNodeKind::Power;
}

struct CalcNode {
    CalcNodeKind kind;
    long double number = 0; // of a Number node, converted once while parsing
    int variable = 0;       // of a Variable node: its position in the variable list
};

using CalcProgram = std::vector<CalcNode>;
