#include "main_window_fixture.h"

#include "app/database_chooser.h"
#include "app/fdialog.h"
#include "widgets/help.h"
#include "widgets/system_dialogs.h"
#include "app/menu_tree.h"
#include "data/scoped_hook.h"
#include "data/app_paths.h"
#include "data/inifile.h"
#include "data/setup_keys.h"
#include "support/modal_driver.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <optional>

namespace {

QStringList child_texts(const QTreeWidgetItem *node)
{
    QStringList texts;
    for (int i = 0; i < node->childCount(); ++i)
        texts << node->child(i)->text(0);
    return texts;
}

void write_file(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QString file_text(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QRect default_geometry()
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    return {screen.width() / 16, screen.height() / 16, screen.width() - screen.width() / 8,
            screen.height() - screen.height() / 8};
}

} // namespace

TEST_F(MainWindowFixture, FirstStartCreatesTheProposedDatabaseAndShowsTheMenuTree)
{
    QFile::remove(path(QStringLiteral("app/tallyra.cfg")));
    install_database_chooser();
    QString proposal;
    ModalDriver::on_next_modal([&](QWidget *question) {
        proposal = question->findChild<QLabel *>(QStringLiteral("lblPath"))->text();
        ModalDriver::click(question, "btnCreate");
    });
    Tfm_main &window = open_window();
    dm_set_chooser(nullptr);

    const QString database = path(QStringLiteral("xdg/tallyra/tallyra.db"));
    EXPECT_EQ(proposal, database);
    EXPECT_TRUE(window.database_open());
    EXPECT_FALSE(program_ending());
    EXPECT_TRUE(QFileInfo::exists(database));
    EXPECT_EQ(file_text(path(QStringLiteral("app/tallyra.cfg"))), "sqlite:" + database);
    EXPECT_GT(dbAPI->count_rows(QStringLiteral("DOC_TYPES")), 0);
    EXPECT_TRUE(m_messages.empty());

    // "Soubor" and "Pomoc" carry tag 0 and stay out of the tree.
    const TMenuTree *tree = window.menu_tree();
    EXPECT_EQ(child_texts(tree->main_menu_root()),
              (QStringList{"Seznamy", "Účetní záznamy", "Číselníky", "Přídavné moduly"}));
    EXPECT_EQ(tree->open_windows_root()->text(0), "Aktivní okna");
    ASSERT_NE(tree->issued_credit_notes(), nullptr);
    EXPECT_FALSE(tree->issued_credit_notes()->isExpanded());
    EXPECT_TRUE(tree->main_menu_root()->child(1)->isExpanded());
}

TEST_F(MainWindowFixture, CancellingTheDatabaseQuestionEndsTheProgramQuietly)
{
    // Both at the first start and after the configured database did not open.
    for (const bool configured : {false, true}) {
        SCOPED_TRACE(configured);
        QFile::remove(path(QStringLiteral("app/tallyra.cfg")));
        if (configured)
            write_file(path(QStringLiteral("app/tallyra.cfg")),
                       "sqlite:" + path(QStringLiteral("data/chybi.db")).toUtf8());
        install_database_chooser();
        int questions = 0;
        ModalDriver::on_next_modal([&](QWidget *question) {
            ++questions;
            QTest::keyClick(question, Qt::Key_Escape);
        });
        Tfm_main &window = open_window();
        dm_set_chooser(nullptr);

        EXPECT_EQ(questions, 1);
        EXPECT_FALSE(window.database_open());
        EXPECT_TRUE(program_ending());
        EXPECT_TRUE(m_messages.empty()) << "no fatal box for the user's own choice";
        m_window.reset();
        set_program_ending(false);
    }
}

TEST_F(MainWindowFixture, DatabaseThatStaysClosedEndsTheProgramWithAFatalMessage)
{
    QFile::remove(path(QStringLiteral("app/tallyra.cfg")));
    // A file where the proposed database's folder should be: the database cannot be made.
    write_file(path(QStringLiteral("xdg/tallyra")), "x");
    install_database_chooser();
    ModalDriver::on_next_modal([](QWidget *first) {
        ModalDriver::on_next_modal(
            [](QWidget *second) { ModalDriver::click(second, "btnCreate"); });
        ModalDriver::click(first, "btnCreate");
    });
    Tfm_main &window = open_window();
    dm_set_chooser(nullptr);

    EXPECT_FALSE(window.database_open());
    EXPECT_TRUE(program_ending());
    ASSERT_FALSE(m_messages.empty());
    EXPECT_TRUE(m_messages.back().fatal);
    EXPECT_EQ(m_messages.back().title, "Chyba!");
}

TEST_F(MainWindowFixture, FirstStartSetsAsideAnEmptyFileAndCreatesADatabaseInItsPlace)
{
    QFile::remove(path(QStringLiteral("app/tallyra.cfg")));
    const QString database = path(QStringLiteral("xdg/tallyra/tallyra.db"));
    QDir().mkpath(path(QStringLiteral("xdg/tallyra")));
    QFile(database).open(QIODevice::WriteOnly); // left by a creation that was interrupted
    install_database_chooser();
    QString button, reason;
    bool create_is_default = false;
    ModalDriver::on_next_modal([&](QWidget *question) {
        auto *create = question->findChild<QPushButton *>(QStringLiteral("btnCreate"));
        button = create->text();
        create_is_default = create->isDefault();
        reason = question->findChild<QLabel *>(QStringLiteral("lblReason"))->text();
        ModalDriver::click(question, "btnCreate");
    });
    Tfm_main &window = open_window();
    dm_set_chooser(nullptr);

    EXPECT_EQ(button, "Odložit soubor a vytvořit novou databázi");
    EXPECT_TRUE(create_is_default) << "an empty file holds nothing to lose";
    EXPECT_TRUE(reason.contains("je prázdný")) << reason.toStdString();
    EXPECT_TRUE(window.database_open());
    EXPECT_EQ(dm_database_file_state(database.toUtf8().constData()), 1);
    EXPECT_TRUE(QFileInfo::exists(database + ".odlozeny"));
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(MainWindowFixture, ADatabaseChosenFromABackupFolderIsCopiedIntoTheDataFolderWhenAsked)
{
    const QString data_folder = path(QStringLiteral("xdg/tallyra"));
    const QString chosen = path(QStringLiteral("usb/zalohy/firma.db"));
    QDir().mkpath(QFileInfo(chosen).absolutePath());
    ASSERT_TRUE(dm_create_database(chosen.toUtf8().constData())) << dm_last_error();
    const ScopedHook files(set_file_dialog_hook,
                           FileDialogHook([&](QWidget *, const FileDialogRequest &request) {
                               EXPECT_EQ(request.mode, FileDialogRequest::Mode::Open);
                               return chosen;
                           }));
    const struct {
        int answer;
        QString connected;
    } cases[] = {
        {mrYes, data_folder + QStringLiteral("/firma.db")},
        {mrNo, chosen},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.answer);
        QFile::remove(path(QStringLiteral("app/tallyra.cfg")));
        m_messages.clear();
        m_answer = c.answer;
        install_database_chooser();
        ModalDriver::on_next_modal(
            [](QWidget *question) { ModalDriver::click(question, "btnChoose"); });
        Tfm_main &window = open_window();
        dm_set_chooser(nullptr);

        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_TRUE(m_messages[0].text.contains(QStringLiteral("ve složce se zálohami")));
        EXPECT_EQ(m_messages[0].style, mbIconQuestion | mbYesNo);
        EXPECT_TRUE(window.database_open());
        EXPECT_EQ(file_text(path(QStringLiteral("app/tallyra.cfg"))), "sqlite:" + c.connected);
        EXPECT_TRUE(QFileInfo::exists(chosen)) << "the chosen file stays where it was";
        m_window.reset();
        dm_close_database();
    }
}

TEST_F(MainWindowFixture, AfterAFailedOpeningTheQuestionFirstSaysWhichFileDidNotOpenAndWhy)
{
    const QString broken = path(QStringLiteral("data/firma.db"));
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("toto není databáze");
    file.close();
    QFile cfg(path(QStringLiteral("app/tallyra.cfg")));
    ASSERT_TRUE(cfg.open(QIODevice::WriteOnly));
    cfg.write("sqlite:" + broken.toUtf8());
    cfg.close();
    install_database_chooser();
    QString failure;
    int failure_y = -1, proposal_y = -1;
    bool create_is_default = true, choose_is_default = false;
    ModalDriver::on_next_modal([&](QWidget *question) {
        auto *failure_label = question->findChild<QLabel *>(QStringLiteral("lblFailure"));
        ASSERT_NE(failure_label, nullptr);
        failure = failure_label->text();
        failure_y = failure_label->y();
        proposal_y = question->findChild<QLabel *>(QStringLiteral("lblPath"))->y();
        create_is_default =
            question->findChild<QPushButton *>(QStringLiteral("btnCreate"))->isDefault();
        choose_is_default =
            question->findChild<QPushButton *>(QStringLiteral("btnChoose"))->isDefault();
        ModalDriver::click(question, "btnCreate");
    });
    Tfm_main &window = open_window();
    dm_set_chooser(nullptr);

    EXPECT_TRUE(failure.startsWith("Databázi " + broken + " se nepodařilo otevřít.")) << failure.toStdString();
    EXPECT_TRUE(failure.contains("není databáze SQLite nebo je poškozený"));
    EXPECT_LT(failure_y, proposal_y) << "the reason comes before the offer";
    EXPECT_FALSE(create_is_default);
    EXPECT_TRUE(choose_is_default);
    EXPECT_TRUE(window.database_open());
    EXPECT_TRUE(QFileInfo::exists(broken)) << "the file that did not open is left alone";
}

TEST_F(MainWindowFixture, FirstActivationRunsTheStartCommandAndTheGuide)
{
    struct Case {
        std::optional<int> auto_run;
        std::optional<int> wizard;
        QString opened;
        bool guide;
    };
    const Case cases[] = {
        {std::nullopt, std::nullopt, "TE", true},
        {7, 0, {}, false},
        {3, 1, "PAR", true},
        {setup::arNothing, 0, {}, false},
    };
    register_book(QStringLiteral("TE"));
    register_book(QStringLiteral("PAR"));
    int guides = 0;
    shell_services().show_guide = [&guides] { ++guides; };

    for (const Case &c : cases) {
        SCOPED_TRACE(c.opened.toStdString());
        IniFile settings(app_file_path(QStringLiteral(".ini")));
        settings.delete_key(setup::section, setup::auto_run);
        settings.delete_key(setup::section, setup::wizard);
        if (c.auto_run)
            write_setup(setup::auto_run, *c.auto_run);
        if (c.wizard)
            write_setup(setup::wizard, *c.wizard);
        m_books_created.clear();
        guides = 0;

        Tfm_main &window = open_window();
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        window.window_activated();

        EXPECT_EQ(guides, c.guide ? 1 : 0);
        if (c.opened.isEmpty()) {
            EXPECT_TRUE(m_books_created.empty());
            EXPECT_TRUE(window.child_windows().isEmpty());
        } else {
            EXPECT_EQ(m_books_created.size(), 1u);
            EXPECT_EQ(m_books_created[c.opened].size(), 1u) << "run once only";
            EXPECT_NE(window.child_window(c.opened), nullptr);
        }
        m_window.reset();
    }
}

TEST_F(MainWindowFixture, StoredPositionThatDoesNotFitTheScreenGivesTheDefault)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    struct Case {
        int left, top, width, height;
        bool kept;
    };
    const Case cases[] = {
        {20, 30, 400, 300, true},
        {-5, 30, 400, 300, false},
        {20, -1, 400, 300, false},
        {screen.width() - 100, 30, 400, 300, false},
        {20, 30, 400, screen.height() + 1, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.left);
        write_setting(QStringLiteral("MAINWIN"), QStringLiteral("LEFT"), c.left);
        write_setting(QStringLiteral("MAINWIN"), QStringLiteral("TOP"), c.top);
        write_setting(QStringLiteral("MAINWIN"), QStringLiteral("WIDTH"), c.width);
        write_setting(QStringLiteral("MAINWIN"), QStringLiteral("HEIGHT"), c.height);
        Tfm_main &window = open_window();
        const QRect expected =
            c.kept ? QRect(c.left, c.top, c.width, c.height) : default_geometry();
        EXPECT_EQ(QRect(window.pos(), window.size()), expected);
        m_window.reset();
    }
}

