#include "calc/ui/choice_driver.h"
#include "calc/ui/fcalc.h"
#include "calc/ui/fhistory.h"
#include "calc/ui/user_calc_history.h"
#include "masterdata/ui/code_list_fixture.h"
#include "masterdata/ui/fpriceedit.h"
#include "masterdata/ui/fproedit.h"
#include "masterdata/ui/frpicture.h"
#include "masterdata/ui/frpro.h"
#include "masterdata/ui/frsearch.h"
#include "support/modal_driver.h"
#include "widgets/command_registry.h"
#include "widgets/dbedit.h"
#include "widgets/dbgrid.h"
#include "widgets/dblookup_combo.h"
#include "widgets/dbnumber_edit.h"
#include "widgets/field_data_link.h"
#include "widgets/system_dialogs.h"
#include "widgets/window_host.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <memory>

namespace {

class ProductsWindow : public CodeListFixture {
protected:
    std::unique_ptr<TfPro> open_window()
    {
        auto window = std::make_unique<TfPro>();
        window->resize(1000, 600);
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        window->grid()->setFocus();
        return window;
    }

    void insert_product(int recid, int number, const QString &name, double cost)
    {
        exec(QStringLiteral("INSERT INTO PRO (RECID, PRO_NO, PRO_NAME, ID_PRO_GRP, UNITV, COST) "
                            "VALUES (%1, %2, '%3', 1, 'ks', %4)")
                 .arg(recid)
                 .arg(number)
                 .arg(name)
                 .arg(cost));
    }
};

// Acts on the editor of the type that opens next; it is cancelled unless the action closed
// it.
template <typename Editor> void answer(const std::function<void(Editor &)> &action)
{
    ModalDriver::on_next_modal([action](QWidget *modal) {
        auto *editor = qobject_cast<Editor *>(modal);
        if (!editor) {
            ADD_FAILURE() << "the modal window is not the editor expected";
            modal->close();
            return;
        }
        action(*editor);
        if (editor->isVisible())
            editor->reject();
    });
}

void answer_product_editor(const std::function<void(Tfm_proedit &)> &action)
{
    answer<Tfm_proedit>(action);
}

void answer_price_editor(const std::function<void(TfmPriceEdit &)> &action)
{
    answer<TfmPriceEdit>(action);
}

// Replaces what the edit holds, as a user selecting it all and typing over it.
void type_over(QWidget *window, QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    type_into(window, edit->objectName(), text);
}

} // namespace

