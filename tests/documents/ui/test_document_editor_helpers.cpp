// The calculator and the text history as the document editors offer them: the item editor's
// unit price takes a calculator's result, the document title offers the titles saved earlier.

#include "documents/ui/document_editor_fixture.h"

#include "calc/ui/choice_driver.h"
#include "calc/ui/fcalc.h"
#include "calc/ui/fhistory.h"
#include "calc/user_hist.h"
#include "data/db_api.h"
#include "data/memtable.h"
#include "documents/ui/fdoc_head.h"
#include "documents/ui/fitem_edit.h"
#include "widgets/dbedit.h"
#include "widgets/dbgrid.h"
#include "widgets/dbnumber_edit.h"

#include <QPushButton>
#include <QTest>

namespace {

class DocumentEditorHelpersTest : public DocumentEditorFixture {};

TEST_F(DocumentEditorHelpersTest, TheUnitPriceTakesACalculatorsResultAndStornoLeavesIt)
{
    exec("INSERT INTO USER_CALC VALUES (901, 'Plocha', "
         "'title: Plocha\r\nvar\r\na: strana a\r\nb: strana b\r\nformula\r\na*b\r\n', 'T')");
    TMemTable *items = m_api->select_sql("VIEW_ITEMS2", "SELECT * FROM VIEW_ITEMS WHERE HEADER_ID=0");
    items->append();
    TfmItemEdit editor(items, "Kč");
    editor.show();
    editor.pick_product(screw);
    ASSERT_EQ(items->field_by_name("COST_PER_UNIT").as_float(), 255.0);

    on_next_choice<TfCalc>([](TfCalc &runner) {
        QTest::keyClicks(runner.inputs()[0], "2");
        QTest::keyClicks(runner.inputs()[1], "3,25");
        QTest::keyClick(runner.inputs()[1], Qt::Key_Escape);
    });
    editor.price_edit()->calculator_action()->trigger();
    EXPECT_EQ(items->field_by_name("COST_PER_UNIT").as_float(), 255.0);

    on_next_choice<TfCalc>([](TfCalc &runner) {
        QTest::keyClicks(runner.inputs()[0], "2");
        QTest::keyClicks(runner.inputs()[1], "3,25");
        runner.result_button()->click();
    });
    editor.price_edit()->calculator_action()->trigger();
    EXPECT_EQ(items->field_by_name("COST_PER_UNIT").as_float(), 6.5);
    EXPECT_EQ(items->field_by_name("COST").as_float(), 6.5);
    items->cancel();
}

TEST_F(DocumentEditorHelpersTest, TheTitleOffersATitleSavedEarlierAndForgetsItWhenDeleted)
{
    ASSERT_TRUE(store_history("edit_doc_title", "Montáž oken dle objednávky č. 12"));
    TMemTable *header = m_api->select_sql("DOC_HEAD", "SELECT * FROM DOC_HEAD WHERE RECID=0");
    Tfm_docheader editor(0, 1, header, 0, 0);
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    editor.title_edit()->setFocus();

    int offered = 0;
    on_next_choice<Tfhistory>([&](Tfhistory &drop_down) {
        offered = drop_down.record_set()->record_count();
        QTest::keyClick(drop_down.grid(), Qt::Key_Return);
    });
    QTest::keyClick(editor.title_edit(), Qt::Key_Down);
    EXPECT_EQ(offered, 1);
    EXPECT_EQ(editor.title_edit()->text(), "Montáž oken dle objednávky č. 12");

    on_next_choice<Tfhistory>([](Tfhistory &drop_down) {
        drop_down.record_set()->first();
        drop_down.findChild<QPushButton *>("btnDeleteText")->click();
        QTest::keyClick(drop_down.grid(), Qt::Key_Escape);
    });
    QTest::keyClick(editor.title_edit(), Qt::Key_Down);
    EXPECT_EQ(shell("SELECT COUNT(*) FROM USER_HIST"), "0");
    EXPECT_EQ(editor.title_edit()->text(), "Montáž oken dle objednávky č. 12");
    editor.reject();
    m_api->free_set(header);
}

} // namespace
