#include "calc/user_calculator.h"

#include "calc/calc_error.h"
#include "text/format_settings.h"

#include <gtest/gtest.h>

namespace {

const QString kArea = QStringLiteral("title: Plocha\nvar\na: strana a\nb: strana b\nformula\na*b");

// The result format and the formulas' numbers follow the separator, which the tests fix.
class UserCalculatorTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_saved = decimal_separator();
        set_decimal_separator(u',');
    }
    void TearDown() override { set_decimal_separator(m_saved); }

    QChar m_saved;
};

TEST_F(UserCalculatorTest, AreaOfARectangle)
{
    UserCalculator calculator(0, u',');
    calculator.load(kArea);
    ASSERT_TRUE(calculator.can_compute()) << calculator.fault_text().toStdString();
    EXPECT_EQ(calculator.title(), QString("Plocha"));
    ASSERT_EQ(calculator.variables().size(), 2u);
    EXPECT_EQ(calculator.variables()[1].prompt, QString("strana b"));

    const std::optional<CalcAnswer> answer = calculator.compute({2, 3});
    ASSERT_TRUE(answer);
    EXPECT_TRUE(answer->computed);
    EXPECT_EQ(answer->value, 6);
    EXPECT_EQ(answer->text, QString("6,00"));
    EXPECT_EQ(calculator.result(), 6);
}

TEST_F(UserCalculatorTest, ResultsShowTwoToFourDecimalsInGroupsOfThree)
{
    struct Case {
        double a;
        double b;
        const char *text;
    };
    UserCalculator calculator(0, u',');
    calculator.load(QStringLiteral("var\na: a\nb: b\nformula\na/b"));
    for (const Case &c : std::vector<Case>{{6, 1, "6,00"},
                                           {1234.5, 1, "1 234,50"},
                                           {1, 3, "0,3333"},
                                           {1, 8, "0,125"},
                                           {-1, 2, "-0,50"},
                                           {1e12, 1, "1 000 000 000 000,00"},
                                           {1, 1e6, "0,00"}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(calculator.compute({c.a, c.b})->text, QString(c.text));
    }
}

TEST_F(UserCalculatorTest, AFaultLeavesTheStartingValue)
{
    struct Case {
        const char *formula;
        double a;
        const char *text;
    };
    for (const Case &c : std::vector<Case>{{"1/a", 0, "E (Floating point division by zero)"},
                                           {"sqrt(a)", -1, "E (Invalid floating point operation)"},
                                           {"th(a)", 20000, "E (Floating point overflow)"},
                                           // Finite as an extended number, not as a double.
                                           {"exp(a)", 1000, "E (Floating point overflow)"}}) {
        SCOPED_TRACE(c.formula);
        UserCalculator calculator(7.5, u',');
        calculator.load(QStringLiteral("var\na: a\nformula\n") + c.formula);
        ASSERT_TRUE(calculator.compute({2}));
        ASSERT_NE(calculator.result(), 7.5) << "a value computed before the fault";
        const std::optional<CalcAnswer> answer = calculator.compute({c.a});
        ASSERT_TRUE(answer);
        EXPECT_FALSE(answer->computed);
        EXPECT_EQ(answer->text, QString(c.text));
        EXPECT_EQ(calculator.result(), 7.5);
    }
}

TEST_F(UserCalculatorTest, ARejectedFormulaShowsTheRedLineAndNoInputs)
{
    UserCalculator calculator(4, u',');
    calculator.load(QStringLiteral("var\na: a\nformula\n a*  ; a remark"));
    EXPECT_FALSE(calculator.can_compute());
    EXPECT_EQ(calculator.fault_text(), QString("Vzorec \"a*\" je chybný!"));
    EXPECT_TRUE(calculator.variables().empty());
    EXPECT_FALSE(calculator.compute({1}));
    EXPECT_EQ(calculator.result(), 4);
}

TEST_F(UserCalculatorTest, AScriptWithoutFormulaDoesNotReuseTheOneBefore)
{
    UserCalculator calculator(3, u',');
    calculator.load(kArea);
    ASSERT_TRUE(calculator.compute({2, 3}));
    calculator.load(QStringLiteral("title: Nic\nvar\na: strana a\nb: strana b\nformula\n;later"));
    EXPECT_FALSE(calculator.can_compute());
    EXPECT_TRUE(calculator.variables().empty());
    EXPECT_EQ(calculator.fault_text(),
              QString("Kalkulátor nemá vzorec: napište ho na řádek pod řádkem FORMULA."));
    EXPECT_FALSE(calculator.compute({2, 3}));
    EXPECT_EQ(calculator.result(), 3);
}

TEST_F(UserCalculatorTest, CzechLettersInANameAreNamedBesideTheRedLine)
{
    UserCalculator calculator(0, u',');
    calculator.load(QStringLiteral("var\nč: číslo\nformula\nč*2"));
    EXPECT_FALSE(calculator.can_compute());
    const QStringList faults = calculator.fault_text().split(u'\n');
    ASSERT_EQ(faults.size(), 2);
    EXPECT_TRUE(faults[0].startsWith(QString("Proměnnou „č“ nelze ve vzorci použít")));
    EXPECT_EQ(faults[1], QString("Vzorec \"č*2\" je chybný!"));
}

TEST_F(UserCalculatorTest, FormulasOfFiveThousandCharacters)
{
    const QString sum = QStringLiteral("+a").repeated(2500).mid(1) + u' ';
    ASSERT_EQ(sum.size(), 5000);
    UserCalculator calculator(0, u',');
    calculator.load(QStringLiteral("var\na: a\nformula\n") + sum);
    ASSERT_TRUE(calculator.can_compute());
    EXPECT_EQ(calculator.compute({1})->value, 2500);

    const QString nested = QString(2500, u'(') + u'a' + QString(2500, u')');
    calculator.load(QStringLiteral("var\na: a\nformula\n") + nested);
    EXPECT_FALSE(calculator.can_compute());
    EXPECT_TRUE(calculator.fault_text().startsWith(QString("Vzorec \"((((")));
    EXPECT_TRUE(calculator.fault_text().endsWith(QString("…\" je chybný!")));
    EXPECT_LT(calculator.fault_text().size(), 300);
}

TEST_F(UserCalculatorTest, AFormulaWithoutInputsIsComputedToo)
{
    UserCalculator calculator(9, u',');
    calculator.load(QStringLiteral("title: Konstanta\nformula\n2,5*4"));
    ASSERT_TRUE(calculator.can_compute());
    EXPECT_TRUE(calculator.variables().empty());
    EXPECT_EQ(calculator.compute({})->text, QString("10,00"));
    EXPECT_EQ(calculator.result(), 10);
}

TEST_F(UserCalculatorTest, TheFormulaReadsNumbersWithTheGivenSeparator)
{
    UserCalculator point(0, u'.');
    point.load(QStringLiteral("formula\n2.5*2"));
    EXPECT_EQ(point.compute({})->value, 5);
    UserCalculator comma(0, u',');
    comma.load(QStringLiteral("formula\n2.5*2"));
    EXPECT_FALSE(comma.can_compute());
}

} // namespace
