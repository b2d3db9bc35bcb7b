// The tax-records book inside the main window: the start command opens it, payments find
// its record set by its key, and its refresh opens it again on the same entry.

#include "app/main_window_fixture.h"
#include "data/setup_keys.h"
#include "taxrecords/ui/fte.h"
#include "widgets/dbgrid.h"

#include <QMdiSubWindow>
#include <QPointer>
#include <QTest>

TEST_F(MainWindowFixture, TheStartCommandOpensTheTaxRecordsBookAndItsRefreshKeepsTheEntry)
{
    write_setup(setup::auto_run, 0);
    exec("INSERT INTO TE (RECID, DATE_D, DOC_NO, GRP_ID, TE_TEXT, INCOME) VALUES "
         "(9001, '2026-03-01', 'PD1', 1, 'vklad', 10), "
         "(9002, '2026-03-02', 'PD2', 1, 'tržba', 20)");
    Tfm_main &window = open_window();
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.window_activated();

    QMdiSubWindow *sub = window.child_window(QStringLiteral("TE"));
    ASSERT_NE(sub, nullptr);
    auto *book = qobject_cast<TfTE *>(sub->widget());
    ASSERT_NE(book, nullptr);
    auto *source = qobject_cast<TDBGrid *>(
        window.find_child_component(QStringLiteral("TE"), QStringLiteral("ds")));
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->table(), book->record_set());
    EXPECT_EQ(window.notify_child(QStringLiteral("TE"), TfTE::reload_code), 0);

    book->record_set()->last();
    const int entry = dbAPI->current_recid(book->record_set());
    const QPointer<TfTE> closing = book;
    QTest::keyClick(book->grid(), Qt::Key_F5);
    QTRY_VERIFY(closing.isNull() && window.child_window(QStringLiteral("TE")));
    auto *reopened = qobject_cast<TfTE *>(window.child_window(QStringLiteral("TE"))->widget());
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(dbAPI->current_recid(reopened->record_set()), entry);
}