TEST_F(ProductsWindow, ProductsAreCreatedWithGroupsUnitsAndPricesAndFoundByTyping)
{
    auto window = open_window();
    TMemTable *set = window->record_set();
    ASSERT_TRUE(set);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Produkty a služby"));
    EXPECT_FALSE(window->command("actEditPro")->isEnabled());

    QString caption;
    answer_product_editor([&](Tfm_proedit &e) {
        caption = e.windowTitle();
        EXPECT_EQ(e.number_edit()->text(), QStringLiteral("1"));
        EXPECT_EQ(e.group_combo()->currentText(), QStringLiteral("Zboží"));
        type_into(&e, QStringLiteral("DBEdit2proname"), QStringLiteral("Šroub 'M6' žárový"));
        e.unit_combo()->setFocus();
        QTest::keyClicks(e.unit_combo()->lineEdit(), QStringLiteral("ks"));
        type_over(&e, e.cost_edit(), QStringLiteral("1 234,50"));
        e.ok_button()->click();
    });
    QTest::keyClick(window->grid(), Qt::Key_Insert);
    EXPECT_EQ(caption, QStringLiteral("Přidání nového produktu."));
    ASSERT_EQ(set->record_count(), 1);
    EXPECT_EQ(
        stored("SELECT PRO_NO||'|'||PRO_NAME||'|'||ID_PRO_GRP||'|'||UNITV||'|'||COST FROM PRO"),
        QStringLiteral("1|Šroub 'M6' žárový|1|ks|1234.5"));
    EXPECT_EQ(window->cost_label()->text(), QStringLiteral("Konečná cena: 1 234,50 Kč"));

    answer_product_editor([&](Tfm_proedit &e) {
        EXPECT_EQ(e.number_edit()->text(), QStringLiteral("2"));
        type_into(&e, QStringLiteral("DBEdit2proname"), QStringLiteral("Stůl"));
        e.group_combo()->setFocus();
        QTest::keyClick(e.group_combo(), Qt::Key_Down);
        e.unit_combo()->setFocus();
        QTest::keyClicks(e.unit_combo()->lineEdit(), QStringLiteral("sada"));
        e.ok_button()->click();
    });
    QTest::keyClick(window->grid(), Qt::Key_Insert);
    EXPECT_EQ(stored("SELECT PRO_NAME||'|'||ID_PRO_GRP||'|'||UNITV||'|'||ifnull(COST,0) FROM PRO "
                     "WHERE PRO_NO=2"),
              QStringLiteral("Stůl|2|sada|0.0"));
    EXPECT_EQ(set->field_by_name("GRP_NAME").as_string(), QStringLiteral("Služby"));

    set->first();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window->grid(), 's');
    EXPECT_TRUE(window->search_strip()->has_search_focus());
    EXPECT_EQ(window->search_strip()->search_field_name(), QStringLiteral("PRO_NAME"));
    EXPECT_EQ(window->search_strip()->search_field()->text(), QStringLiteral("s"));
    EXPECT_EQ(set->field_by_name("PRO_NAME").as_string(), QStringLiteral("Stůl"));
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(ProductsWindow, ATakenNumberKeepsTheEditorOpenWithWhatWasTyped)
{
    insert_product(9001, 1, QStringLiteral("Stůl"), 250);
    auto window = open_window();
    bool stayed = false;
    answer_product_editor([&](Tfm_proedit &e) {
        type_over(&e, e.number_edit(), QStringLiteral("1"));
        type_into(&e, QStringLiteral("DBEdit2proname"), QStringLiteral("Židle"));
        e.ok_button()->click();
        stayed = e.isVisible() && e.name_edit()->text() == QStringLiteral("Židle");
        type_over(&e, e.number_edit(), QStringLiteral("5"));
        e.ok_button()->click();
    });
    QTest::keyClick(window->grid(), Qt::Key_Insert);
    EXPECT_TRUE(stayed);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, QStringLiteral("Číslo produktu je již použito, zadejte jiné."));
    EXPECT_FALSE(m_messages[0].fatal);
    EXPECT_EQ(stored("SELECT group_concat(PRO_NO||':'||PRO_NAME) FROM PRO"),
              QStringLiteral("1:Stůl,5:Židle"));
    EXPECT_EQ(window->record_set()->record_count(), 2);
}

TEST_F(ProductsWindow, AnEuroPriceIsProposedFromTheRateListAndCanBeChangedAtOnce)
{
    exec("UPDATE CURR_LIST SET CURR_KURS=25, CURR_AMOUNT=1 WHERE CURR_NAME='EUR';"
         "INSERT INTO CURR_LIST (RECID, CURR_NAME, CURR_TITLE, CURR_AMOUNT, CURR_KURS) VALUES "
         "(3, 'JPY', 'jen', 0, 14.12)");
    insert_product(9001, 1, QStringLiteral("Stůl"), 250);
    m_api->foreign_currency = true;
    auto window = open_window();
    window->pages()->setCurrentIndex(TfPro::MorePage);
    EXPECT_EQ(window->price_set(), nullptr);
    EXPECT_TRUE(window->command("actAddPrice")->isEnabled());
    EXPECT_FALSE(window->command("actEditPrice")->isEnabled());

    QStringList offered;
    QString proposed;
    QString yen_proposed;
    answer_price_editor([&](TfmPriceEdit &e) {
        EXPECT_EQ(e.windowTitle(), QStringLiteral("Nová cena v cizí měně."));
        EXPECT_EQ(e.product_label()->text(), QStringLiteral("Stůl"));
        for (int i = 0; i < e.currency_combo()->count(); ++i)
            offered << e.currency_combo()->itemText(i);
        // The price has the focus with its plain number; at rest it shows its format.
        e.currency_combo()->setFocus();
        proposed = e.price_edit()->text();
        e.currency_combo()->setCurrentIndex(2);
        yen_proposed = e.price_edit()->text();
        e.currency_combo()->setCurrentIndex(0);
        e.ok_button()->click();
    });
    window->command("actAddPrice")->trigger();
    EXPECT_EQ(offered, QStringList({"EUR, euro", "USD, americký dolar", "JPY, jen"}));
    EXPECT_EQ(proposed, QStringLiteral("10,00"));
    EXPECT_EQ(yen_proposed, QStringLiteral("0,00"));
    EXPECT_EQ(stored("SELECT PRO_ID||'|'||COST||'|'||CURR_NAME FROM PRO_CURR"), "9001|10.0|EUR");
    ASSERT_NE(window->price_set(), nullptr);
    EXPECT_EQ(window->price_set()->record_count(), 1);

    answer_price_editor([&](TfmPriceEdit &e) {
        EXPECT_EQ(e.windowTitle(), QStringLiteral("Změna ceny v cizí měně."));
        EXPECT_FALSE(e.currency_combo()->isVisible());
        type_over(&e, e.price_edit(), QStringLiteral("9,5"));
        e.ok_button()->click();
    });
    window->price_grid()->setFocus();
    QTest::keyClick(window->price_grid(), Qt::Key_Return);
    EXPECT_EQ(stored("SELECT COST||'|'||CURR_NAME FROM PRO_CURR"), "9.5|EUR");

    m_answer = mrYes;
    QTest::keyClick(window->price_grid(), Qt::Key_Delete);
    EXPECT_EQ(stored("SELECT COUNT(*) FROM PRO_CURR"), "0");
    EXPECT_TRUE(window->price_set()->is_empty());
    EXPECT_EQ(window->record_set()->record_count(), 1);
}

