// The choice of a new invoice's kind and currency, as the book and the main window's
// foreign-invoice commands ask it.

#include "documents/ui/document_book_fixture.h"
#include "documents/ui/fdoctypeselect.h"
#include "support/modal_driver.h"
#include "widgets/values_combobox.h"
#include "widgets/window_host.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QPushButton>
#include <QTest>
#include <functional>

namespace {

class DocTypeSelect : public DocumentBookFixture {
protected:
    void SetUp() override
    {
        DocumentBookFixture::SetUp();
        exec(QStringLiteral("DELETE FROM CURR_LIST"));
        m_euro = add_currency(QStringLiteral("EUR"), QStringLiteral("euro"));
        m_dollar = add_currency(QStringLiteral("USD"), QStringLiteral("americký dolar"));
    }

    // Runs choose_new_document while `action` acts on the dialog, which is cancelled
    // unless the action closed it.
    int choose(int type, int preset, const std::function<void(Tfm_doctypeselect &)> &action)
    {
        ModalDriver::on_next_modal([action](QWidget *modal) {
            auto *dialog = qobject_cast<Tfm_doctypeselect *>(modal);
            if (!dialog) {
                ADD_FAILURE() << "the modal window is not the choice dialog";
                modal->close();
                return;
            }
            action(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        return choose_new_document(type, preset);
    }

    int m_euro = 0;
    int m_dollar = 0;
};

QStringList entries(const TValuesComboBox &list)
{
    QStringList texts;
    for (int index = 0; index < list.count(); ++index)
        texts << list.itemText(index);
    return texts;
}

class EditorHost : public WindowHost {
public:
    void set_status_hint(const QString &text) override { hints << text; }
    void editor_opened(const QString &caption) override { events << "+" + caption; }
    void editor_closed(const QString &caption) override { events << "-" + caption; }
    QStringList hints;
    QStringList events;
};

} // namespace

TEST_F(DocTypeSelect, WithoutForeignCurrenciesTheHomeCurrencyIsChosenWithoutAsking)
{
    set_foreign_currency(false);
    EXPECT_EQ(choose_new_document(1, -1), 0);
    EXPECT_EQ(choose_new_document(2, 1), 0);
}

TEST_F(DocTypeSelect, FromTheBookBothKindsAreOfferedWithKcFirst)
{
    set_foreign_currency(true);
    EditorHost host;
    ScopedWindowHost installed(host);
    QStringList shown;
    bool list_enabled = true;
    const int home = choose(1, -1, [&](Tfm_doctypeselect &dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("NOVÁ faktura vydaná - vyberte typ"));
        ASSERT_EQ(dialog.kinds()->buttons().size(), 2);
        EXPECT_EQ(dialog.kinds()->button(0)->text(), QStringLiteral("Nová vydaná faktura"));
        EXPECT_EQ(dialog.kinds()->button(1)->text(),
                  QStringLiteral("Nová vydaná faktura do zahraničí"));
        EXPECT_TRUE(dialog.kinds()->button(0)->isChecked());
        EXPECT_TRUE(dialog.kinds()->button(1)->isEnabled());
        shown = entries(*dialog.currency_list());
        list_enabled = dialog.currency_list()->isEnabled();
        dialog.ok_button()->click();
    });
    EXPECT_EQ(home, 0);
    EXPECT_EQ(shown, (QStringList{"Kč", "EUR - euro", "USD - americký dolar"}));
    EXPECT_FALSE(list_enabled) << "a domestic invoice is in Kč";
    const QString caption = QStringLiteral("NOVÁ faktura vydaná - vyberte typ");
    EXPECT_EQ(host.events, (QStringList{"+" + caption, "-" + caption}));
    ASSERT_FALSE(host.hints.isEmpty());
    EXPECT_EQ(host.hints.first(),
              caption + QStringLiteral("|OK - vybrat a pokračovat, Storno - zpět."));

    // The foreign kind opens the list; going back to the domestic one returns it to "Kč".
    const int foreign = choose(1, -1, [&](Tfm_doctypeselect &dialog) {
        dialog.kinds()->button(1)->click();
        EXPECT_TRUE(dialog.currency_list()->isEnabled());
        dialog.currency_list()->setCurrentIndex(2);
        dialog.kinds()->button(0)->click();
        EXPECT_FALSE(dialog.currency_list()->isEnabled());
        EXPECT_EQ(dialog.currency_list()->currentIndex(), 0);
        dialog.kinds()->button(1)->click();
        dialog.currency_list()->setCurrentIndex(1);
        dialog.ok_button()->click();
    });
    EXPECT_EQ(foreign, m_euro);

    EXPECT_EQ(choose(2, -1,
                     [](Tfm_doctypeselect &dialog) {
                         EXPECT_EQ(dialog.windowTitle(),
                                   QStringLiteral("NOVÁ faktura došlá - vyberte typ"));
                         EXPECT_EQ(dialog.kinds()->button(1)->text(),
                                   QStringLiteral("Nová došlá faktura ze zahraničí"));
                     }),
              -1)
        << "cancelled";
}

TEST_F(DocTypeSelect, TheForeignCommandsAllowOnlyTheForeignKindAndNoKc)
{
    set_foreign_currency(true);
    QStringList shown;
    const int chosen = choose(2, 1, [&](Tfm_doctypeselect &dialog) {
        EXPECT_FALSE(dialog.kinds()->button(0)->isEnabled());
        EXPECT_TRUE(dialog.kinds()->button(1)->isEnabled());
        EXPECT_TRUE(dialog.kinds()->button(1)->isChecked());
        EXPECT_TRUE(dialog.currency_list()->isEnabled());
        shown = entries(*dialog.currency_list());
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        dialog.kinds()->button(1)->setFocus();
        QTest::keyClick(dialog.kinds()->button(1), Qt::Key_Return);
        EXPECT_TRUE(dialog.currency_list()->hasFocus()) << "Enter on a kind moves on";
        QTest::keyClick(dialog.currency_list(), Qt::Key_Down);
        QTest::keyClick(dialog.currency_list(), Qt::Key_Return);
        EXPECT_FALSE(dialog.isVisible()) << "Enter in the last field confirms";
    });
    EXPECT_EQ(shown, (QStringList{"EUR - euro", "USD - americký dolar"}));
    EXPECT_EQ(chosen, m_dollar);
}

// A foreign invoice needs a currency of the rate list: with none there, OK cannot be
// pressed instead of silently opening nothing.
TEST_F(DocTypeSelect, WithAnEmptyRateListTheForeignKindCannotBeConfirmed)
{
    exec(QStringLiteral("DELETE FROM CURR_LIST"));
    set_foreign_currency(true);
    bool ok_enabled = true;
    EXPECT_EQ(
        choose(1, 1,
               [&](Tfm_doctypeselect &dialog) { ok_enabled = dialog.ok_button()->isEnabled(); }),
        -1);
    EXPECT_FALSE(ok_enabled);
}
