#pragma once
// Splits a lower-cased formula into tokens.  A minus directly followed by a digit at the
// start of the formula or after "(" is part of a negative number, not an operator.

#include "calc/calc_node.h"

#include <QString>
#include <QStringList>

enum class CalcToken {
    Start,
    End,
    LeftParen,
    RightParen,
    Plus,
    Minus,
    Times,
    Slash,
    Caret,
    Number,
    Variable,
    Function,
};

// Whether a formula can refer to `name` as a variable: a letter a to z (either case) or "_",
// then letters, digits and "_", and no function's name.
bool is_variable_name(QStringView name);

class CalcLexer {
public:
    // Identifiers that are not functions are resolved against `variables` at once, letter
    // case ignored, the first equal entry winning.
    CalcLexer(const QString &text, QChar decimal_separator, const QStringList &variables);

    // Throws CalcError on a character no token may hold, on a malformed number and on an
    // identifier that is neither a function nor a variable.
    void next();

    CalcToken token() const { return m_token; }
    long double number() const { return m_number; }
    int variable() const { return m_variable; }
    CalcNodeKind function() const { return m_function; }

private:
    void read_number();
    void read_identifier();
    bool digit_at(qsizetype pos) const;

    const QString &m_text;
    const QChar m_separator;
    const QStringList &m_variables;
    qsizetype m_pos = 0;
    CalcToken m_token = CalcToken::Start;
    long double m_number = 0;
    int m_variable = 0;
    CalcNodeKind m_function = CalcNodeKind::Cos;
};
