#include "main_window_fixture.h"
#include "data/scoped_hook.h"

#include "app/company_flag.h"
#include "app/fsetup.h"
#include "widgets/help.h"
#include "app/menu_tree.h"
#include "app/setup_appearance_page.h"
#include "app/setup_bankcash_page.h"
#include "app/setup_firm_page.h"
#include "app/setup_help_page.h"
#include "app/setup_invoice_page.h"
#include "app/setup_list_panel.h"
#include "app/setup_series_page.h"
#include "data/app_paths.h"
#include "data/inifile.h"
#include "data/setup_keys.h"
#include "masterdata/ui/code_list_fixture.h"
#include "widgets/system_dialogs.h"
#include "support/modal_driver.h"
#include "widgets/appearance.h"
#include "widgets/dbgrid.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <functional>

namespace {

using SetupAction = std::function<void(Tfm_setup &window)>;

// Acts on the settings window that opens next, and closes it unless the action did.
void on_settings(bool &seen, const SetupAction &action)
{
    ModalDriver::on_next_modal([&seen, action](QWidget *modal) {
        seen = true;
        auto *window = qobject_cast<Tfm_setup *>(modal);
        if (!window) {
            ADD_FAILURE() << "the modal window is not the settings window";
            modal->close();
            return;
        }
        action(*window);
        if (window->isVisible())
            window->reject();
    });
}

QAction *menu_item(const QList<QAction *> &actions, const QString &caption)
{
    for (QAction *action : actions) {
        if (action->text() == caption)
            return action;
        if (action->menu())
            if (QAction *found = menu_item(action->menu()->actions(), caption))
                return found;
    }
    return nullptr;
}

QString setting(const char *key)
{
    return IniFile(app_file_path(QStringLiteral(".ini")))
        .read_string(QLatin1String(setup::section), QLatin1String(key));
}

// Replaces what the field holds, as the user does by selecting it all and typing.
void retype(TSetupFirmPage &page, const QString &field, const QString &text)
{
    QTest::keyClick(page.control_of(field), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(page.control_of(field), Qt::Key_Delete);
    type_into(&page, field, text);
}

// The main window's items of the six pages, in page order.
const char *const page_items[] = {"Údaje o Vaší firmě",
                                  "Vaše fakturační adresy",
                                  "Vaše bankovní účty a pokladny",
                                  "Číselné řady Vašich dokladů",
                                  "Vzhled",
                                  "Typ nápovědy"};

class SettingsWindow : public MainWindowFixture {
protected:
    // Opens the page from the main window's menu, as the user does, and acts on it.
    void open_settings_with(int page, const SetupAction &action)
    {
        bool seen = false;
        on_settings(seen, action);
        menu_item(m_window->main_menu()->actions(), QString::fromUtf8(page_items[page]))->trigger();
        EXPECT_TRUE(seen);
    }
};

// The pages on their own, on the test's data module.
using SettingsPage = DbFixture;

} // namespace

TEST_F(SettingsWindow, MainWindowItemsAndCommandCodeOpenTheirPages)
{
    Tfm_main &window = open_window();
    struct Case {
        std::function<void()> open;
        int page;
        const char *what;
    };
    const QList<QAction *> menu = window.main_menu()->actions();
    auto item = [&](const char *caption) {
        return [&menu, caption] { menu_item(menu, QString::fromUtf8(caption))->trigger(); };
    };
    auto code = [&window](int number) {
        return [&window, number] { window.main_command(8, number); };
    };
    const Case cases[] = {
        {item(page_items[0]), 0, "menu firm"},
        {item(page_items[1]), 1, "menu addresses"},
        {item(page_items[2]), 2, "menu accounts"},
        {item(page_items[3]), 3, "menu series"},
        {item(page_items[4]), 4, "menu appearance"},
        {item(page_items[5]), 5, "menu help type"},
        {item("Nastavení parametrů"), 0, "code lists menu"},
        {code(1), 0, "code 8/1"},
        {code(2), 1, "code 8/2"},
        {code(3), 2, "code 8/3"},
        {code(8), 3, "code 8/8"},
        {code(9), 5, "code 8/9"},
    };
    for (const Case &c : cases) {
        bool seen = false;
        on_settings(seen, [&](Tfm_setup &settings) {
            EXPECT_EQ(settings.current_page(), c.page) << c.what;
            EXPECT_FALSE(window.menu_tree()->isEnabled()) << "a modal editor disables the tree";
            EXPECT_EQ(window.foreground_editor(), &settings);
        });
        c.open();
        EXPECT_TRUE(seen) << c.what;
        EXPECT_TRUE(window.menu_tree()->isEnabled()) << c.what;
        EXPECT_EQ(window.foreground_editor(), nullptr);
    }
}

TEST_F(SettingsWindow, EachPageSetsCaptionHintAndHelp)
{
    Tfm_main &window = open_window();
    open_settings_with(Tfm_setup::pgSeries, [&](Tfm_setup &settings) {
        EXPECT_EQ(settings.windowTitle(), "Číselné řady dokladů a seznamů.");
        EXPECT_EQ(window.status_texts().window, "Nastavení číselných řad.");
        EXPECT_EQ(window.status_texts().keys, "Uložit - uloží nastavení, Zavřít - konec.");
        EXPECT_EQ(help_topic(&settings), 1043);
        EXPECT_TRUE(settings.findChild<QPushButton *>("btnHelp")->isVisible());

        settings.pages()->setCurrentIndex(Tfm_setup::pgHelpType);
        EXPECT_EQ(settings.windowTitle(), "Výběr druhu kontextové nápovědy.");
        EXPECT_FALSE(settings.findChild<QPushButton *>("btnHelp")->isVisible());
        settings.pages()->setCurrentIndex(Tfm_setup::pgInvoiceAddresses);
        EXPECT_EQ(settings.windowTitle(), "Moje fakturační adresy, pobočky mojí firmy.");
        EXPECT_EQ(help_topic(&settings), 1041);
        EXPECT_EQ(window.status_texts().keys,
                  "Klikněte na tlačítko (nová, opravit, vymazat), Zavřít - konec.");
    });
}

// The firm's name and options take effect at once: the title and the foreign-invoice
// commands follow without a restart, and so does a new start.
TEST_F(SettingsWindow, StoredFirmShowsAtOnceInTheMainWindow)
{
    for (const bool foreign : {true, false}) {
        m_messages.clear();
        Tfm_main &window = open_window();
        const auto foreign_items_shown = [&window, foreign](Tfm_main &main) {
            const QList<QAction *> menu = main.main_menu()->actions();
            for (const char *caption :
                 {"Nová vydaná faktura zahraniční", "Nová došlá faktura ze zahraničí"})
                EXPECT_EQ(menu_item(menu, QString::fromUtf8(caption))->isVisible(), foreign)
                    << caption;
        };
        open_settings_with(Tfm_setup::pgFirm, [&](Tfm_setup &settings) {
            TSetupFirmPage &page = *settings.firm_page();
            retype(page, QStringLiteral("MYNAME"), QStringLiteral("Dřevo s.r.o."));
            retype(page, QStringLiteral("MYID"), QStringLiteral("12345678"));
            auto *box = static_cast<QCheckBox *>(page.control_of(QStringLiteral("FORE_CURR")));
            if (box->isChecked() != foreign)
                box->click();
            page.save_button()->click();
            EXPECT_TRUE(settings.isVisible());
        });
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_EQ(m_messages[0].title, "Nastavení");
        EXPECT_EQ(m_messages[0].text, "Záznam o firmě byl uložen.");
        EXPECT_EQ(m_messages[0].style, mbIconInformation);
        EXPECT_EQ(m_messages[0].help_topic, 1045);
        EXPECT_EQ(sqlite_shell("SELECT MYNAME, MYID, FORE_CURR FROM CONF_ADDRESS WHERE RECID=1"),
                  QString("Dřevo s.r.o.|12345678|") + (foreign ? "T" : "F"));
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Tallyra \u2013 Dřevo s.r.o."));
        EXPECT_EQ(window.findChild<QLabel *>(QStringLiteral("panel_database"))->text(),
                  "tallyra.db");
        foreign_items_shown(window);
        EXPECT_EQ(company_flag(QStringLiteral("FORE_CURR")), foreign);

        m_window.reset();
        Tfm_main &restarted = open_window();
        EXPECT_EQ(restarted.windowTitle(), QStringLiteral("Tallyra \u2013 Dřevo s.r.o."));
        foreign_items_shown(restarted);
        m_window.reset();
    }
}

TEST_F(SettingsWindow, ReadOnlyDatabaseRefusesTheFirmWithoutTheQuestion)
{
    open_window();
    dbAPI->read_only = true;
    open_settings_with(Tfm_setup::pgFirm, [&](Tfm_setup &settings) {
        TSetupFirmPage &page = *settings.firm_page();
        type_into(&page, QStringLiteral("MYNAME"), QStringLiteral("Nová"));
        page.save_button()->click();
        EXPECT_TRUE(settings.isVisible());
        EXPECT_EQ(static_cast<QLineEdit *>(page.control_of(QStringLiteral("MYNAME")))->text(),
                  "Nová")
            << "what the user typed stays";
    });
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text,
              "Záznam nelze uložit. Datový soubor je na disku, na který nelze zapisovat!");
    EXPECT_EQ(sqlite_shell("SELECT MYNAME FROM CONF_ADDRESS WHERE RECID=1"), "");
}

