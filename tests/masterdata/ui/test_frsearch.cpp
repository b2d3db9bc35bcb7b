#include "masterdata/ui/code_list_fixture.h"
#include "masterdata/ui/frsearch.h"
#include "widgets/appearance.h"
#include "widgets/dbgrid.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

class SearchTest : public CodeListFixture {
protected:
    void SetUp() override
    {
        CodeListFixture::SetUp();
        exec(QStringLiteral("CREATE TABLE SEARCHED (RECID INTEGER NOT NULL PRIMARY KEY, "
                            "NAME VARCHAR(40), NUM INTEGER, RATE FLOAT, IS_ON VARCHAR(1))"));
        exec(QStringLiteral("INSERT INTO SEARCHED VALUES (1, 'Alfa', 5, 1.5, 'T'), "
                            "(2, 'beta', 312, 24.5, 'F'), (3, 'Beton', 120, 3.25, 'T'), "
                            "(4, 'Gama', 12, 12.0, 'F')"));
        m_set = m_api->select_sql(QStringLiteral("SEARCHED"),
                                  QStringLiteral("SELECT * FROM SEARCHED ORDER BY RECID"));
        ASSERT_NE(m_set, nullptr);
        m_window = std::make_unique<QWidget>();
        auto *layout = new QVBoxLayout(m_window.get());
        m_grid = new TDBGrid(m_window.get());
        m_search = new Tfr_search(m_window.get());
        layout->addWidget(m_grid);
        layout->addWidget(m_search);
        m_grid->set_table(m_set);
        m_search->attach_grid(m_grid);
        m_window->show();
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        m_grid->setFocus();
    }

    void TearDown() override
    {
        m_window.reset();
        CodeListFixture::TearDown();
    }

    QLineEdit *field() const { return m_search->search_field(); }
    QLabel *column_label() const { return m_search->findChild<QLabel *>("lblColumn"); }
    QString current_name() const
    {
        return m_set->field_by_name(QStringLiteral("NAME")).as_string();
    }

    TMemTable *m_set = nullptr;
    std::unique_ptr<QWidget> m_window;
    TDBGrid *m_grid = nullptr;
    Tfr_search *m_search = nullptr;
};

} // namespace

TEST_F(SearchTest, TextColumnIsSearchedAsTheUserTypes)
{
    EXPECT_EQ(column_label()->text(), QString::fromUtf8("ve sloupci..."));
    EXPECT_EQ(m_search->palette().color(QPalette::Window), appearance().ruler_color);
    m_search->set_search_column(QStringLiteral("name"));
    EXPECT_EQ(m_search->search_field_name(), QString::fromUtf8("NAME"));
    EXPECT_FALSE(m_search->numeric());
    EXPECT_EQ(column_label()->text(), QString::fromUtf8("ve sloupci: NAME"));

    struct Step {
        const char *typed;
        const char *row;
    };
    // A text no row begins with leaves the row found so far.
    const Step steps[] = {{"BET", "beta"}, {"o", "Beton"}, {"x", "Beton"}};
    for (const Step &step : steps) {
        SCOPED_TRACE(step.typed);
        QTest::keyClicks(field(), QString::fromUtf8(step.typed));
        EXPECT_EQ(current_name(), QString::fromUtf8(step.row));
    }
    field()->clear();
    QTest::keyClicks(field(), QStringLiteral("zz"));
    EXPECT_EQ(current_name(), QString::fromUtf8("Beton"));
}

TEST_F(SearchTest, NumberColumnsAreSearchedOnEnterOrTheButton)
{
    m_search->set_search_column(QStringLiteral("NUM"));
    EXPECT_TRUE(m_search->numeric());
    field()->setFocus();
    QTest::keyClicks(field(), QStringLiteral("a1b2"));
    EXPECT_EQ(field()->text(), QString::fromUtf8("12")) << "letters have no effect";
    EXPECT_EQ(current_name(), QString::fromUtf8("Alfa")) << "no search before Enter";
    QTest::keyClick(field(), Qt::Key_Return);
    EXPECT_EQ(current_name(), QString::fromUtf8("Beton")) << "120 is the first to begin with 12";
    EXPECT_TRUE(m_grid->hasFocus());

    m_search->set_search_column(QStringLiteral("RATE"));
    EXPECT_TRUE(field()->text().isEmpty());
    QTest::keyClicks(field(), QStringLiteral("24.5"));
    m_search->findChild<QToolButton *>(QStringLiteral("btnSearch"))->click();
    EXPECT_EQ(current_name(), QString::fromUtf8("beta")) << "24,5 is typed with either mark";

    field()->setText(QStringLiteral("99"));
    QTest::keyClick(field(), Qt::Key_Return);
    EXPECT_EQ(current_name(), QString::fromUtf8("beta"));
}

TEST_F(SearchTest, FlagColumnCannotBeSearched)
{
    m_search->set_search_column(QStringLiteral("is_on"));
    EXPECT_FALSE(field()->isEnabled());
    EXPECT_EQ(field()->palette().color(QPalette::Base),
              m_search->palette().color(QPalette::Button));
    EXPECT_EQ(column_label()->palette().color(QPalette::WindowText), QColor(Qt::gray));
    m_search->start_search(QStringLiteral("a"));
    EXPECT_TRUE(field()->text().isEmpty());

    m_search->set_search_column(QStringLiteral("NAME"));
    EXPECT_TRUE(field()->isEnabled());
    EXPECT_EQ(column_label()->palette().color(QPalette::WindowText), QColor(Qt::black));
}

TEST_F(SearchTest, GridKeysMoveBetweenGridAndSearch)
{
    m_search->use_first_visible_column();
    EXPECT_EQ(m_search->search_field_name(), QString::fromUtf8("NAME"));

    // A letter typed in the grid starts the search with it.
    QTest::keyClicks(m_grid, QStringLiteral("g"));
    EXPECT_TRUE(field()->hasFocus());
    EXPECT_EQ(field()->text(), QString::fromUtf8("g"));
    EXPECT_EQ(current_name(), QString::fromUtf8("Gama"));

    // Arrows give the grid back its keys.
    QTest::keyClick(field(), Qt::Key_Up);
    EXPECT_TRUE(m_grid->hasFocus());
    EXPECT_TRUE(field()->text().isEmpty());
    EXPECT_EQ(current_name(), QString::fromUtf8("Beton"));

    // Entering another column starts over there.
    QTest::keyClicks(m_grid, QStringLiteral("a"));
    QTest::keyClick(field(), Qt::Key_Right);
    EXPECT_EQ(m_search->search_field_name(), QString::fromUtf8("NUM"));
    EXPECT_EQ(column_label()->text(), QString::fromUtf8("ve sloupci: NUM"));
    EXPECT_TRUE(field()->text().isEmpty());
}