TEST_F(MainWindowFixture, PositionIsStoredAtExitOnlyWhenAsked)
{
    Tfm_main &window = open_window();
    window.move(33, 44);
    m_window.reset();
    IniFile settings(app_file_path(QStringLiteral(".ini")));
    EXPECT_FALSE(settings.section_exists(QStringLiteral("MAINWIN")));

    write_setup(setup::save_position, 1);
    open_window().move(33, 44);
    m_window.reset();
    IniFile stored(app_file_path(QStringLiteral(".ini")));
    EXPECT_EQ(stored.read_int(QStringLiteral("MAINWIN"), QStringLiteral("LEFT"), 0), 33);
    EXPECT_EQ(stored.read_int(QStringLiteral("MAINWIN"), QStringLiteral("TOP"), 0), 44);
}

TEST_F(MainWindowFixture, ModalEditorCodesDisableAndEnableTheTree)
{
    Tfm_main &window = open_window();
    QTreeWidgetItem *open_windows = window.menu_tree()->open_windows_root();

    window.main_command(2, QStringLiteral("Nastavení parametrů"));
    window.main_command(2, QStringLiteral("Nastavení parametrů"));
    EXPECT_FALSE(window.menu_tree()->isEnabled());
    ASSERT_EQ(open_windows->childCount(), 2);
    EXPECT_EQ(TMenuTree::node_kind(open_windows->child(0)), MenuNodeKind::ModalEditor);

    window.main_command(3, QStringLiteral("Nastavení parametrů"));
    EXPECT_TRUE(window.menu_tree()->isEnabled());
    EXPECT_EQ(child_texts(open_windows), QStringList{"Nastavení parametrů"});
    window.main_command(3, QStringLiteral("Nastavení parametrů"));
    EXPECT_EQ(open_windows->childCount(), 0);
}

