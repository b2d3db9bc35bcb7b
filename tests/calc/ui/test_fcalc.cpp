#include "calc/ui/choice_driver.h"
#include "calc/ui/fcalc.h"
#include "calc/ui/user_calc_history.h"
#include "data/memtable.h"
#include "support/db_fixture.h"
#include "widgets/dbnumber_edit.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

const QString area_script = QStringLiteral(
    "title: Plocha\r\nvar\r\na: strana a\r\nb: strana b\r\nformula\r\na*b\r\n");

void type_inputs(TfCalc &runner, const QStringList &values)
{
    ASSERT_EQ(runner.inputs().size(), size_t(values.size()));
    for (size_t i = 0; i < runner.inputs().size(); ++i) {
        runner.inputs()[i]->clear();
        QTest::keyClicks(runner.inputs()[i], values[qsizetype(i)]);
    }
}

QStringList prompt_texts(const TfCalc &runner)
{
    QStringList texts;
    for (const QLabel *label : runner.prompts())
        texts << label->text();
    return texts;
}

class CalculatorRunnerTest : public DbFixture {};

} // namespace

TEST_F(CalculatorRunnerTest, TestModeShowsTheTitleAndComputesWithoutClosing)
{
    QStringList prompts;
    QString header, result;
    bool list_shown = true;
    on_next_choice<TfCalc>([&](TfCalc &runner) {
        header = runner.header()->text();
        prompts = prompt_texts(runner);
        list_shown = runner.calculator_list()->isVisible();
        type_inputs(runner, {QStringLiteral("2"), QStringLiteral("3,5")});
        runner.result_button()->click();
        result = runner.result_label()->text();
        EXPECT_EQ(runner.state(), TfCalc::Undecided);
        EXPECT_TRUE(runner.inputs().front()->hasFocus());
        type_inputs(runner, {QStringLiteral("1"), QStringLiteral("0")});
        runner.inputs()[1]->setFocus();
        QTest::keyClick(runner.inputs()[1], Qt::Key_Return);
        EXPECT_TRUE(runner.result_button()->hasFocus());
        EXPECT_EQ(runner.result_label()->text(), QStringLiteral("0,00"));
        QTest::keyClick(runner.inputs()[0], Qt::Key_Escape);
    });
    const double answer =
        run_calculator_script(open_calculator(nullptr, 4), area_script, 9011);
    EXPECT_EQ(header, QStringLiteral("Plocha"));
    EXPECT_EQ(prompts, QStringList({QStringLiteral("strana a:"), QStringLiteral("strana b:")}));
    EXPECT_FALSE(list_shown);
    EXPECT_EQ(result, QStringLiteral("7,00"));
    EXPECT_EQ(answer, 4);
}