TEST_F(ProductsWindow, ThePricesOfOneProductNeverShowUnderAnother)
{
    insert_product(9001, 1, QStringLiteral("Stůl"), 250);
    insert_product(9002, 2, QStringLiteral("Židle"), 100);
    exec("INSERT INTO PRO_CURR (RECID, PRO_ID, COST, CURR_NAME) VALUES (9011, 9001, 10, 'EUR')");
    m_api->foreign_currency = true;
    auto window = open_window();
    TMemTable *set = window->record_set();
    window->pages()->setCurrentIndex(TfPro::MorePage);
    window->command("actRefreshPrices")->trigger();
    ASSERT_NE(window->price_set(), nullptr);
    EXPECT_EQ(window->price_set()->record_count(), 1);

    window->pages()->setCurrentIndex(TfPro::BasicPage);
    set->next();
    EXPECT_EQ(set->field_by_name("PRO_NAME").as_string(), QStringLiteral("Židle"));
    EXPECT_EQ(window->price_set(), nullptr);
    EXPECT_EQ(window->price_grid()->model()->rowCount(), 0);
    EXPECT_FALSE(window->command("actEditPrice")->isEnabled());
    EXPECT_FALSE(window->command("actDeletePrice")->isEnabled());
    window->pages()->setCurrentIndex(TfPro::MorePage);
    EXPECT_EQ(window->price_set(), nullptr);

    // A price added for the second product is offered every currency, the euro included.
    QStringList offered;
    answer_price_editor([&](TfmPriceEdit &e) {
        for (int i = 0; i < e.currency_combo()->count(); ++i)
            offered << e.currency_combo()->itemData(i).toString();
    });
    window->command("actAddPrice")->trigger();
    EXPECT_EQ(offered, QStringList({"EUR", "USD"}));

    set->prior();
    ASSERT_NE(window->price_set(), nullptr);
    EXPECT_EQ(window->price_set()->record_count(), 1);
    m_answer = mrOk;
    exec("INSERT INTO PRO_CURR (RECID, PRO_ID, COST, CURR_NAME) VALUES (9012, 9001, 12, 'usd')");
    window->command("actRefreshPrices")->trigger();
    window->command("actAddPrice")->trigger();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text,
              QStringLiteral("Tento produkt je již oceněn ve všech měnách v kurzovním lístku."));
    EXPECT_EQ(m_messages[0].help_topic, 9008);
}

