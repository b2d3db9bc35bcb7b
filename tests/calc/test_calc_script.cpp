#include "calc/calc_script.h"

#include <gtest/gtest.h>

namespace {

struct Variable {
    const char *name;
    const char *prompt;
};

void expect_variables(const CalcScript &script, const std::vector<Variable> &expected)
{
    ASSERT_EQ(script.variables.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(script.variables[i].name, QString::fromUtf8(expected[i].name)) << i;
        EXPECT_EQ(script.variables[i].prompt, QString::fromUtf8(expected[i].prompt)) << i;
    }
}

TEST(CalcScript, ReadsTitleVariablesAndFormula)
{
    const CalcScript script =
        parse_calc_script("title: Plocha\nvar\na: strana a\nb: strana b\nformula\na*b");
    EXPECT_EQ(script.title, QString("Plocha"));
    expect_variables(script, {{"a", "strana a"}, {"b", "strana b"}});
    EXPECT_EQ(script.formula, QString("a*b"));
    EXPECT_TRUE(script.errors.isEmpty()) << script.errors.join('\n').toStdString();
}

TEST(CalcScript, SkipsRemarksAndEmptyLinesInEveryLineEnding)
{
    const CalcScript script =
        parse_calc_script("; a remark\r\n   ;indented remark\r\n\r\n  \tVAR ; inputs follow\r"
                          "x: zadej číslo ;the prompt ends before this\n"
                          "\r\nFormula;\n  x*2 ; doubled  \n");
    expect_variables(script, {{"x", "zadej číslo"}});
    EXPECT_EQ(script.formula, QString("x*2"));
}

TEST(CalcScript, TidiesNamesPromptsAndTitles)
{
    const CalcScript script = parse_calc_script("TiTlE:  \"Plocha   'obdélníku'\"  \n"
                                                "var\n"
                                                "  \"a\"  :   'strana'    \"a  \n"
                                                "b:\n"
                                                "formula\na*b");
    EXPECT_EQ(script.title, QString("Plocha obdélníku"));
    expect_variables(script, {{"a", "strana a"}, {"b", ""}});
    EXPECT_EQ(script.variables[0].hint, QString("a  ")) << "the name as written";
}

TEST(CalcScript, KeywordsAreMatchedAtTheStartOfALineOnly)
{
    const CalcScript script = parse_calc_script("x: before the inputs\n"
                                                "var\n"
                                                "VARIABLE: read as the keyword\n"
                                                "no colon here\n"
                                                ": no name\n"
                                                "y: a: b\n"
                                                "formulas\n"
                                                "title: Late\n"
                                                "y+1\n"
                                                "z: after the formula\n"
                                                "2*y\n");
    expect_variables(script, {{"y", "a: b"}});
    EXPECT_EQ(script.title, QString("Late"));
    EXPECT_EQ(script.formula, QString("y+1"));
    EXPECT_TRUE(script.errors.isEmpty()) << script.errors.join('\n').toStdString();
}

TEST(CalcScript, TitleIsAbsentOnlyWithoutATitleLine)
{
    EXPECT_FALSE(parse_calc_script("formula\n1").title.has_value());
    EXPECT_EQ(parse_calc_script("title:  ;vložte titulek\nformula\n1").title, QString(""));
}

TEST(CalcScript, WithoutAFormulaLineThereIsNoFormula)
{
    for (const char *text : {"", "title: x\nvar\na: b", "var\na: b\nformula\n; only a remark\n"}) {
        SCOPED_TRACE(text);
        const CalcScript script = parse_calc_script(QString::fromUtf8(text));
        EXPECT_FALSE(script.formula.has_value());
        ASSERT_EQ(script.errors.size(), 1);
        EXPECT_EQ(script.errors[0],
                  QString("Kalkulátor nemá vzorec: napište ho na řádek pod řádkem FORMULA."));
    }
}

TEST(CalcScript, UnbalancedQuotesAreDroppedLikeAnyOther)
{
    const CalcScript script =
        parse_calc_script("title: \"Plocha\nvar\nx: \"zadej číslo\ny: 'it''s\nformula\nx*y");
    EXPECT_EQ(script.title, QString("Plocha"));
    expect_variables(script, {{"x", "zadej číslo"}, {"y", "its"}});
    EXPECT_TRUE(script.errors.isEmpty());
}

TEST(CalcScript, NamesAFormulaCannotUseAreErrors)
{
    struct Case {
        const char *name;
        bool usable;
    };
    for (const Case &c : std::vector<Case>{{"x", true},
                                           {"Rate_2", true},
                                           {"_a1", true},
                                           {"č", false},
                                           {"délka", false},
                                           {"1a", false},
                                           {"strana a", false},
                                           {"a-b", false},
                                           {"SIN", false},
                                           {"hs", false}}) {
        SCOPED_TRACE(c.name);
        const CalcScript script =
            parse_calc_script(QString("var\n%1: value\nformula\n1").arg(QString::fromUtf8(c.name)));
        ASSERT_EQ(script.variables.size(), 1u);
        if (c.usable) {
            EXPECT_TRUE(script.errors.isEmpty());
        } else {
            ASSERT_EQ(script.errors.size(), 1);
            EXPECT_TRUE(script.errors[0].startsWith(
                QString("Proměnnou „%1“ nelze ve vzorci použít").arg(QString::fromUtf8(c.name))))
                << script.errors[0].toStdString();
        }
    }
}

TEST(CalcScript, AVariableDeclaredTwiceIsAnError)
{
    const CalcScript script = parse_calc_script("var\na: first\nA: second\nformula\na");
    ASSERT_EQ(script.errors.size(), 1);
    EXPECT_EQ(script.errors[0], QString("Proměnná „A“ je uvedena dvakrát."));
}

TEST(CalcScript, TenThousandInputLinesStopAtTheLimit)
{
    QString text = QStringLiteral("var\n");
    for (int i = 0; i < 10000; ++i)
        text += QStringLiteral("v%1: hodnota %1\n").arg(i);
    text += QStringLiteral("formula\nv0+v99\n");
    const CalcScript script = parse_calc_script(text);
    ASSERT_EQ(int(script.variables.size()), kMaxCalcVariables);
    EXPECT_EQ(script.variables.back().name, QString("v99"));
    EXPECT_EQ(script.formula, QString("v0+v99"));
    EXPECT_EQ(script.errors, QStringList{"Kalkulátor může mít nejvýše 100 proměnných."});
}

TEST(CalcScript, ALongNameIsShortenedInItsMessage)
{
    const QString name = QString(5000, u'ž');
    const CalcScript script = parse_calc_script("var\n" + name + ": x\nformula\n1");
    ASSERT_EQ(script.errors.size(), 1);
    EXPECT_LT(script.errors[0].size(), 400);
    EXPECT_TRUE(script.errors[0].contains(QString(200, u'ž') + u'…'));
}

TEST(CalcScript, RejectedFormulaText)
{
    EXPECT_EQ(rejected_formula_text("a*"), QString("Vzorec \"a*\" je chybný!"));
    const QString text = rejected_formula_text(QString(5000, u'('));
    EXPECT_EQ(text, "Vzorec \"" + QString(200, u'(') + "…\" je chybný!");
}

} // namespace
