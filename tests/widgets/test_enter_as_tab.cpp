#include "data/memtable.h"
#include "widgets/dbgrid.h"
#include "widgets/enter_as_tab.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

class EnterAsTabTest : public testing::Test {
protected:
    void SetUp() override
    {
        auto *layout = new QVBoxLayout(&m_window);
        for (QWidget *control : std::initializer_list<QWidget *>{m_first, m_check, m_combo, m_memo,
                                                                 m_grid, m_button, m_last})
            layout->addWidget(control);
        m_combo->addItems({QStringLiteral("a"), QStringLiteral("b")});
        m_set.add_field("NAME", FieldType::Text, 10);
        m_set.open();
        m_set.append();
        m_set.field(0).set_as_string(QStringLiteral("x"));
        m_set.post();
        m_grid->set_table(&m_set);
        m_window.show();
        QApplication::setActiveWindow(&m_window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    }

    void enter_in(QWidget *control)
    {
        control->setFocus(Qt::OtherFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), control);
        QTest::keyClick(control, Qt::Key_Return);
    }

    TMemTable m_set;
    QWidget m_window;
    QLineEdit *m_first = new QLineEdit;
    QCheckBox *m_check = new QCheckBox(QStringLiteral("volba"));
    QComboBox *m_combo = new QComboBox;
    QPlainTextEdit *m_memo = new QPlainTextEdit;
    TDBGrid *m_grid = new TDBGrid;
    QPushButton *m_button = new QPushButton(QStringLiteral("OK"));
    QLineEdit *m_last = new QLineEdit;
};

} // namespace

TEST_F(EnterAsTabTest, EnterMovesOnExceptInMemosGridsAndButtons)
{
    enter_as_tab(m_window);
    QSignalSpy pressed(m_button, &QPushButton::clicked);
    QSignalSpy grid_enter(m_grid, &TDBGrid::enter_pressed);

    enter_in(m_first);
    EXPECT_EQ(QApplication::focusWidget(), m_check);
    QTest::keyClick(m_check, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(QApplication::focusWidget(), m_combo);
    EXPECT_FALSE(m_check->isChecked());

    enter_in(m_memo);
    EXPECT_EQ(QApplication::focusWidget(), m_memo);
    EXPECT_EQ(m_memo->toPlainText(), "\n");

    enter_in(m_grid);
    EXPECT_EQ(QApplication::focusWidget(), m_grid);
    EXPECT_EQ(grid_enter.size(), 1);

    enter_in(m_button);
    EXPECT_EQ(pressed.size(), 1);

    // Shift+Enter is no Tab.
    m_first->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(m_first, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), m_first);
}

TEST_F(EnterAsTabTest, WithoutItEnterStaysInTheControl)
{
    enter_in(m_first);
    EXPECT_EQ(QApplication::focusWidget(), m_first);
}