TEST_F(SettingsWindow, DeletingTheOnlyAddressDisablesCorrectAndDelete)
{
    exec(QStringLiteral("INSERT INTO CONF_INVOICE (RECID, NAZEV, ADRESA) VALUES (7, 'Sídlo', "
                        "'Dlouhá 1\r\nPraha')"));
    open_window();
    m_answer = mrYes;
    open_settings_with(Tfm_setup::pgInvoiceAddresses, [&](Tfm_setup &settings) {
        TSetupListPanel &list = *settings.invoice_page()->list();
        EXPECT_TRUE(list.edit_button()->isEnabled());
        EXPECT_TRUE(list.remove_button()->isEnabled());
        list.remove_button()->click();
        EXPECT_FALSE(list.edit_button()->isEnabled());
        EXPECT_FALSE(list.remove_button()->isEnabled());
        EXPECT_TRUE(list.add_button()->isEnabled());
    });
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, "Opravdu si přejete vymazat tuto fakturační adresu?");
    EXPECT_EQ(m_messages[0].style, 308);
    EXPECT_EQ(sqlite_shell("SELECT count(*) FROM CONF_INVOICE"), "0");
}

// A row added to either list is an account or a cash desk by the list it was added to.
TEST_F(SettingsWindow, NewRowsBelongToTheirList)
{
    open_window();
    open_settings_with(Tfm_setup::pgBankCash, [&](Tfm_setup &settings) {
        TSetupBankCashPage &page = *settings.bank_cash_page();
        for (TSetupListPanel *list : {page.accounts(), page.desks()}) {
            EXPECT_TRUE(list->add_button()->isEnabled());
            EXPECT_FALSE(list->edit_button()->isEnabled())
                << "an empty list has nothing to correct";
            EXPECT_FALSE(list->remove_button()->isEnabled());
        }
        answer_editor([](Tfm_listedit &editor) {
            EXPECT_EQ(editor.windowTitle(), "Nový bankovní účet");
            EXPECT_EQ(help_topic(&editor), 1042);
            type_into(&editor, QStringLiteral("MNAME"), QStringLiteral("Hlavní účet"));
            for (const char *field : {"MNO", "MADDRESS", "SWIFT", "IBAN"})
                type_into(&editor, QLatin1String(field), QStringLiteral("X1"));
            editor.ok_button()->click();
        });
        page.accounts()->add_button()->click();
        answer_editor([](Tfm_listedit &editor) {
            EXPECT_EQ(editor.windowTitle(), "Přidat pokladnu");
            type_into(&editor, QStringLiteral("MNAME"), QStringLiteral("Pokladna Kč"));
            editor.ok_button()->click();
        });
        QTest::keyClick(page.desks()->grid(), Qt::Key_Insert);
        EXPECT_TRUE(page.accounts()->edit_button()->isEnabled());
        EXPECT_TRUE(page.desks()->remove_button()->isEnabled());
    });
    EXPECT_EQ(sqlite_shell("SELECT MNAME, IS_BANK FROM CONF_BANKCASH ORDER BY RECID"),
              "Hlavní účet|T\nPokladna Kč|F");
}