TEST_F(MainWindowFixture, BookWindowExistsOnceAndComesToTheFront)
{
    register_book(QStringLiteral("PAR"));
    register_book(QStringLiteral("TE"));
    Tfm_main &window = open_window();
    window.command(QStringLiteral("actPar"))->trigger();
    window.command(QStringLiteral("actTe"))->trigger();
    EXPECT_EQ(window.work_area()->currentSubWindow(), window.child_window(QStringLiteral("TE")));

    window.command(QStringLiteral("actPar"))->trigger();
    EXPECT_EQ(m_books_created[QStringLiteral("PAR")].size(), 1u);
    EXPECT_EQ(window.child_windows().size(), 2);
    EXPECT_EQ(window.work_area()->currentSubWindow(), window.child_window(QStringLiteral("PAR")));

    // The tree lists both, the one in front first selected.
    QTest::qWait(0);
    EXPECT_EQ(child_texts(window.menu_tree()->open_windows_root()),
              (QStringList{"Okno PAR", "Okno TE"}));
}

TEST_F(MainWindowFixture, ReopeningCodesOpenTheBookOnTheRecord)
{
    register_book(QStringLiteral("PAR"));
    register_book(QStringLiteral("TE"));
    Tfm_main &window = open_window();

    window.main_command(16, 42);
    window.child_window(QStringLiteral("PAR"))->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    window.command(QStringLiteral("actPar"))->trigger();

    window.main_command(15, 7);
    window.child_window(QStringLiteral("TE"))->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    window.command(QStringLiteral("actTe"))->trigger();

    // Only the tax-records book forgets the record after use.
    EXPECT_EQ(m_books_created[QStringLiteral("PAR")], (std::vector<int>{42, 42}));
    EXPECT_EQ(m_books_created[QStringLiteral("TE")], (std::vector<int>{7, 0}));
}

