// The main window with the calculator windows: the calculators command and the history
// drop-down that text fields ask it for.

#include "app/main_window_fixture.h"
#include "calc/ui/calc_windows.h"
#include "calc/ui/choice_driver.h"
#include "calc/ui/fhistory.h"
#include "calc/ui/fusercalc.h"
#include "calc/ui/user_calc_history.h"
#include "calc/user_hist.h"
#include "data/memtable.h"
#include "widgets/dbgrid.h"

#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

namespace {

class MainWindowCalculators : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        register_calc_windows();
    }
    void TearDown() override
    {
        register_book_window(QStringLiteral("USER_CALC"), {});
        MainWindowFixture::TearDown();
    }
};

} // namespace

TEST_F(MainWindowCalculators, TheCommandOpensOneCalculatorsWindow)
{
    Tfm_main &window = open_window();
    window.show();
    window.command(QStringLiteral("actUserCalc"))->trigger();
    window.command(QStringLiteral("actUserCalc"))->trigger();
    QMdiSubWindow *sub = window.child_window(QStringLiteral("USER_CALC"));
    ASSERT_NE(sub, nullptr);
    EXPECT_NE(qobject_cast<TfUserCalc *>(sub->widget()), nullptr);
    EXPECT_EQ(window.findChild<QMdiArea *>()->subWindowList().size(), 1);
    EXPECT_TRUE(sub->isMaximized());
}

TEST_F(MainWindowCalculators, ATextFieldGetsItsHistoryThroughTheMainWindow)
{
    Tfm_main &window = open_window();
    window.show();
    QLineEdit title(&window);
    title.setObjectName(QStringLiteral("edit_doc_title"));
    TUserCalcHistory *history = attach_text_history(&title);
    title.setText(QStringLiteral("Oprava střechy"));
    ASSERT_TRUE(history->store_history());
    title.clear();

    const QVariant answer = window.main_command(
        6, QString::number(history_field_key(QStringLiteral("edit_doc_title"))));
    auto *made = qobject_cast<Tfhistory *>(answer.value<QWidget *>());
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->record_set()->record_count(), 1);
    delete made;

    on_next_choice<Tfhistory>([](Tfhistory &drop_down) {
        QTest::keyClick(drop_down.grid(), Qt::Key_Return);
    });
    history->button()->trigger();
    EXPECT_EQ(title.text(), QStringLiteral("Oprava střechy"));
}
