#include "calc/calc_parser.h"

#include "calc/calc_error.h"
#include "calc/calc_lexer.h"

namespace {

class CalcParser {
public:
    CalcParser(const QString &text, QChar decimal_separator, const QStringList &variables)
        : m_lexer(text, decimal_separator, variables)
    {
    }

    CalcProgram parse()
    {
        m_lexer.next();
        expression();
        // The expression stopped at a ")" that no "(" opened.
        if (token() != CalcToken::End)
            reject_formula();
        return std::move(m_program);
    }

private:
    CalcToken token() const { return m_lexer.token(); }

    void expect(CalcToken expected)
    {
        if (token() != expected)
            reject_formula();
        m_lexer.next();
    }

    void add_node(CalcNodeKind kind) { m_program.push_back({kind}); }

    // Every expression begins the formula or follows "(", so its first term may be signed.
    void expression()
    {
        term(true);
        while (token() == CalcToken::Plus || token() == CalcToken::Minus) {
            const CalcNodeKind kind =
                token() == CalcToken::Plus ? CalcNodeKind::Add : CalcNodeKind::Subtract;
            m_lexer.next();
            term(false);
            add_node(kind);
        }
        if (token() != CalcToken::End && token() != CalcToken::RightParen)
            reject_formula();
    }

    void term(bool sign_allowed)
    {
        bool negate = false;
        if (sign_allowed && token() == CalcToken::Minus) {
            negate = true;
            m_lexer.next();
            if (token() == CalcToken::Plus)
                m_lexer.next();
        } else if (sign_allowed && token() == CalcToken::Plus) {
            m_lexer.next();
        }
        factor();
        while (token() == CalcToken::Times || token() == CalcToken::Slash) {
            const CalcNodeKind kind =
                token() == CalcToken::Times ? CalcNodeKind::Multiply : CalcNodeKind::Divide;
            m_lexer.next();
            factor();
            add_node(kind);
        }
        if (negate)
            add_node(CalcNodeKind::Negate);
    }

    void factor()
    {
        primary();
        while (token() == CalcToken::Caret) {
            m_lexer.next();
            exponent();
            add_node(CalcNodeKind::Power);
        }
    }

    void exponent()
    {
        const bool enclosed = token() == CalcToken::LeftParen;
        if (enclosed)
            m_lexer.next();
        if (!try_operand())
            reject_formula();
        if (enclosed)
            expect(CalcToken::RightParen);
    }

    // Takes a number or a variable; returns false, taking nothing, at any other token.
    bool try_operand()
    {
        if (token() == CalcToken::Number)
            m_program.push_back({CalcNodeKind::Number, m_lexer.number()});
        else if (token() == CalcToken::Variable)
            m_program.push_back({CalcNodeKind::Variable, 0, m_lexer.variable()});
        else
            return false;
        m_lexer.next();
        return true;
    }

    void primary()
    {
        if (try_operand())
            return;
        if (token() == CalcToken::LeftParen) {
            parenthesised();
        } else if (token() == CalcToken::Function) {
            const CalcNodeKind function = m_lexer.function();
            m_lexer.next();
            if (token() != CalcToken::LeftParen)
                reject_formula();
            parenthesised();
            add_node(function);
        } else {
            reject_formula();
        }
    }

    void parenthesised()
    {
        if (++m_depth > kMaxFormulaNesting)
            reject_formula();
        m_lexer.next();
        expression();
        expect(CalcToken::RightParen);
        --m_depth;
    }

    CalcLexer m_lexer;
    CalcProgram m_program;
    int m_depth = 0;
};

} // namespace

CalcProgram parse_formula(const QString &text, QChar decimal_separator,
                          const QStringList &variables)
{
    return CalcParser(text, decimal_separator, variables).parse();
}