TEST_F(MainWindowFixture, StatusHintFillsThePanelsAndAnEmptyTextResetsThem)
{
    Tfm_main &window = open_window();
    window.set_status_hint(QStringLiteral("Kniha vydaných faktur|F2 - nový doklad"));
    EXPECT_EQ(window.status_texts().window, "Kniha vydaných faktur");
    EXPECT_EQ(window.status_texts().keys, "F2 - nový doklad");

    window.set_status_hint({});
    EXPECT_EQ(window.status_texts().window, "Kniha vydaných faktur") << "the reset is posted";
    QTest::qWait(0);
    EXPECT_EQ(window.status_texts().window, "Hlavní okno");
    EXPECT_EQ(window.status_texts().keys, "F10 - Hlavní menu");
    EXPECT_EQ(window.main_command(7, QStringLiteral("|x")).toInt(), 1);
    EXPECT_EQ(window.status_texts().keys, "|x");
}

TEST_F(MainWindowFixture, DataCommandServesAddOnPrograms)
{
    Tfm_main &window = open_window();
    EXPECT_NE(window.data_command(-4, QStringLiteral("TABLE.PAR")), 0);
    EXPECT_EQ(window.data_command(-4, QStringLiteral("TABLE.NO_SUCH")), 0);

    const int first = window.data_command(-3, {});
    EXPECT_GT(first, 0);
    EXPECT_GT(window.data_command(-3, {}), first);

    EXPECT_EQ(window.data_command(-2, QStringLiteral("INSERT INTO PAR (RECID, PARTNER_NO, "
                                                     "PARTNER_NAME) VALUES (%1, 7, 'Beneš')")
                                          .arg(first)),
              1);
    EXPECT_EQ(window.data_command(-2, QStringLiteral("UPDATE NO_SUCH SET X=1")), 0);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_FALSE(m_messages[0].fatal);

    const QString result = path(QStringLiteral("app/table.tmp"));
    EXPECT_EQ(window.data_command(0, QStringLiteral("SELECT PARTNER_NO, PARTNER_NAME FROM PAR "
                                                    "WHERE PARTNER_NO=7")),
              1);
    EXPECT_EQ(file_text(result), "PARTNER_NO=7\nPARTNER_NAME=Beneš\n");
    EXPECT_EQ(window.data_command(-1, QStringLiteral("SELECT * FROM PAR")), 1);
    EXPECT_GT(QFileInfo(result).size(), 0);

    // A refused select leaves no earlier answer behind.
    EXPECT_EQ(window.data_command(0, QStringLiteral("SELECT * FROM NO_SUCH")), 0);
    EXPECT_FALSE(QFileInfo::exists(result));
    EXPECT_EQ(window.data_command(-5, QStringLiteral("SELECT 1")), 0);
}