// What the user sees instead of a result: the faults of the script in red, no inputs and no
// result button; or the evaluator's fault beside the button.
TEST_F(CalculatorRunnerTest, FaultsAreShownInsteadOfAResult)
{
    struct Case {
        QString script;
        QStringList values;
        QString fault;
        QString result;
    };
    QString many_lines = QStringLiteral("var\n");
    for (int i = 0; i < 10000; ++i)
        many_lines += QStringLiteral("x%1: \"hodnota %1\n").arg(i);
    many_lines += QStringLiteral("formula\nx1");
    const QString long_formula = QStringLiteral("x+").repeated(2500) + QStringLiteral("x");
    const QString any_fault = QStringLiteral("*");
    const Case cases[] = {
        {QStringLiteral("var\nx: číslo\nformula\nx*+2"), {},
         QStringLiteral("Vzorec \"x*+2\" je chybný!"), {}},
        {QStringLiteral("title: Nic\nvar\nx: \"zadej\nformula\n;nic"), {},
         QStringLiteral("Kalkulátor nemá vzorec: napište ho na řádek pod řádkem FORMULA."), {}},
        {QStringLiteral("var\nčíslo: x\nformula\nčíslo"), {}, any_fault, {}},
        {many_lines, {}, any_fault, {}},
        {QStringLiteral("var\na: a\nb: b\nformula\na/b"), {QStringLiteral("1"), QStringLiteral("0")},
         {}, QStringLiteral("E (Floating point division by zero)")},
        {QStringLiteral("var\nx: x\nformula\n") + long_formula, {QStringLiteral("1")}, {},
         QStringLiteral("2 501,00")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(qPrintable(c.script.left(60)));
        QString fault, result;
        QColor color;
        bool button = false;
        size_t inputs = 0;
        on_next_choice<TfCalc>([&](TfCalc &runner) {
            fault = runner.fault_label()->isVisible() ? runner.fault_label()->text() : QString();
            button = runner.result_button()->isVisible();
            inputs = runner.inputs().size();
            if (!c.values.isEmpty()) {
                type_inputs(runner, c.values);
                runner.result_button()->click();
                result = runner.result_label()->text();
                color = runner.result_label()->palette().color(QPalette::WindowText);
            }
        });
        EXPECT_EQ(run_calculator_script(open_calculator(nullptr, 0), c.script, 0), 0);
        if (c.fault.isEmpty()) {
            EXPECT_TRUE(fault.isEmpty()) << qPrintable(fault);
            EXPECT_TRUE(button);
            EXPECT_EQ(result, c.result);
            EXPECT_EQ(color, result.startsWith(u'E') ? QColor(Qt::red) : QColor(0, 128, 0));
        } else {
            if (c.fault != any_fault) {
                EXPECT_EQ(fault, c.fault);
            }
            EXPECT_FALSE(fault.isEmpty());
            EXPECT_FALSE(button);
            EXPECT_EQ(inputs, 0u);
        }
    }
}

TEST_F(CalculatorRunnerTest, ChoiceModeOffersTheListAndHandsBackTheAcceptedResult)
{
    QStringList names;
    on_next_choice<TfCalc>([&](TfCalc &runner) {
        for (int i = 0; i < runner.calculator_list()->count(); ++i)
            names << runner.calculator_list()->itemText(i);
        EXPECT_EQ(runner.header()->text(), QStringLiteral("  kalkulátor"));
        // Another calculator replaces the inputs while the last one has the focus.
        runner.inputs().back()->setFocus();
        runner.calculator_list()->setCurrentIndex(1);
        emit runner.calculator_list()->activated(1);
        runner.calculator_list()->setFocus();
        QTest::keyClick(runner.calculator_list(), Qt::Key_Return);
        type_inputs(runner, {QStringLiteral("2"), QStringLiteral("3")});
        runner.result_button()->click();
    });
    TfCalc *runner = open_calculator(nullptr, 1);
    add_calculator_choice(runner, QStringLiteral("Dvojnásobek"),
                          QStringLiteral("var\nx: x\nformula\n2*x"));
    add_calculator_choice(runner, QStringLiteral("Plocha"), area_script);
    EXPECT_EQ(run_calculator(runner), 6);
    EXPECT_EQ(names, QStringList({QStringLiteral("Dvojnásobek"), QStringLiteral("Plocha")}));
}

// However the runner goes away, its caller gets the starting value back and goes on.
TEST_F(CalculatorRunnerTest, EveryOtherEndReturnsTheStartingValue)
{
    const std::function<void(TfCalc &)> ends[] = {
        [](TfCalc &runner) { QTest::keyClick(runner.inputs().front(), Qt::Key_Escape); },
        [](TfCalc &runner) { runner.findChild<QPushButton *>("btnClose")->click(); },
        [](TfCalc &runner) { runner.close(); },
        [](TfCalc &runner) { runner.deleteLater(); },
    };
    for (const auto &end : ends) {
        on_next_choice<TfCalc>([&](TfCalc &runner) {
            type_inputs(runner, {QStringLiteral("2"), QStringLiteral("3")});
            runner.compute();
            end(runner);
        });
        EXPECT_EQ(run_calculator_script(open_calculator(nullptr, 2.5), area_script, 0), 2.5);
    }
}

TEST_F(CalculatorRunnerTest, CalculatorButtonOfANumberFieldWritesTheAcceptedResult)
{
    exec(QStringLiteral("INSERT INTO USER_CALC VALUES (901, 'Plocha', '%1', 'T')")
             .arg(area_script));
    exec(QStringLiteral("INSERT INTO USER_CALC VALUES (902, 'Skrytý', 'formula\n1', 'F')"));
    QLineEdit price;
    price.setObjectName(QStringLiteral("RxDBCalcEdit4"));
    price.setText(QStringLiteral("5,00"));
    TUserCalcHistory *calculator = attach_calculator(&price);
    ASSERT_EQ(calculator->kind(), TUserCalcHistory::Kind::Calculator);

    int offered = 0;
    on_next_choice<TfCalc>([&](TfCalc &runner) {
        offered = runner.calculator_list()->count();
        QTest::keyClick(runner.inputs().front(), Qt::Key_Escape);
    });
    QTest::keyClick(&price, Qt::Key_Down);
    EXPECT_EQ(offered, 1);
    EXPECT_EQ(price.text(), QStringLiteral("5,00"));

    on_next_choice<TfCalc>([&](TfCalc &runner) {
        type_inputs(runner, {QStringLiteral("2"), QStringLiteral("3,25")});
        runner.result_button()->click();
    });
    calculator->button()->trigger();
    EXPECT_EQ(price.text(), QStringLiteral("6,50"));
}

TEST_F(CalculatorRunnerTest, LosingTheActivationCancels)
{
    QWidget elsewhere;
    bool cancelled = false;
    on_next_choice<TfCalc>([&](TfCalc &runner) {
        type_inputs(runner, {QStringLiteral("2"), QStringLiteral("3")});
        runner.compute();
        elsewhere.show();
        elsewhere.activateWindow();
        cancelled = QTest::qWaitFor([&] { return runner.state() == TfCalc::Cancelled; }, 2000);
    });
    EXPECT_EQ(run_calculator_script(open_calculator(nullptr, 1.5), area_script, 0), 1.5);
    EXPECT_TRUE(cancelled);
}

// The road of the editors' price fields: a number edit bound to its column.
TEST_F(CalculatorRunnerTest, ABoundNumberFieldTakesTheResultIntoItsColumn)
{
    exec(QStringLiteral("INSERT INTO USER_CALC VALUES (901, 'Plocha', '%1', 'T')")
             .arg(area_script));
    TMemTable *set = m_api->select_sql(QStringLiteral("X"), QStringLiteral("SELECT 5.5 AS COST"));
    ASSERT_NE(set, nullptr);
    TDBNumberEdit price;
    price.setObjectName(QStringLiteral("RxDBCalcEdit4"));
    price.bind(set, QStringLiteral("COST"));
    TUserCalcHistory *calculator = attach_calculator(&price);
    EXPECT_EQ(calculator->button(), price.calculator_action());

    double starting = 0;
    on_next_choice<TfCalc>([&](TfCalc &runner) {
        starting = runner.result_label()->text().replace(u',', u'.').toDouble();
        type_inputs(runner, {QStringLiteral("2"), QStringLiteral("4")});
        runner.result_button()->click();
    });
    calculator->button()->trigger();
    EXPECT_EQ(starting, 5.5);
    EXPECT_EQ(set->field_by_name(QStringLiteral("COST")).as_float(), 8);
    m_api->free_set(set);
}
