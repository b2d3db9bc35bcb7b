#include "main_window_fixture.h"

#include "app/fabout.h"
#include "app/flangselect.h"
#include "app/fsetup.h"
#include "app/fwizard.h"
#include "app/program_banner.h"
#include "data/app_paths.h"
#include "data/inifile.h"
#include "data/setup_keys.h"
#include "platform/dm/dm.h"
#include "support/modal_driver.h"
#include "widgets/help.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QToolButton>

namespace {

using Guide = MainWindowFixture;
using LanguageChoice = MainWindowFixture;
using AboutBox = MainWindowFixture;

QList<TfmWizard *> open_guides()
{
    QList<TfmWizard *> guides;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (auto *guide = qobject_cast<TfmWizard *>(window); guide && guide->isVisible())
            guides << guide;
    return guides;
}

void close_guide(TfmWizard *guide)
{
    QPointer<TfmWizard> closing = guide;
    guide->close();
    for (int i = 0; i < 20 && closing; ++i)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closing.isNull()) << "the guide frees itself";
}

QAction *help_menu_item(Tfm_main &window, const QString &caption)
{
    for (QAction *menu : window.main_menu()->actions())
        if (menu->menu() && menu->text() == QLatin1String("Pomoc"))
            for (QAction *item : menu->menu()->actions())
                if (item->text() == caption)
                    return item;
    return nullptr;
}

void write_languages(const QStringList &lines)
{
    IniFile settings(app_file_path(QStringLiteral(".ini")));
    for (const QString &line : lines)
        ASSERT_TRUE(settings.write_string(QStringLiteral("LANGUAGE"), line.section(u'=', 0, 0),
                                          line.section(u'=', 1)));
}

} // namespace

TEST_F(Guide, CheckBoxDecidesWhetherTheGuideShowsAtTheNextStart)
{
    struct Case {
        std::optional<int> stored;
        bool starts_checked;
        bool tick;
        const char *written;
    };
    const Case cases[] = {
        {std::nullopt, false, true, "0"},
        {1, false, false, "1"},
        {0, true, false, "0"},
        {0, true, true, "1"},
    };
    for (const Case &c : cases) {
        IniFile settings(app_file_path(QStringLiteral(".ini")));
        if (c.stored)
            settings.write_int(QLatin1String(setup::section), setup::wizard, *c.stored);
        else
            settings.delete_key(QLatin1String(setup::section), setup::wizard);
        auto *guide = new TfmWizard;
        guide->show();
        EXPECT_EQ(guide->hide_box()->isChecked(), c.starts_checked);
        if (c.tick)
            guide->hide_box()->click();
        close_guide(guide);
        EXPECT_EQ(IniFile(app_file_path(QStringLiteral(".ini")))
                      .read_string(QLatin1String(setup::section), setup::wizard),
                  c.written);
    }
}

