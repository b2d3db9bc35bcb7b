#include "calc/ui/calc_script_edit.h"
#include "calc/ui/choice_driver.h"
#include "calc/ui/fcalc.h"
#include "calc/ui/fcalcedit.h"
#include "calc/ui/fusercalc.h"
#include "calc/user_calc.h"
#include "data/memtable.h"
#include "support/db_fixture.h"
#include "widgets/dbcheckbox.h"
#include "widgets/dbedit.h"
#include "widgets/dbgrid.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QString area_script = QStringLiteral(
    "title: Plocha\r\nvar\r\na: strana a\r\nb: strana b\r\nformula\r\na*b\r\n");

void answer_calc_editor(const std::function<void(TfCalcEdit &)> &action)
{
    ModalDriver::on_next_modal([action](QWidget *modal) {
        auto *editor = qobject_cast<TfCalcEdit *>(modal);
        ASSERT_NE(editor, nullptr) << "the modal window is no calculator editor";
        action(*editor);
        if (editor->isVisible())
            editor->reject();
    });
}

class CalculatorsWindowTest : public DbFixture {
protected:
    std::unique_ptr<TfUserCalc> open_window()
    {
        auto window = std::make_unique<TfUserCalc>();
        window->resize(900, 500);
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        window->grid()->setFocus();
        return window;
    }

    QString stored(const QString &sql) const { return sqlite_shell(sql); }
};

} // namespace

TEST_F(CalculatorsWindowTest, ANewCalculatorIsWrittenRunAndEdited)
{
    auto window = open_window();
    EXPECT_FALSE(window->run_command()->isEnabled());

    QString template_text;
    bool ticked = false;
    std::vector<bool> ok_enabled;
    answer_calc_editor([&](TfCalcEdit &editor) {
        template_text = editor.script_edit()->toPlainText();
        ticked = editor.public_box()->isChecked();
        ok_enabled.push_back(editor.ok_button()->isEnabled());
        QTest::keyClick(editor.name_edit(), Qt::Key_Space);
        ok_enabled.push_back(editor.ok_button()->isEnabled());
        editor.name_edit()->clear();
        QTest::keyClicks(editor.name_edit(), QStringLiteral("Plocha"));
        editor.script_edit()->setPlainText(area_script);
        editor.ok_button()->click();
    });
    QTest::keyClick(window->grid(), Qt::Key_Insert);
    EXPECT_EQ(template_text, QString(new_calculator_template()).replace("\r\n", "\n"));
    EXPECT_TRUE(ticked);
    EXPECT_EQ(ok_enabled, std::vector<bool>({false, true}));
    ASSERT_EQ(window->record_set()->record_count(), 1);
    EXPECT_EQ(stored("SELECT CALC_NAME || '|' || IS_CALC_PUBLIC FROM USER_CALC"),
              QStringLiteral("Plocha|T"));
    EXPECT_EQ(stored("SELECT FORMULA FROM USER_CALC"), QString(area_script).trimmed());
    EXPECT_EQ(window->script_view()->toPlainText(), QString(area_script).replace("\r\n", "\n"));

    QString header, result;
    on_next_choice<TfCalc>([&](TfCalc &runner) {
        header = runner.header()->text();
        QTest::keyClicks(runner.inputs()[0], QStringLiteral("2"));
        QTest::keyClicks(runner.inputs()[1], QStringLiteral("3"));
        runner.result_button()->click();
        result = runner.result_label()->text();
    });
    QTest::keyClick(window->grid(), Qt::Key_Return);
    EXPECT_EQ(header, QStringLiteral("Plocha"));
    EXPECT_EQ(result, QStringLiteral("6,00"));

    answer_calc_editor([&](TfCalcEdit &editor) {
        editor.name_edit()->end(false);
        QTest::keyClicks(editor.name_edit(), QStringLiteral(" pokoje"));
        editor.public_box()->click();
        editor.ok_button()->click();
    });
    window->script_view()->setFocus();
    QTest::keyClick(window->script_view(), Qt::Key_Return);
    EXPECT_EQ(stored("SELECT CALC_NAME || '|' || IS_CALC_PUBLIC FROM USER_CALC"),
              QStringLiteral("Plocha pokoje|F"));
    EXPECT_EQ(window->record_set()->field_by_name("CALC_NAME").as_string(),
              QStringLiteral("Plocha pokoje"));
}

TEST_F(CalculatorsWindowTest, CancelledEditsAndRefusedDeletesLeaveTheCalculator)
{
    exec(QStringLiteral("INSERT INTO USER_CALC VALUES (901, 'Plocha', '%1', 'T')").arg(area_script));
    auto window = open_window();
    answer_calc_editor([](TfCalcEdit &editor) {
        QTest::keyClicks(editor.name_edit(), QStringLiteral("xx"));
        editor.findChild<QPushButton *>("btnCancel")->click();
    });
    window->edit_command()->trigger();
    EXPECT_EQ(window->record_set()->field_by_name("CALC_NAME").as_string(), QStringLiteral("Plocha"));

    m_answer = mrNo;
    QTest::keyClick(window->grid(), Qt::Key_Delete);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, QStringLiteral("Opravdu chcete vymazat vybraný kalkulátor?"));
    EXPECT_EQ(window->record_set()->record_count(), 1);

    m_answer = mrYes;
    QTest::keyClick(window->grid(), Qt::Key_Delete);
    EXPECT_EQ(window->record_set()->record_count(), 0);
    EXPECT_EQ(stored("SELECT count(*) FROM USER_CALC"), QStringLiteral("0"));
    EXPECT_FALSE(window->edit_command()->isEnabled());
}

// The template holds no formula: running it asks for nothing and computes nothing.
TEST_F(CalculatorsWindowTest, RunningTheTemplateShowsNoInputsAndNoResult)
{
    exec(QStringLiteral("INSERT INTO USER_CALC VALUES (901, 'Nový', '%1', 'T')")
             .arg(new_calculator_template()));
    auto window = open_window();
    QString header;
    bool button = true;
    size_t inputs = 1;
    on_next_choice<TfCalc>([&](TfCalc &runner) {
        header = runner.header()->text();
        button = runner.result_button()->isVisible();
        inputs = runner.inputs().size();
    });
    window->run_command()->trigger();
    EXPECT_EQ(header, QString());
    EXPECT_FALSE(button);
    EXPECT_EQ(inputs, 0u);
}
