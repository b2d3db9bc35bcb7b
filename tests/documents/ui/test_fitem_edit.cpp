#include "documents/ui/document_editor_fixture.h"

#include "data/memtable.h"
#include "documents/ui/fitem_edit.h"
#include "masterdata/ui/fproedit.h"
#include "widgets/window_host.h"
#include "widgets/dbedit.h"
#include "widgets/dbgrid.h"
#include "widgets/dbnumber_edit.h"

#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

class ItemEditorTest : public DocumentEditorFixture {
protected:
    // An item set as the document editor holds it, with a new row appended.
    TMemTable *new_item_row()
    {
        TMemTable *items =
            m_api->select_sql("VIEW_ITEMS2", "SELECT * FROM VIEW_ITEMS WHERE HEADER_ID=0");
        items->append();
        return items;
    }
    double value(TMemTable *items, const char *field) const
    {
        return items->field_by_name(field).as_float();
    }
};

TEST_F(ItemEditorTest, InputsFollowTheProductAndOkTheQuantity)
{
    TMemTable *items = new_item_row();
    TfmItemEdit editor(items, "Kč");
    editor.show();
    EXPECT_EQ(editor.windowTitle(), "Nová položka.");
    EXPECT_EQ(items->field_by_name("CURR_NAME").as_string(), "Kč");
    for (QWidget *input : {static_cast<QWidget *>(editor.amount_edit()),
                           static_cast<QWidget *>(editor.price_edit()),
                           static_cast<QWidget *>(editor.discount_edit()),
                           static_cast<QWidget *>(editor.text_edit())})
        EXPECT_FALSE(input->isEnabled()) << qPrintable(input->objectName());
    EXPECT_FALSE(editor.ok_button()->isEnabled());

    editor.pick_product(screw);
    EXPECT_EQ(editor.product_edit()->text(), "1 - šroub");
    EXPECT_EQ(value(items, "AMOUNT"), 1.0);
    EXPECT_EQ(value(items, "COST_PER_UNIT"), 255.0);
    EXPECT_EQ(items->field_by_name("UNITV").as_string(), "ks");
    EXPECT_EQ(items->field_by_name("PRO_NAME").as_string(), "šroub");
    EXPECT_TRUE(editor.amount_edit()->isEnabled());
    EXPECT_TRUE(editor.ok_button()->isEnabled());

    struct Case {
        const char *amount;
        const char *price;
        const char *discount;
        double cost;
        bool ok;
    };
    const Case cases[] = {
        {"0", "255", "0", 0.0, false},
        {"3", "99,90", "10", 269.73, true},
        {"2", "-5", "0", -10.0, true},
        {"-1", "5", "0", -5.0, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.amount);
        retype(editor.amount_edit(), c.amount);
        retype(editor.price_edit(), c.price);
        retype(editor.discount_edit(), c.discount);
        EXPECT_NEAR(value(items, "COST"), c.cost, 1e-9);
        EXPECT_EQ(editor.ok_button()->isEnabled(), c.ok);
    }
}

TEST_F(ItemEditorTest, CorrectionKeepsProductAndQuantityUntilAnotherPick)
{
    TMemTable *items = new_item_row();
    items->field_by_name("PRO_ID").set_as_integer(nut);
    items->field_by_name("AMOUNT").set_as_float(4);
    items->field_by_name("UNITV").set_as_string("kg");
    items->field_by_name("COST_PER_UNIT").set_as_float(90);
    items->post();
    items->edit();
    TfmItemEdit editor(items, "Kč");
    editor.show();
    EXPECT_EQ(editor.windowTitle(), "Oprava položky.");
    EXPECT_EQ(editor.product_edit()->text(), "2 - matice");
    EXPECT_EQ(value(items, "AMOUNT"), 4.0);
    EXPECT_EQ(value(items, "COST_PER_UNIT"), 90.0);
    EXPECT_TRUE(editor.ok_button()->isEnabled());
    editor.pick_product(bolt);
    EXPECT_EQ(value(items, "AMOUNT"), 1.0);
    EXPECT_EQ(value(items, "COST_PER_UNIT"), 40.0);
    EXPECT_EQ(value(items, "COST"), 40.0);
}

// Confirming an item in a foreign currency remembers its unit price for the product; the
// home currency remembers nothing, and a refused write does not stop the item.
TEST_F(ItemEditorTest, ConfirmedForeignPriceIsProposedNextTime)
{
    struct Case {
        const char *currency;
        const char *price;
        bool refuse;
        const char *stored;
    };
    const Case cases[] = {
        {"Kč", "12,50", false, ""},
        {"EUR", "12,50", false, "12.5"},
        {"EUR", "13", false, "13.0"},
        {"EUR", "14", true, "13.0"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.currency) + " " + c.price);
        if (c.refuse)
            exec("CREATE TRIGGER REFUSE BEFORE UPDATE ON PRO_CURR BEGIN "
                 "SELECT RAISE(ABORT, 'zkouška'); END");
        m_messages.clear();
        TMemTable *items = new_item_row();
        bool confirmed = false;
        on_modal<TfmItemEdit>([&](TfmItemEdit &editor) {
            editor.pick_product(screw);
            retype(editor.price_edit(), c.price);
            editor.ok_button()->click();
        });
        confirmed = TfmItemEdit(items, c.currency).run();
        EXPECT_TRUE(confirmed);
        EXPECT_EQ(shell(QString("SELECT COST FROM PRO_CURR WHERE PRO_ID=%1").arg(screw)), c.stored);
        EXPECT_EQ(m_messages.size(), c.refuse ? 1u : 0u);
        EXPECT_FALSE(program_ending());
        items->cancel();
    }
    TMemTable *items = new_item_row();
    TfmItemEdit editor(items, "EUR");
    editor.pick_product(screw);
    EXPECT_EQ(value(items, "COST_PER_UNIT"), 13.0);
}

// The main window with the products window open, which offers its set as its grid.
struct ProductsOpen : WindowHost {
    QObject *find_child_component(const QString &key, const QString &name) const override
    {
        return key == "PRO" && name == "ds" ? &grid : nullptr;
    }
    mutable TDBGrid grid;
};

// A product missing from the catalogue is added on the spot, shows in the open products
// window, and becomes the item's.
TEST_F(ItemEditorTest, NewProductFromTheItemEditorIsPicked)
{
    ProductsOpen host;
    TMemTable *products = m_api->select_sql("VIEW_PRO", "SELECT * FROM VIEW_PRO ORDER BY PRO_NO");
    host.grid.set_table(products);
    const ScopedWindowHost installed(host);
    TMemTable *items = new_item_row();
    TfmItemEdit editor(items, "EUR");
    editor.show();
    on_modal<Tfm_proedit>([](Tfm_proedit &product) {
        type_into(&product, "DBEditProName", "podložka");
        retype(product.cost_edit(), "51");
        product.ok_button()->click();
    });
    editor.new_product_button()->click();
    EXPECT_TRUE(editor.product_edit()->text().endsWith(" - podložka"))
        << qPrintable(editor.product_edit()->text());
    EXPECT_EQ(value(items, "AMOUNT"), 1.0);
    EXPECT_EQ(value(items, "COST_PER_UNIT"), 2.0);
    EXPECT_TRUE(editor.ok_button()->isEnabled());
    EXPECT_EQ(products->record_count(), 4);
    EXPECT_EQ(products->field_by_name("PRO_NAME").as_string(), "podložka");
}

} // namespace
