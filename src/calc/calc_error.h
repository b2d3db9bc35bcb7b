#pragma once
// The one error the evaluator raises, for a rejected formula and for an arithmetic fault
// alike.  Its message is the text the calculator shows to the user.

#include <QString>
#include <stdexcept>

inline constexpr char kFormulaErrorText[] = "Error in formula.";
inline constexpr char kInvalidOperationText[] = "Invalid floating point operation";
inline constexpr char kDivisionByZeroText[] = "Floating point division by zero";
inline constexpr char kOverflowText[] = "Floating point overflow";
inline constexpr char kMissingValueText[] = "Chybí hodnota proměnné.";

class CalcError : public std::runtime_error {
public:
    explicit CalcError(const char *utf8_message) : std::runtime_error(utf8_message) {}

    QString message() const { return QString::fromUtf8(what()); }
};

// Every syntax error of a formula ends here.
[[noreturn]] inline void reject_formula()
{
    throw CalcError(kFormulaErrorText);
}