TEST_F(ProductsWindow, WithoutForeignCurrenciesThePricesStayHiddenAndInsertStillAdds)
{
    auto window = open_window();
    window->pages()->setCurrentIndex(TfPro::MorePage);
    EXPECT_FALSE(window->price_box()->isVisible());
    EXPECT_FALSE(window->command("actAddPrice")->isEnabled());
    bool opened = false;
    answer_product_editor([&](Tfm_proedit &) { opened = true; });
    QTest::keyClick(window->grid(), Qt::Key_Insert);
    EXPECT_TRUE(opened);
    EXPECT_TRUE(window->record_set()->is_empty());
}

TEST_F(ProductsWindow, AProductOnInvoicesIsKeptWithTheReason)
{
    insert_product(9001, 1, QStringLiteral("Stůl"), 250);
    exec("INSERT INTO DOC_ITEMS (RECID, PRO_ID) VALUES (9021, 9001)");
    auto window = open_window();
    m_answer = mrYes;
    QTest::keyClick(window->grid(), Qt::Key_Delete);
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_EQ(m_messages[0].text, QStringLiteral("Opravdu  vymazat vybraný produkt?"));
    EXPECT_EQ(m_messages[1].text,
              QStringLiteral("Produkt nelze vymazat, je uveden v položkách uložených faktur."));
    EXPECT_EQ(window->record_set()->record_count(), 1);
    EXPECT_TRUE(window->isVisible());
}

namespace {

class RecordingHost : public WindowHost {
public:
    void set_status_hint(const QString &hint) override { hints << hint; }
    void post_command(MainCommand code, const QVariant &param) override
    {
        posted.push_back({code, param.toInt()});
    }

    QStringList hints;
    std::vector<std::pair<MainCommand, int>> posted;
};

} // namespace

TEST_F(ProductsWindow, KeysPrintFromTheSecondPageAndRefreshReopensOnTheProduct)
{
    insert_product(9001, 1, QStringLiteral("Stůl"), 250);
    insert_product(9002, 2, QStringLiteral("Židle"), 100);
    RecordingHost host;
    ScopedWindowHost scoped(host);
    std::vector<int> printed;
    shell_services().print_catalogue_item = [&printed](int product) { printed.push_back(product); };
    auto window = open_window();
    window->record_set()->next();
    window->window_activated();
    EXPECT_EQ(host.hints.value(host.hints.size() - 1),
              QStringLiteral("Seznam produktů.|INSERT-vlož nový záznam, ENTER-oprava záznamu, "
                             "DELETE-vymaž záznam, F8-menu, MEZERNÍK-tisky, ESC-zavřít."));

    QTest::keyClick(window->grid(), Qt::Key_F8);
    QStringList entries;
    for (const QAction *action : window->context_menu()->actions())
        entries << (action->isSeparator() ? QStringLiteral("-") : action->text());
    window->context_menu()->hide();
    EXPECT_EQ(entries, QStringList({"Přidat nový produkt", "Oprava produktu",
                                    "Vymazat tento produkt", "-", "Tisk vybraného záznamu", "-",
                                    "Seznam produktů, nabídkový katalog", "Prodeje produktů"}));

    window->pages()->setCurrentIndex(TfPro::MorePage);
    QTest::keyClick(window->grid(), Qt::Key_Space);
    EXPECT_EQ(printed, std::vector<int>{9002});
    shell_services().print_catalogue_item = {};

    QTest::keyClick(window->grid(), Qt::Key_F5);
    EXPECT_FALSE(window->isVisible());
    ASSERT_FALSE(host.posted.empty());
    EXPECT_EQ(host.posted.back().first, MainCommand::ReopenProducts);
    EXPECT_EQ(host.posted.back().second, 9002);
}

TEST_F(ProductsWindow, APhotographIsLoadedFromAFileAndDeletedAfterTheQuestion)
{
    insert_product(9001, 1, QStringLiteral("Stůl"), 250);
    const QString file = path(QStringLiteral("stul.jpg"));
    QImage photo(60, 40, QImage::Format_RGB32);
    photo.fill(Qt::darkGreen);
    ASSERT_TRUE(photo.save(file, "JPEG"));
    const FileDialogHook saved =
        set_file_dialog_hook([file](QWidget *, const FileDialogRequest &) { return file; });
    auto window = open_window();
    Tfr_picture *picture = window->picture();
    window->pages()->setCurrentIndex(TfPro::MorePage);
    EXPECT_FALSE(picture->delete_button()->isEnabled());
    picture->load_button()->click();
    set_file_dialog_hook(saved);
    EXPECT_FALSE(picture->is_empty());
    EXPECT_TRUE(picture->show_button()->isEnabled());
    EXPECT_EQ(stored("SELECT COUNT(*) FROM BLOBDATA WHERE RECID=9001"), "1");

    m_answer = mrYes;
    picture->delete_button()->click();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, QStringLiteral("Opravdu  vymazat fotografii produktu?"));
    EXPECT_TRUE(picture->is_empty());
    EXPECT_EQ(stored("SELECT COUNT(*) FROM BLOBDATA"), "0");
}