TEST_F(MainWindowFixture, HelpEndsInTheHtmlPagesBesideTheExecutable)
{
    QDir(path(QStringLiteral("app"))).mkpath(QStringLiteral("lib"));
    for (const char *page : {"lib/index.html", "lib/9002.htm"}) {
        QFile file(path(QStringLiteral("app/")) + QLatin1String(page));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QString index = path(QStringLiteral("app/lib/index.html"));
    struct Case {
        int help_type;
        int topic;
        QString page;
    };
    const Case cases[] = {
        {setup::htWebBrowser, 0, index},
        {setup::htWebBrowser, 101, index},
        {setup::htWebBrowser, 9002, path(QStringLiteral("app/lib/9002.htm"))},
        {setup::htWebBrowser, 404, index},
        {setup::htCompiledHtml, 9002, path(QStringLiteral("app/lib/9002.htm"))},
        {setup::htClassicHelp, 0, index},
        {setup::htHelpLibrary, 0, index},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.help_type * 100000 + c.topic);
        write_setup(setup::help_type, c.help_type);
        Tfm_main &window = open_window();
        m_launched.clear();
        window.help_request(c.topic);
        ASSERT_EQ(m_launched.size(), 1u);
        EXPECT_EQ(m_launched[0].program, "xdg-open");
        EXPECT_EQ(m_launched[0].arguments, QStringList{c.page});
        m_window.reset();
    }

    // The main window's "Nápověda" asks with its own topic.
    write_setup(setup::help_type, setup::htWebBrowser);
    Tfm_main &window = open_window();
    m_launched.clear();
    show_help(&window);
    ASSERT_EQ(m_launched.size(), 1u);
    EXPECT_EQ(m_launched[0].arguments, QStringList{index});
}

