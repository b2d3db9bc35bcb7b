#include "calc/ui/choice_driver.h"
#include "calc/ui/fhistory.h"
#include "calc/ui/user_calc_history.h"
#include "calc/user_hist.h"
#include "data/memtable.h"
#include "support/db_fixture.h"
#include "widgets/dbgrid.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace {

const QString title_key = QStringLiteral("edit_doc_title");

class HistoryTest : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        m_title.setObjectName(title_key);
        m_history = attach_text_history(&m_title);
    }

    void remember(const QStringList &texts)
    {
        for (const QString &text : texts) {
            m_title.setText(text);
            ASSERT_TRUE(m_history->store_history());
        }
        m_title.clear();
    }

    int stored_rows()
    {
        return sqlite_shell(QStringLiteral("SELECT count(*) FROM USER_HIST WHERE DATA_FIELD=%1")
                                .arg(history_field_key(title_key)))
            .toInt();
    }

    static QString current_text(Tfhistory &drop_down)
    {
        return drop_down.record_set()->field_by_name(QStringLiteral("TXT")).as_string();
    }

    QLineEdit m_title;
    TUserCalcHistory *m_history = nullptr;
};

} // namespace

TEST_F(HistoryTest, DropDownOffersTheSavedTextsAndPutsTheChosenOneIntoTheField)
{
    remember({QStringLiteral("Oprava střechy"), QStringLiteral("Práce dle objednávky"),
              QStringLiteral("Oprava střechy"), QStringLiteral("   ")});
    EXPECT_EQ(stored_rows(), 2);

    int rows = 0;
    QString found, after_miss;
    on_next_choice<Tfhistory>([&](Tfhistory &drop_down) {
        rows = drop_down.record_set()->record_count();
        QTest::keyClicks(drop_down.grid(), QStringLiteral("pR"));
        found = current_text(drop_down);
        QTest::keyClick(drop_down.grid(), Qt::Key_X);
        after_miss = current_text(drop_down);
        EXPECT_TRUE(drop_down.type_ahead().buffer().isEmpty());
        QTest::keyClick(drop_down.grid(), Qt::Key_Return);
    });
    QTest::keyClick(&m_title, Qt::Key_Down);
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(found, QStringLiteral("Práce dle objednávky"));
    EXPECT_EQ(after_miss, found);
    EXPECT_EQ(m_title.text(), found);
}

TEST_F(HistoryTest, DeletingOneTextKeepsTheOthersAndTheField)
{
    remember({QStringLiteral("Oprava střechy"), QStringLiteral("Práce dle objednávky")});
    m_title.setText(QStringLiteral("rozepsáno"));
    int rows_left = 0;
    on_next_choice<Tfhistory>([&](Tfhistory &drop_down) {
        drop_down.record_set()->first();
        drop_down.findChild<QPushButton *>("btnDeleteText")->click();
        rows_left = drop_down.record_set()->record_count();
        QTest::keyClick(drop_down.grid(), Qt::Key_Escape);
    });
    m_history->button()->trigger();
    EXPECT_EQ(rows_left, 1);
    EXPECT_EQ(stored_rows(), 1);
    EXPECT_EQ(m_title.text(), QStringLiteral("rozepsáno"));
}

TEST_F(HistoryTest, DeletingTheWholeHistoryClosesTheDropDownWithoutAChoice)
{
    remember({QStringLiteral("Oprava střechy"), QStringLiteral("Práce dle objednávky")});
    m_title.setText(QStringLiteral("rozepsáno"));
    bool closed = false;
    on_next_choice<Tfhistory>([&](Tfhistory &drop_down) {
        drop_down.findChild<QPushButton *>("btnDeleteAll")->click();
        closed = drop_down.state() == Tfhistory::Cancelled;
    });
    m_history->button()->trigger();
    EXPECT_TRUE(closed);
    EXPECT_EQ(stored_rows(), 0);
    EXPECT_EQ(m_title.text(), QStringLiteral("rozepsáno"));
}

// A text as long as an item text may be comes back whole.
TEST_F(HistoryTest, ALongTextComesBackWhole)
{
    const QString text = QStringLiteral("Ř").repeated(255);
    remember({text});
    on_next_choice<Tfhistory>([](Tfhistory &drop_down) {
        drop_down.findChild<QPushButton *>("btnChoose")->click();
    });
    QTest::keyClick(&m_title, Qt::Key_Down);
    EXPECT_EQ(m_title.text(), text);
}

// While the drop-down waits nothing beneath it can be used, and ending it any other way
// returns no choice.
TEST_F(HistoryTest, ADropDownNearTheBottomStaysOnTheScreenAndEndsWithoutAChoice)
{
    remember({QStringLiteral("Oprava střechy")});
    const QRect screen = QApplication::primaryScreen()->availableGeometry();
    QRect placed;
    QWidget *modal = nullptr;
    on_next_choice<Tfhistory>([&](Tfhistory &drop_down) {
        placed = drop_down.frameGeometry();
        modal = QApplication::activeModalWidget();
        EXPECT_EQ(modal, &drop_down);
        drop_down.deleteLater();
    });
    const QRect field(screen.left() + 40, screen.bottom() - 30, 560, 22);
    EXPECT_EQ(open_history(history_field_key(title_key))->run_history(field), 0);
    EXPECT_LE(placed.bottom(), screen.bottom());
    EXPECT_EQ(placed.left(), field.left());
    EXPECT_EQ(placed.width(), field.width());
}

// The texts belong to the data module they were selected from; when it closes while the
// drop-down waits, the drop-down ends without a choice and touches nothing of it.
TEST_F(HistoryTest, ADataModuleClosingUnderTheDropDownEndsItWithoutAChoice)
{
    remember({QStringLiteral("Oprava střechy")});
    on_next_choice<Tfhistory>([&](Tfhistory &drop_down) {
        m_api.reset();
        EXPECT_EQ(drop_down.record_set(), nullptr);
    });
    EXPECT_EQ(open_history(history_field_key(title_key))->run_history(QRect(40, 40, 560, 22)), 0);
}
