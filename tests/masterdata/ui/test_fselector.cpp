#include "masterdata/ui/code_list_fixture.h"
#include "masterdata/ui/frsearch.h"
#include "masterdata/ui/fselector.h"
#include "widgets/dbgrid.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

namespace {

const QString units_select = QStringLiteral("SELECT * FROM PRO_UNITS ORDER BY RECID");

class SelectorTest : public CodeListFixture {
protected:
    int select_unit(QWidget *anchor, int initial, const SelectorGridHook &hook = {}, int height = 0,
                    int min_width = 0)
    {
        return select_row(anchor, 2031, initial, hook, height, min_width,
                          QStringLiteral("Měrné jednotky"), units_select,
                          QStringLiteral("PRO_UNITS"));
    }
};

} // namespace

TEST_F(SelectorTest, ChoosingAndGivingUpInEveryWay)
{
    struct Case {
        const char *way;
        std::function<void(Tfm_selector &)> act;
        int expected;
    };
    const Case cases[] = {
        {"Enter on the initial row",
         [](Tfm_selector &s) { QTest::keyClick(s.grid(), Qt::Key_Return); }, 3},
        {"vybrat after moving down",
         [](Tfm_selector &s) {
             QTest::keyClick(s.grid(), Qt::Key_Down);
             s.findChild<QPushButton *>(QStringLiteral("btnSelect"))->click();
         },
         4},
        {"double click",
         [](Tfm_selector &s) {
             const QPoint cell = s.grid()->visualRect(s.grid()->model()->index(0, 0)).center();
             QTest::mouseClick(s.grid()->viewport(), Qt::LeftButton, {}, cell);
             QTest::mouseDClick(s.grid()->viewport(), Qt::LeftButton, {}, cell);
         },
         1},
        {"Escape", [](Tfm_selector &s) { QTest::keyClick(s.grid(), Qt::Key_Escape); }, 0},
        {"zavřít",
         [](Tfm_selector &s) { s.findChild<QPushButton *>(QStringLiteral("btnClose"))->click(); },
         0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.way);
        on_next_selector(c.act);
        EXPECT_EQ(select_unit(nullptr, 3), c.expected);
    }
}

TEST_F(SelectorTest, DropsDownBelowItsAnchorAndGivesUpOnAClickElsewhere)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *anchor = new QLineEdit(&window);
    auto *elsewhere = new QLineEdit(&window);
    layout->addWidget(anchor);
    layout->addWidget(elsewhere);
    window.resize(300, 200);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    bool checked = false;
    on_next_selector([&](Tfm_selector &s) {
        checked = true;
        EXPECT_TRUE(s.anchored());
        EXPECT_TRUE(s.windowFlags().testFlag(Qt::Popup));
        EXPECT_EQ(s.pos(), anchor->mapToGlobal(QPoint(0, anchor->height())));
        EXPECT_EQ(s.width(), 400) << "widened to the minimum width";
        EXPECT_EQ(s.height(), 150);
        EXPECT_EQ(s.windowTitle(), QString::fromUtf8("Měrné jednotky"));
        EXPECT_EQ(s.grid()->toolTip(), QString::fromUtf8("Měrné jednotky"));
        QTest::mouseClick(elsewhere, Qt::LeftButton);
    });
    EXPECT_EQ(select_unit(anchor, 2, {}, 150, 400), 0);
    EXPECT_TRUE(checked);
}

TEST_F(SelectorTest, GridHookSeesTheLoadedRowsAndWideColumnsAreNarrowed)
{
    exec(QStringLiteral("UPDATE PRO_UNITS SET UNIT_SHORT='%1' WHERE RECID=1")
             .arg(QString(10, u'W')));
    exec(QStringLiteral("ALTER TABLE PRO_UNITS ADD COLUMN LONG_TEXT VARCHAR(200)"));
    exec(QStringLiteral("UPDATE PRO_UNITS SET LONG_TEXT='%1'").arg(QString(120, u'W')));
    int hooked = 0;
    on_next_selector([&](Tfm_selector &s) {
        for (int column = 0; column < s.grid()->model()->columnCount(); ++column)
            EXPECT_LE(s.grid()->columnWidth(column), 288);
        // Typing in the grid searches the first column.
        QTest::keyClicks(s.grid(), QStringLiteral("k"));
        EXPECT_EQ(s.search_strip()->search_field()->text(), QString::fromUtf8("k"));
        QTest::keyClick(s.search_strip()->search_field(), Qt::Key_Return);
        QTest::keyClick(s.grid(), Qt::Key_Return);
    });
    const int chosen = select_unit(nullptr, 0, [&](TDBGrid &grid) {
        ++hooked;
        EXPECT_EQ(grid.table()->record_count(), 5);
    });
    EXPECT_EQ(hooked, 1);
    EXPECT_EQ(chosen, 3) << "kg";
}

TEST_F(SelectorTest, EmptyListGivesNothingEvenAfterEnter)
{
    exec(QStringLiteral("DELETE FROM PRO_UNITS"));
    on_next_selector([](Tfm_selector &s) { QTest::keyClick(s.grid(), Qt::Key_Return); });
    EXPECT_EQ(select_unit(nullptr, 0), 0);
}