TEST_F(MainWindowFixture, MissingHelpPagesShowNothing)
{
    write_setup(setup::help_type, setup::htWebBrowser);
    Tfm_main &window = open_window();
    window.help_request(9002);
    EXPECT_TRUE(m_launched.empty());
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(MainWindowFixture, HelpWithoutABrowserSaysWhereThePagesAre)
{
    QDir(path(QStringLiteral("app"))).mkpath(QStringLiteral("lib"));
    QFile(path(QStringLiteral("app/lib/index.html"))).open(QIODevice::WriteOnly);
    // A new installation shows the pages in the browser.
    Tfm_main &window = open_window();
    const ScopedHook<ShellLauncher> no_browser(set_shell_launcher,
                                               [](const ShellLaunch &) { return false; });
    window.help_request(0);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text,
              "Nápovědu se nepodařilo zobrazit, protože se nepodařilo spustit internetový "
              "prohlížeč.\r\nStránky nápovědy najdete ve složce " +
                  path(QStringLiteral("app/lib")) + ".");
    EXPECT_FALSE(m_messages[0].fatal);
}

TEST_F(MainWindowFixture, AddOnProgramsBesideTheExecutableBecomeCommands)
{
    {
        Tfm_main &window = open_window();
        EXPECT_TRUE(window.plugins().empty());
        EXPECT_FALSE(window.module_items()->menuAction()->isVisible());
        const QTreeWidgetItem *add_ons = window.menu_tree()->main_menu_root()->child(3);
        EXPECT_EQ(add_ons->text(0), "Přídavné moduly");
        EXPECT_EQ(add_ons->childCount(), 0);
        emit window.menu_tree()->itemActivated(const_cast<QTreeWidgetItem *>(add_ons), 0);
        EXPECT_TRUE(m_launched.empty());
        m_window.reset();
    }

    const auto make = [this](const char *name, bool executable) {
        QFile file(path(QStringLiteral("app/")) + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n");
        file.close();
        if (executable)
            file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    };
    make("tl2_abc", true);
    make("tl2_xyz.exe", false);
    make("tl2_def", false); // not executable
    make("tl2_ab", true);   // two characters
    make("tl2_abcd", true); // four characters
    make("tl3_abc", true);

    Tfm_main &window = open_window();
    ASSERT_EQ(window.plugins().size(), 2u);
    EXPECT_EQ(QFileInfo(window.plugins()[0].path).fileName(), "tl2_abc");
    EXPECT_EQ(QFileInfo(window.plugins()[1].path).fileName(), "tl2_xyz.exe");
    EXPECT_TRUE(window.module_items()->menuAction()->isVisible());
    ASSERT_EQ(window.module_items()->actions().size(), 2);
    EXPECT_EQ(window.module_items()->actions()[0]->text(), "Kniha jízd");
    EXPECT_EQ(window.module_items()->actions()[0]->statusTip(),
              "Evidence jízd služebního vozidla.");
    EXPECT_EQ(window.menu_tree()->main_menu_root()->child(3)->childCount(), 2);

    window.module_items()->actions()[0]->trigger();
    window.module_items()->actions()[1]->trigger();
    ASSERT_EQ(m_launched.size(), 2u);
    EXPECT_EQ(m_launched[0].program, path(QStringLiteral("app/tl2_abc")));
    EXPECT_EQ(m_launched[1].program, "xdg-open");
    EXPECT_EQ(m_launched[1].arguments, QStringList{path(QStringLiteral("app/tl2_xyz.exe"))});
}

TEST_F(MainWindowFixture, BackupAsksFirstWhenWindowsAreOpen)
{
    register_book(QStringLiteral("PAR"));
    Tfm_main &window = open_window();
    const QDir backups(path(QStringLiteral("data/zalohy")));

    window.command(QStringLiteral("actPar"))->trigger();
    m_answer = mrNo;
    window.command(QStringLiteral("actBackup"))->trigger();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].title, "Servis");
    EXPECT_EQ(m_messages[0].style, 36);
    EXPECT_EQ(window.child_windows().size(), 1);
    EXPECT_FALSE(backups.exists());

    m_answer = mrYes;
    window.command(QStringLiteral("actBackup"))->trigger();
    EXPECT_TRUE(window.child_windows().isEmpty());
    EXPECT_EQ(backups.entryList(QDir::Files).size(), 1);
    EXPECT_EQ(dbAPI->count_rows(QStringLiteral("DOC_TYPES")) > 0, true) << "reopened";

    m_messages.clear();
    window.command(QStringLiteral("actBackup"))->trigger();
    ASSERT_EQ(m_messages.size(), 1u) << "no window open, no question";
    EXPECT_TRUE(m_messages[0].text.startsWith(QStringLiteral("Záloha byla uložena do souboru ")));
    EXPECT_EQ(backups.entryList(QDir::Files).size(), 2);
}

