#pragma once
// Reads a lower-cased formula into its postfix tree by recursive descent:
//   expression := term { ("+" | "-") term }
//   term       := [sign] factor { ("*" | "/") factor }   sign only at the start or after "("
//   factor     := primary { "^" exponent }                 grouped from the left
//   primary    := number | variable | "(" expression ")" | function "(" expression ")"
//   exponent   := number | variable | "(" (number | variable) ")"

#include "calc/calc_node.h"

#include <QString>
#include <QStringList>

// Parentheses nest at most this deep; deeper text is refused instead of exhausting the stack.
inline constexpr int kMaxFormulaNesting = 256;

// Throws CalcError("Error in formula.") for any syntax error.
CalcProgram parse_formula(const QString &text, QChar decimal_separator,
                          const QStringList &variables);