TEST_F(SettingsPage, SeriesPageWritesWhatItShowsInOrder)
{
    exec(QStringLiteral("UPDATE GENER_NO SET GEN_ID=41 WHERE RECID=1"));
    exec(QStringLiteral("UPDATE GENER_NO SET GEN_ID=1000, INCREMENT_ID=10 WHERE RECID=1024"));
    exec(QStringLiteral("UPDATE GENER_NO SET TXT='PD' WHERE RECID=128"));
    exec(QStringLiteral("CREATE TABLE WRITES (SERIES INTEGER)"));
    exec(QStringLiteral("CREATE TRIGGER LOG_WRITES AFTER UPDATE ON GENER_NO BEGIN "
                        "INSERT INTO WRITES VALUES (NEW.RECID); END"));
    Tfm_setup settings(Tfm_setup::pgSeries);
    TSetupSeriesPage &page = *settings.series_page();
    EXPECT_EQ(page.counter(1)->value(), 41);
    EXPECT_EQ(page.counter(1024)->value(), 1000);
    EXPECT_EQ(page.step(1024)->value(), 10);
    EXPECT_EQ(page.prefix()->text(), "PD");
    EXPECT_EQ(page.step(1), nullptr) << "document series always count by one";

    page.counter(2)->setValue(57);
    page.counter(128)->setValue(15);
    page.prefix()->setText(QStringLiteral("PK"));
    page.counter(1025)->setValue(500);
    page.step(1025)->setValue(5);
    m_answer = mrYes;
    page.save_button()->click();

    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_EQ(m_messages[0].title, "Nastavení");
    EXPECT_EQ(m_messages[0].text, "Uložit číselné řady?");
    EXPECT_EQ(m_messages[0].style, 36);
    EXPECT_EQ(m_messages[1].text, "Číselné řady byly uloženy");
    EXPECT_EQ(m_messages[1].style, 64);
    EXPECT_EQ(m_messages[1].help_topic, 1045);
    EXPECT_EQ(sqlite_shell("SELECT group_concat(SERIES, ' ') FROM WRITES"),
              "1 2 3 4 128 1024 1025");
    EXPECT_EQ(sqlite_shell("SELECT RECID, GEN_ID, INCREMENT_ID, ifnull(TXT, '') FROM GENER_NO "
                           "ORDER BY RECID"),
              "1|41|1|\n2|57|1|\n3|0|1|\n4|0|1|\n128|15|1|PK\n1024|1000|10|\n1025|500|5|");
    EXPECT_EQ(sqlite_shell("SELECT typeof(GEN_ID) FROM GENER_NO WHERE RECID=2"), "integer");
}