TEST_F(Guide, ShowsOnceBesideTheMainWindowAndOpensItsEntries)
{
    Tfm_main &window = open_window();
    window.show();
    QAction *show_guide_item = help_menu_item(window, QStringLiteral("Zobrazit průvodce"));
    ASSERT_NE(show_guide_item, nullptr);
    show_guide_item->trigger();
    show_guide_item->trigger();
    const QList<TfmWizard *> guides = open_guides();
    ASSERT_EQ(guides.size(), 1);
    TfmWizard &guide = *guides[0];
    EXPECT_EQ(guide.windowTitle(), "  Průvodce programem Tallyra");
    EXPECT_EQ(guide.size(), QSize(348, 486));
    EXPECT_TRUE(guide.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_NEAR(guide.windowOpacity(), 208.0 / 255.0, 0.01);
    EXPECT_EQ(guide.frameGeometry().right(), window.screen()->geometry().right() - 8);
    EXPECT_EQ(guide.frameGeometry().bottom(), window.frameGeometry().bottom() - 8);
    EXPECT_EQ(guide.findChild<QLabel *>("lblVersion")->text(),
              QStringLiteral("Verze 2.12 (db%1)").arg(dm_version()));

    struct Case {
        const char *entry;
        int page;
    };
    for (const Case &c :
         {Case{"btnEntry9", Tfm_setup::pgHelpType}, Case{"btnEntry1", Tfm_setup::pgFirm},
          Case{"btnEntry8", Tfm_setup::pgSeries}}) {
        int page = -1;
        ModalDriver::on_next_modal([&page](QWidget *modal) {
            if (auto *settings = qobject_cast<Tfm_setup *>(modal))
                page = settings->current_page();
            modal->close();
        });
        guide.findChild<QToolButton *>(QLatin1String(c.entry))->click();
        for (int i = 0; i < 100 && page < 0; ++i)
            QTest::qWait(10);
        EXPECT_EQ(page, c.page) << c.entry;
    }
    EXPECT_TRUE(guide.isVisible()) << "the guide stays for the next step";

    struct HelpRecorder : WindowHost {
        int topic = -1;
        void help_request(int requested) override { topic = requested; }
    } help;
    {
        const ScopedWindowHost installed(help);
        int &topic = help.topic;
        guide.findChild<QToolButton *>("btnHelp8")->click();
        EXPECT_EQ(topic, 1043);
        guide.activateWindow();
        QApplication::setActiveWindow(&guide);
        guide.hide_box()->setFocus();
        QTest::keyClick(guide.hide_box(), Qt::Key_F1);
        EXPECT_EQ(topic, 101) << "F1 gives the guide's own topic again";
    }
    close_guide(&guide);
}

TEST_F(LanguageChoice, HomeFirmPrintsInCzechWithoutAsking)
{
    open_window();
    dbAPI->foreign_currency = false;
    write_languages({QStringLiteral("ENGLISH=Anglicky")});
    QString code = QStringLiteral("x");
    EXPECT_TRUE(choose_invoice_language(code));
    EXPECT_EQ(code, "CZECH");
}

TEST_F(LanguageChoice, OffersTheLanguagesOfTheSettingsInFileOrder)
{
    open_window();
    dbAPI->foreign_currency = true;
    write_languages({QStringLiteral("ENGLISH=Anglicky"), QStringLiteral("GERMAN="),
                     QStringLiteral("CZECH=Česky")});
    struct Case {
        int select; // -1: keep the first
        const char *button;
        bool chosen;
        const char *code;
    };
    for (const Case &c : {Case{-1, "btnOk", true, "ENGLISH"}, Case{1, "btnOk", true, "GERMAN"},
                          Case{2, "btnCancel", false, ""}}) {
        QStringList shown;
        ModalDriver::on_next_modal([&](QWidget *modal) {
            auto *window = qobject_cast<TfmLangSelect *>(modal);
            if (!window) {
                ADD_FAILURE() << "no language window";
                modal->close();
                return;
            }
            EXPECT_EQ(window->windowTitle(), "Vydaná faktura - výběr jazyka");
            for (QAbstractButton *entry : window->choices()->buttons())
                shown << entry->text();
            EXPECT_EQ(window->choices()->checkedId(), 0);
            if (c.select >= 0)
                window->choices()->button(c.select)->click();
            ModalDriver::click(window, c.button);
        });
        QString code = QStringLiteral("x");
        EXPECT_EQ(choose_invoice_language(code), c.chosen);
        EXPECT_EQ(code, c.code);
        EXPECT_EQ(shown, (QStringList{"Anglicky", "GERMAN", "Česky"}));
    }
}

TEST_F(LanguageChoice, EmptyLanguageSectionGivesCzech)
{
    open_window();
    dbAPI->foreign_currency = true;
    IniFile(app_file_path(QStringLiteral(".ini")))
        .write_string(QStringLiteral("LANGUAGE"), "X", "");
    IniFile(app_file_path(QStringLiteral(".ini"))).delete_key(QStringLiteral("LANGUAGE"), "X");
    ModalDriver::on_next_modal([](QWidget *modal) {
        auto *window = qobject_cast<TfmLangSelect *>(modal);
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->choices()->buttons().isEmpty());
        ModalDriver::click(window, "btnOk");
    });
    QString code;
    EXPECT_TRUE(choose_invoice_language(code));
    EXPECT_EQ(code, "CZECH");
}

TEST_F(AboutBox, ShowsTheVersionAndOpensTheMakersPage)
{
    Tfm_main &window = open_window();
    bool seen = false;
    ModalDriver::on_next_modal([&](QWidget *modal) {
        seen = true;
        EXPECT_EQ(modal->windowTitle(), "O programu");
        EXPECT_EQ(modal->findChild<QLabel *>("lblVersion")->text(),
                  QStringLiteral("Verze 2.12 (db%1)").arg(dm_version()));
        EXPECT_TRUE(modal->findChild<QLabel *>("lblFeatures")
                        ->text()
                        .startsWith("- daňová evidence\n- kniha vydaných faktur"));
        modal->findChild<QLabel *>("lblMaker")->linkActivated(maker_web_page());
        ModalDriver::click(modal, "btnOk");
    });
    help_menu_item(window, QStringLiteral("O programu..."))->trigger();
    EXPECT_TRUE(seen);
    ASSERT_EQ(m_launched.size(), 1u);
    EXPECT_TRUE(m_launched[0].arguments.contains(maker_web_page()));
}