TEST_F(MainWindowFixture, RestoreAlwaysAsksWithNoAsTheDefault)
{
    Tfm_main &window = open_window();
    m_answer = mrNo;
    window.command(QStringLiteral("actRestore"))->trigger();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].title, "Pozor, čtěte pozorně!");
    EXPECT_EQ(m_messages[0].style, 308);
    EXPECT_TRUE(window.database_open());
    EXPECT_FALSE(program_ending());
}

TEST_F(MainWindowFixture, FatalMessageClosesTheMainWindowOnceAnswered)
{
    Tfm_main &window = open_window();
    window.show();
    set_message_handler(show_message_dialog);
    ModalDriver::on_next_modal([](QWidget *dialog) { ModalDriver::click(dialog, "btnOk"); });
    show_message(QStringLiteral("Chyba!"), QStringLiteral("Disk je plný."), mbIconError, true);
    EXPECT_TRUE(program_ending());
    for (int waited = 0; window.isVisible() && waited < 5000; waited += 10)
        QTest::qWait(10);
    EXPECT_FALSE(window.isVisible());
}

TEST(MenuTreeLook, NodesAreColouredByKindTagAndState)
{
    const QColor grey(128, 128, 128), green(0, 128, 0);
    struct Case {
        MenuNodeKind kind;
        int tag;
        bool active;
        bool enabled;
        QColor color;
        bool bold;
    };
    const Case cases[] = {
        {MenuNodeKind::Root, 0, false, true, Qt::black, true},
        {MenuNodeKind::Branch, 1, false, true, Qt::blue, true},
        {MenuNodeKind::Command, 200, false, true, Qt::red, false},
        {MenuNodeKind::Command, 1, false, true, Qt::blue, false},
        {MenuNodeKind::Window, 0, true, true, green, true},
        {MenuNodeKind::Window, 0, false, true, green, false},
        {MenuNodeKind::ModalEditor, 0, false, true, green, true},
        {MenuNodeKind::Command, 200, false, false, grey, false},
    };
    for (const Case &c : cases) {
        const MenuNodeLook look = menu_node_look(c.kind, c.tag, c.active, c.enabled);
        EXPECT_EQ(look.color, c.color) << int(c.kind) << ' ' << c.tag;
        EXPECT_EQ(look.bold, c.bold) << int(c.kind) << ' ' << c.tag;
    }
}