TEST_F(SettingsPage, FailedWriteStopsTheSeriesAndTakesBackTheWrittenOnes)
{
    exec(QStringLiteral("CREATE TRIGGER REFUSE_128 BEFORE UPDATE ON GENER_NO WHEN NEW.RECID=128 "
                        "BEGIN SELECT RAISE(ABORT, 'odmítnuto'); END"));
    Tfm_setup settings(Tfm_setup::pgSeries);
    TSetupSeriesPage &page = *settings.series_page();
    page.counter(4)->setValue(9);
    page.counter(1024)->setValue(77);
    m_answer = mrYes;
    EXPECT_FALSE(page.save());
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_TRUE(m_messages[1].fatal) << "a failed update ends the program";
    EXPECT_EQ(sqlite_shell("SELECT GEN_ID FROM GENER_NO WHERE RECID IN (4, 1024) ORDER BY RECID"),
              "0\n1");
    set_program_ending(false);

    m_messages.clear();
    m_answer = mrNo;
    page.counter(4)->setValue(12);
    EXPECT_FALSE(page.save());
    EXPECT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(sqlite_shell("SELECT GEN_ID FROM GENER_NO WHERE RECID=4"), "0");
}

TEST_F(SettingsWindow, FactorySettingsAreStoredAtOnce)
{
    write_setup(setup::save_position, 0);
    write_setup(setup::maximize, 1);
    write_setup(setup::tree_menu, 0);
    write_setup(setup::dialog_color, setup::rgb_color(1, 2, 3));
    open_window();
    open_settings_with(Tfm_setup::pgAppearance, [&](Tfm_setup &settings) {
        TSetupAppearancePage &page = *settings.appearance_page();
        EXPECT_FALSE(page.tree_box()->isChecked());
        EXPECT_EQ(page.color_value(QStringLiteral("DLG_COLOR")), setup::rgb_color(1, 2, 3));
        EXPECT_EQ(page.start_table()->checkedId(), setup::arNothing);
        settings.findChild<QPushButton *>("btnFactory")->click();
        EXPECT_FALSE(settings.isVisible()) << "stored, the window closes";
    });
    const std::pair<const char *, int> stored[] = {
        {setup::tree_menu, 1},
        {setup::save_position, 1},
        {setup::maximize, 0},
        {setup::dialog_color, setup::rgb_color(244, 248, 248)},
        {setup::grid_color, setup::system_color_window},
        {setup::ruler_color, setup::rgb_color(244, 244, 248)},
        {setup::tree_color, setup::system_color_window},
        {setup::view_color, setup::system_color_tooltip},
        {setup::auto_run, setup::arTaxRecords},
    };
    for (const auto &[key, value] : stored)
        EXPECT_EQ(setting(key), QString::number(value)) << key;
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, "Nastavení je uloženo. Změny se projeví po uzavření oken.");
    EXPECT_EQ(m_messages[0].title, "Nastavení");
    EXPECT_EQ(m_messages[0].help_topic, 1045);
    EXPECT_EQ(appearance().dialog_color, QColor(244, 248, 248)) << "the main window re-read it";
    EXPECT_TRUE(appearance().tree_visible);
}

