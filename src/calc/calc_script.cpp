#include "calc/calc_script.h"

#include "calc/calc_lexer.h"

#include <QSet>

namespace {

// Enough for any formula written by hand; a longer text would fill the window with itself.
constexpr qsizetype kLongestShownText = 200;

QString shortened(const QString &text)
{
    if (text.size() <= kLongestShownText)
        return text;
    qsizetype length = kLongestShownText;
    if (text.at(length - 1).isHighSurrogate())
        --length;
    return text.left(length) + u'…';
}

QString without_quotes(QString text)
{
    text.remove(u'"');
    text.remove(u'\'');
    return text;
}

QString tidied(const QString &text)
{
    return without_quotes(text).simplified();
}

QStringList script_lines(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    return text.split(u'\n');
}

class ScriptReader {
public:
    CalcScript read(const QString &text)
    {
        for (const QString &line : script_lines(text)) {
            if (read_line(line))
                break;
        }
        if (m_too_many)
            add_error(QStringLiteral("Kalkulátor může mít nejvýše %1 proměnných.")
                          .arg(kMaxCalcVariables));
        if (!m_script.formula)
            add_error(QStringLiteral("Kalkulátor nemá vzorec: napište ho na řádek pod řádkem "
                                     "FORMULA."));
        return std::move(m_script);
    }

private:
    enum class Section { Preamble, Variables, Formula };

    // True once the formula is read: nothing after it counts.
    bool read_line(const QString &text)
    {
        QString line = text.trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            return false;
        line = line.left(line.indexOf(u';')).trimmed();
        const QString bare = without_quotes(line).trimmed();

        if (bare.startsWith(QLatin1String("title:"), Qt::CaseInsensitive)) {
            m_script.title = tidied(bare.mid(6));
        } else if (bare.startsWith(QLatin1String("var"), Qt::CaseInsensitive)) {
            m_section = Section::Variables;
        } else if (bare.startsWith(QLatin1String("formula"), Qt::CaseInsensitive)) {
            m_section = Section::Formula;
        } else if (m_section == Section::Formula) {
            m_script.formula = line;
            return true;
        } else if (m_section == Section::Variables) {
            read_variable(bare);
        }
        return false;
    }

    void read_variable(const QString &line)
    {
        const qsizetype colon = line.indexOf(u':');
        if (colon < 1)
            return;
        if (int(m_script.variables.size()) == kMaxCalcVariables) {
            m_too_many = true;
            return;
        }
        const QString hint = line.left(colon);
        const QString name = tidied(hint);
        if (!is_variable_name(name)) {
            add_error(QStringLiteral("Proměnnou „%1“ nelze ve vzorci použít: název smí mít jen "
                                     "písmena a–z bez diakritiky, číslice a podtržítko, nesmí "
                                     "začínat číslicí a nesmí se jmenovat jako funkce.")
                          .arg(shortened(name)));
        } else if (!m_names.contains(name.toLower())) {
            m_names.insert(name.toLower());
        } else {
            // The formula would only ever see the first of the two inputs.
            add_error(QStringLiteral("Proměnná „%1“ je uvedena dvakrát.").arg(shortened(name)));
        }
        m_script.variables.push_back({name, tidied(line.mid(colon + 1)), hint});
    }

    void add_error(const QString &error) { m_script.errors.append(error); }

    CalcScript m_script;
    Section m_section = Section::Preamble;
    QSet<QString> m_names;
    bool m_too_many = false;
};

} // namespace

CalcScript parse_calc_script(const QString &text)
{
    return ScriptReader().read(text);
}

QString rejected_formula_text(const QString &formula)
{
    return QStringLiteral("Vzorec \"") + shortened(formula) + QStringLiteral("\" je chybný!");
}
