#include "data/memtable_filter.h"

#include "text/format_settings.h"
#include "data/tdatetime.h"

#include <cmath>

namespace {

enum class Op { Equal, NotEqual, Less, Greater, LessOrEqual, GreaterOrEqual };

class Comparison final : public RowFilter {
public:
    Comparison(RowFilter::Column column, Op op, QString text, double number)
        : m_column(column), m_op(op), m_text(std::move(text)), m_number(number)
    {
    }

    bool matches(const std::vector<ColumnStore> &columns, int row) const override
    {
        const ColumnStore &store = columns[m_column.index];
        if (store.is_null(row))
            return false;
        int order = 0;
        switch (m_column.type) {
        case FieldType::Integer:
            order = compare(static_cast<double>(store.integer(row)), m_number);
            break;
        case FieldType::Float:
        case FieldType::DateTime:
            order = compare(store.number(row), m_number);
            break;
        case FieldType::Text:
            order = QString::compare(store.text(row), m_text);
            break;
        }
        switch (m_op) {
        case Op::Equal:
            return order == 0;
        case Op::NotEqual:
            return order != 0;
        case Op::Less:
            return order < 0;
        case Op::Greater:
            return order > 0;
        case Op::LessOrEqual:
            return order <= 0;
        case Op::GreaterOrEqual:
            return order >= 0;
        }
        return false;
    }

private:
    static int compare(double a, double b) { return a < b ? -1 : (a > b ? 1 : 0); }

    RowFilter::Column m_column;
    Op m_op;
    QString m_text;
    double m_number;
};

// Terms joined by one kind of junction side by side, so that a long chain of "and" terms
// is neither evaluated nor destroyed recursively; only parentheses nest.
class Junction final : public RowFilter {
public:
    Junction(bool all, std::vector<std::unique_ptr<RowFilter>> terms)
        : m_all(all), m_terms(std::move(terms))
    {
    }

    bool matches(const std::vector<ColumnStore> &columns, int row) const override
    {
        for (const auto &term : m_terms) {
            if (term->matches(columns, row) != m_all)
                return !m_all;
        }
        return m_all;
    }

private:
    bool m_all;
    std::vector<std::unique_ptr<RowFilter>> m_terms;
};

// filter  := term { ("or") term }
// term    := factor { ("and") factor }
// factor  := "(" filter ")" | name op 'value'
class Parser {
public:
    Parser(const QString &text, const RowFilter::ColumnResolver &resolve)
        : m_text(text), m_resolve(resolve)
    {
    }

    std::unique_ptr<RowFilter> parse()
    {
        auto result = parse_or();
        skip_spaces();
        if (!result || m_pos != m_text.size())
            return nullptr;
        return result;
    }

private:
    std::unique_ptr<RowFilter> parse_or()
    {
        return parse_junction(false, QStringLiteral("or"), &Parser::parse_and);
    }

    std::unique_ptr<RowFilter> parse_and()
    {
        return parse_junction(true, QStringLiteral("and"), &Parser::parse_factor);
    }

    std::unique_ptr<RowFilter> parse_junction(bool all, const QString &word,
                                              std::unique_ptr<RowFilter> (Parser::*parse_term)())
    {
        std::vector<std::unique_ptr<RowFilter>> terms;
        auto term = (this->*parse_term)();
        if (!term)
            return nullptr;
        terms.push_back(std::move(term));
        while (take_word(word)) {
            term = (this->*parse_term)();
            if (!term)
                return nullptr;
            terms.push_back(std::move(term));
        }
        if (terms.size() == 1)
            return std::move(terms.front());
        return std::make_unique<Junction>(all, std::move(terms));
    }

    std::unique_ptr<RowFilter> parse_factor()
    {
        skip_spaces();
        if (take(u'(')) {
            // A depth limit keeps hostile text from exhausting the stack.
            if (++m_depth > 64)
                return nullptr;
            auto inner = parse_or();
            --m_depth;
            skip_spaces();
            if (!inner || !take(u')'))
                return nullptr;
            return inner;
        }
        return parse_comparison();
    }

    std::unique_ptr<RowFilter> parse_comparison()
    {
        const QString name = take_name();
        if (name.isEmpty())
            return nullptr;
        const std::optional<RowFilter::Column> column = m_resolve(name);
        if (!column)
            return nullptr;
        skip_spaces();
        Op op;
        if (take_text(QStringLiteral("<=")))
            op = Op::LessOrEqual;
        else if (take_text(QStringLiteral(">=")))
            op = Op::GreaterOrEqual;
        else if (take_text(QStringLiteral("<>")))
            op = Op::NotEqual;
        else if (take(u'='))
            op = Op::Equal;
        else if (take(u'<'))
            op = Op::Less;
        else if (take(u'>'))
            op = Op::Greater;
        else
            return nullptr;
        skip_spaces();
        const std::optional<QString> value = take_quoted();
        if (!value)
            return nullptr;
        double number = 0.0;
        switch (column->type) {
        case FieldType::Integer:
        case FieldType::Float: {
            bool ok = false;
            QString plain = value->trimmed();
            plain.replace(u',', u'.');
            number = plain.toDouble(&ok);
            // "nan" and "inf" read as numbers, but no row could be compared with them.
            if (!ok || !std::isfinite(number))
                return nullptr;
            break;
        }
        case FieldType::DateTime: {
            const QDate date = parse_short_date(*value);
            if (!date.isValid())
                return nullptr;
            number = days_from_date(date);
            break;
        }
        case FieldType::Text:
            break;
        }
        return std::make_unique<Comparison>(*column, op, *value, number);
    }

    void skip_spaces()
    {
        while (m_pos < m_text.size() && m_text[m_pos].isSpace())
            ++m_pos;
    }

    bool take(char16_t c)
    {
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }

    bool take_text(const QString &token)
    {
        if (QStringView(m_text).mid(m_pos).startsWith(token)) {
            m_pos += token.size();
            return true;
        }
        return false;
    }

    bool take_word(const QString &word)
    {
        skip_spaces();
        const qsizetype end = m_pos + word.size();
        if (end >= m_text.size() ||
            QStringView(m_text).mid(m_pos, word.size()).compare(word, Qt::CaseInsensitive) != 0)
            return false;
        const QChar after = m_text[end];
        if (!after.isSpace() && after != u'(')
            return false;
        m_pos = end;
        return true;
    }

    QString take_name()
    {
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && (m_text[m_pos].isLetterOrNumber() || m_text[m_pos] == u'_'))
            ++m_pos;
        return m_text.mid(start, m_pos - start);
    }

    // 'value' with a doubled apostrophe standing for one.
    std::optional<QString> take_quoted()
    {
        if (!take(u'\''))
            return std::nullopt;
        QString value;
        while (m_pos < m_text.size()) {
            const QChar c = m_text[m_pos++];
            if (c != u'\'') {
                value += c;
                continue;
            }
            if (m_pos < m_text.size() && m_text[m_pos] == u'\'') {
                value += c;
                ++m_pos;
                continue;
            }
            return value;
        }
        return std::nullopt;
    }

    const QString &m_text;
    const RowFilter::ColumnResolver &m_resolve;
    qsizetype m_pos = 0;
    int m_depth = 0;
};

} // namespace

std::unique_ptr<RowFilter> RowFilter::parse(const QString &text, const ColumnResolver &resolve)
{
    return Parser(text, resolve).parse();
}