TEST_F(SettingsWindow, ChosenColourIsStoredAndTakenByTheMainWindow)
{
    Tfm_main &window = open_window();
    {
        const ScopedHook<ColorDialogHook> colour(set_color_dialog_hook, [](QColor &color,
                                                                           QWidget *) {
            EXPECT_EQ(color, QApplication::palette().color(QPalette::Base))
                << "starts on the current";
            color = QColor(10, 20, 30);
            return true;
        });
        open_settings_with(Tfm_setup::pgAppearance, [&](Tfm_setup &settings) {
            settings.findChild<QPushButton *>("btnTreeColor")->click();
            settings.findChild<QCheckBox *>("chkTreeMenu")->setChecked(false);
            settings.findChild<QAbstractButton *>("rbAutoRun3")->click();
            settings.findChild<QPushButton *>("btnSaveLook")->click();
        });
    }
    EXPECT_EQ(setting(setup::tree_color), QString::number(setup::rgb_color(10, 20, 30)));
    EXPECT_EQ(setting(setup::auto_run), "3");
    EXPECT_EQ(setting(setup::tree_menu), "0");
    EXPECT_EQ(window.menu_tree()->palette().color(QPalette::Base), QColor(10, 20, 30));
    EXPECT_TRUE(window.menu_tree()->isHidden());
}

// A settings file that cannot be written: a folder stands where the file would be.
TEST_F(SettingsPage, UnwritableSettingsFileIsReportedAndTheWindowStays)
{
    const QString ini = app_file_path(QStringLiteral(".ini"));
    QFile::remove(ini);
    ASSERT_TRUE(QDir().mkpath(ini));
    for (const int page : {int(Tfm_setup::pgAppearance), int(Tfm_setup::pgHelpType)}) {
        m_messages.clear();
        Tfm_setup settings(page);
        settings.show();
        const bool saved = page == Tfm_setup::pgAppearance ? settings.appearance_page()->save()
                                                           : settings.help_page()->save();
        EXPECT_FALSE(saved);
        EXPECT_TRUE(settings.isVisible());
        ASSERT_EQ(m_messages.size(), 1u) << page;
        EXPECT_EQ(m_messages[0].title, "Chyba");
        const QString explanation = QStringLiteral(
            "Nastavení nelze uložit. Program je pravděpodobně spuštěn z disku, na který nelze "
            "zapisovat!\r\n\r\n");
        EXPECT_TRUE(m_messages[0].text.startsWith(explanation));
        EXPECT_GT(m_messages[0].text.size(), explanation.size()) << "the system's reason follows";
        EXPECT_EQ(m_messages[0].style, 48);
        EXPECT_EQ(m_messages[0].help_topic, 9002);
    }
}

TEST_F(SettingsWindow, HelpTypeCountsAtOnce)
{
    open_window();
    Tfm_setup settings(Tfm_setup::pgHelpType);
    TSetupHelpPage &page = *settings.help_page();
    EXPECT_EQ(page.help_types()->checkedId(), setup::htWebBrowser);
    page.help_types()->button(setup::htCompiledHtml)->click();
    EXPECT_TRUE(page.save());
    EXPECT_EQ(setting(setup::help_type), "0");
    EXPECT_EQ(appearance().help_type, setup::htCompiledHtml);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, "Zvolený typ nápovědy je uložen.");
}

TEST_F(SettingsPage, CompanyFlagNeedsTheColumnTheRowAndT)
{
    exec(QStringLiteral("UPDATE CONF_ADDRESS SET FORE_CURR='T', MYID='' WHERE RECID=1"));
    EXPECT_TRUE(company_flag(QStringLiteral("FORE_CURR")));
    EXPECT_TRUE(company_flag(QStringLiteral("fore_curr")));
    EXPECT_FALSE(company_flag(QStringLiteral("MYID")));
    EXPECT_FALSE(company_flag(QStringLiteral("NO_SUCH_COLUMN")));
    exec(QStringLiteral("DELETE FROM CONF_ADDRESS"));
    EXPECT_FALSE(company_flag(QStringLiteral("FORE_CURR")));
}