// A name saved with one product is offered by the name's history in the next one.
TEST_F(ProductsWindow, AProductNameSavedEarlierIsOfferedByItsHistory)
{
    const QString name = QStringLiteral("Šroub 'M6' \"žárový\"");
    auto window = open_window();
    answer_product_editor([&](Tfm_proedit &e) {
        type_into(&e, QStringLiteral("DBEdit2proname"), name);
        e.ok_button()->click();
    });
    QTest::keyClick(window->grid(), Qt::Key_Insert);
    ASSERT_EQ(window->record_set()->record_count(), 1);

    QStringList offered;
    answer_product_editor([&](Tfm_proedit &e) {
        ASSERT_EQ(e.name_history()->kind(), TUserCalcHistory::Kind::TextHistory);
        on_next_choice<Tfhistory>([&](Tfhistory &drop_down) {
            const TMemTable *texts = drop_down.record_set();
            const int column = texts->field_by_name(QStringLiteral("TXT")).index();
            for (int row = 0; row < texts->record_count(); ++row)
                offered << texts->cell_text(row, column);
            QTest::keyClick(drop_down.grid(), Qt::Key_Return);
        });
        e.name_edit()->setFocus();
        QTest::keyClick(e.name_edit(), Qt::Key_Down);
        EXPECT_EQ(e.name_edit()->text(), name);
        e.ok_button()->click();
    });
    QTest::keyClick(window->grid(), Qt::Key_Insert);
    EXPECT_EQ(offered, QStringList{name});
    EXPECT_EQ(stored("SELECT group_concat(PRO_NO||':'||PRO_NAME, '|') FROM PRO"),
              QStringLiteral("1:") + name + QStringLiteral("|2:") + name);
}

// The foreign price takes a public calculator's result; cancelling the calculator keeps
// the proposed price.
TEST_F(ProductsWindow, TheForeignPriceTakesACalculatorsResult)
{
    exec("UPDATE CURR_LIST SET CURR_KURS=25, CURR_AMOUNT=1 WHERE CURR_NAME='EUR';"
         "INSERT INTO USER_CALC VALUES (901, 'Plocha', "
         "'title: Plocha\nvar\na: strana a\nb: strana b\nformula\na*b', 'T')");
    insert_product(9001, 1, QStringLiteral("Stůl"), 250);
    m_api->foreign_currency = true;
    auto window = open_window();
    window->pages()->setCurrentIndex(TfPro::MorePage);
    double after_cancel = 0;
    answer_price_editor([&](TfmPriceEdit &e) {
        EXPECT_EQ(e.price_edit()->objectName(), QStringLiteral("RxDBCalcEdit"));
        on_next_choice<TfCalc>(
            [](TfCalc &runner) { QTest::keyClick(runner.inputs().front(), Qt::Key_Escape); });
        QTest::keyClick(e.price_edit(), Qt::Key_Down);
        after_cancel = bound_field(e.price_edit())->as_float();
        on_next_choice<TfCalc>([](TfCalc &runner) {
            ASSERT_EQ(runner.inputs().size(), 2u);
            for (QLineEdit *input : runner.inputs())
                input->clear();
            QTest::keyClicks(runner.inputs()[0], QStringLiteral("2"));
            QTest::keyClicks(runner.inputs()[1], QStringLiteral("3,5"));
            runner.result_button()->click();
        });
        e.price_edit()->calculator_action()->trigger();
        e.ok_button()->click();
    });
    window->command("actAddPrice")->trigger();
    EXPECT_EQ(after_cancel, 10);
    EXPECT_EQ(stored("SELECT COST||'|'||CURR_NAME FROM PRO_CURR"), "7.0|EUR");
}
