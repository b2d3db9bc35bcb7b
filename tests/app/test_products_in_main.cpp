// The products window inside the main window: opened by its command, found by its key,
// and opened again on the same product by its own refresh.

#include "app/main_window_fixture.h"
#include "masterdata/ui/frpro.h"
#include "widgets/dbgrid.h"

#include <QAction>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTest>

TEST_F(MainWindowFixture, TheProductsWindowOpensOnceAndItsRefreshReopensItOnTheProduct)
{
    Tfm_main &window = open_window();
    window.show();
    dbAPI->exec_sql("INSERT INTO PRO (RECID, PRO_NO, PRO_NAME) VALUES (9001, 1, 'Stůl'), "
                    "(9002, 2, 'Židle')");
    window.command(QStringLiteral("actPro"))->trigger();
    QMdiSubWindow *sub = window.child_window(QStringLiteral("PRO"));
    ASSERT_NE(sub, nullptr);
    auto *products = qobject_cast<TfPro *>(sub->widget());
    ASSERT_NE(products, nullptr);
    EXPECT_TRUE(sub->isMaximized());
    auto *source = qobject_cast<TDBGrid *>(
        window.find_child_component(QStringLiteral("PRO"), QStringLiteral("ds")));
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->table(), products->record_set());
    window.command(QStringLiteral("actPro"))->trigger();
    EXPECT_EQ(window.child_windows().size(), 1);

    products->record_set()->last();
    const QPointer<TfPro> closing = products;
    QTest::keyClick(products->grid(), Qt::Key_F5);
    QTRY_VERIFY(closing.isNull() && window.child_window(QStringLiteral("PRO")));
    auto *reopened = qobject_cast<TfPro *>(window.child_window(QStringLiteral("PRO"))->widget());
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(dbAPI->current_recid(reopened->record_set()), 9002);
    EXPECT_EQ(window.child_windows().size(), 1);
}
