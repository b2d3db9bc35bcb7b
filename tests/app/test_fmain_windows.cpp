// The main window with the master-data windows it opens: the code-list commands, the row
// selector standing over it and the picture window sized by it.

#include "app/main_window_fixture.h"
#include "app/menu_tree.h"
#include "data/picture_box.h"
#include "masterdata/ui/code_list_fixture.h"
#include "masterdata/ui/fimage.h"
#include "masterdata/ui/flist.h"
#include "masterdata/ui/fselector.h"
#include "support/modal_driver.h"
#include "widgets/dbgrid.h"
#include "widgets/help.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

namespace {

struct CodeListCommand {
    const char *command;
    const char *caption;
    const char *table;
    int help_topic;
};

const CodeListCommand code_list_commands[] = {
    {"actGrpPar", "Skupiny obchodních partnerů", "PAR_GRP", 404},
    {"actParTypes", "Typy obchodních partnerů", "PAR_TYPE", 405},
    {"actConTypes", "Typy kontaktů", "PAR_CTYPE", 406},
    {"actGrpPro", "Skupiny produktů", "PRO_GRP", 407},
    {"actUnits", "Měrné jednotky", "PRO_UNITS", 408},
    {"actCurrList", "Kurzovní lístek", "CURR_LIST", 402},
    {"actTeGrp", "Členění daňové evidence", "TE_GRP", 403},
};

const QString units_select = QStringLiteral("SELECT * FROM PRO_UNITS ORDER BY RECID");

QImage picture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(40, 120, 200));
    return image;
}

void turn_wheel(QWidget *widget, int angle)
{
    const QPointF centre = QRectF(widget->rect()).center();
    QWheelEvent wheel(centre, widget->mapToGlobal(centre), QPoint(), QPoint(0, angle), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &wheel);
}

using PictureWindow = MainWindowFixture;

} // namespace

TEST_F(MainWindowFixture, EveryCodeListCommandOpensItsTableModally)
{
    Tfm_main &window = open_window();
    window.show();
    for (const CodeListCommand &expected : code_list_commands) {
        SCOPED_TRACE(expected.command);
        bool seen = false;
        ModalDriver::on_next_modal([&](QWidget *modal) {
            auto *list = qobject_cast<Tfm_list *>(modal);
            ASSERT_NE(list, nullptr);
            seen = true;
            EXPECT_EQ(list->windowTitle(), QString::fromUtf8(expected.caption));
            EXPECT_EQ(help_topic(list), expected.help_topic);
            EXPECT_EQ(list->record_set()->record_count(),
                      dbAPI->count_rows(QString::fromUtf8(expected.table)));
            EXPECT_FALSE(window.menu_tree()->isEnabled());
            EXPECT_EQ(window.foreground_editor(), list);
            const QRect main = window.frameGeometry();
            EXPECT_EQ(list->pos(),
                      QPoint(main.left() + window.main_command(5).toInt() + 32, main.top() + 64));
            EXPECT_GE(list->width(), 400);
            EXPECT_LE(list->width(), 600);
            EXPECT_GE(list->height(), 400);
            list->window_activated();
            EXPECT_EQ(window.status_texts().window, QString::fromUtf8(expected.caption));
            EXPECT_TRUE(window.status_texts().keys.startsWith(QString::fromUtf8("INSERT-vlož")));

            // Every one-line edit filled, the new row is stored.
            const int rows = list->record_set()->record_count();
            answer_editor([](Tfm_listedit &e) {
                for (const TField *field : e.shown_fields()) {
                    auto *edit = qobject_cast<QLineEdit *>(e.control_of(field->name()));
                    if (edit && !edit->isHidden())
                        type_into(&e, field->name(),
                                  field->type() == FieldType::Text ? QStringLiteral("Nový'ů")
                                                                   : QStringLiteral("3"));
                }
                EXPECT_TRUE(e.ok_button()->isEnabled());
                e.ok_button()->click();
            });
            QTest::keyClick(list->grid(), Qt::Key_Insert);
            EXPECT_EQ(list->record_set()->record_count(), rows + 1);
            EXPECT_EQ(dbAPI->count_rows(QString::fromUtf8(expected.table)), rows + 1);
            QTest::keyClick(list->grid(), Qt::Key_Escape);
        });
        window.command(QString::fromUtf8(expected.command))->trigger();
        EXPECT_TRUE(seen);
        EXPECT_TRUE(window.menu_tree()->isEnabled());
        EXPECT_EQ(window.foreground_editor(), nullptr);
        EXPECT_EQ(window.menu_tree()->open_windows_root()->childCount(), 0);
    }
}

TEST_F(MainWindowFixture, SelectorWithoutAnchorStandsOverTheMainWindow)
{
    Tfm_main &window = open_window();
    window.resize(900, 700);
    window.show();
    bool checked = false;
    on_next_selector([&](Tfm_selector &s) {
        checked = true;
        EXPECT_TRUE(s.windowFlags().testFlag(Qt::Tool));
        EXPECT_FALSE(window.menu_tree()->isEnabled());
        EXPECT_LE((s.frameGeometry().center() - window.frameGeometry().center()).manhattanLength(),
                  2);
        // Going back to the main window means no choice.
        window.activateWindow();
        for (int i = 0; i < 100 && s.choice() == Tfm_selector::Undecided; ++i)
            QTest::qWait(10);
        EXPECT_EQ(s.choice(), Tfm_selector::Cancelled);
    });
    EXPECT_EQ(select_row(nullptr, 0, 1, {}, 0, 0, QStringLiteral("Měrné jednotky"), units_select,
                         QStringLiteral("PRO_UNITS")),
              0);
    EXPECT_TRUE(checked);
    EXPECT_TRUE(window.menu_tree()->isEnabled());
    EXPECT_EQ(window.menu_tree()->open_windows_root()->childCount(), 0);
}

TEST_F(PictureWindow, ShowsTheWholePictureOrTheMainWindowsSizeWithScrollBars)
{
    Tfm_main &main_window = open_window();
    main_window.resize(900, 650);
    main_window.show();
    PictureBox small;
    small.show(picture(300, 200), {});
    PictureBox large;
    large.show(picture(3000, 2000), {});

    bool seen = false;
    ModalDriver::on_next_modal([&](QWidget *modal) {
        seen = true;
        auto *window = qobject_cast<Tfm_image *>(modal);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowTitle(), "Malý obrázek");
        EXPECT_EQ(window->size(), QSize(318, 278));
        EXPECT_FALSE(window->scroll_box()->verticalScrollBar()->isVisible());
        EXPECT_EQ(window->scroll_box()->toolTip(), "Kliknutím zavřete toto okno.");
        auto *shown = window->findChild<QLabel *>("Image1");
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->size(), QSize(300, 200));
        EXPECT_EQ(shown->toolTip(), "Kliknutím zavřete toto okno.");
        QTest::mouseClick(shown, Qt::LeftButton);
    });
    show_picture(small, QStringLiteral("Malý obrázek"));
    EXPECT_TRUE(seen);

    seen = false;
    ModalDriver::on_next_modal([&](QWidget *modal) {
        seen = true;
        auto *window = qobject_cast<Tfm_image *>(modal);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->size(), main_window.size());
        const QPoint off_centre =
            window->frameGeometry().center() - main_window.frameGeometry().center();
        EXPECT_LE(off_centre.manhattanLength(), 2);
        QScrollBar *vertical = window->scroll_box()->verticalScrollBar();
        EXPECT_TRUE(vertical->isVisible());
        EXPECT_TRUE(window->scroll_box()->horizontalScrollBar()->isVisible());

        QWidget *viewport = window->scroll_box()->viewport();
        turn_wheel(viewport, -120);
        EXPECT_EQ(vertical->value(), 32);
        turn_wheel(viewport, -240);
        EXPECT_EQ(vertical->value(), 96);
        turn_wheel(viewport, 120);
        EXPECT_EQ(vertical->value(), 64);
        // A fine wheel counts its steps until they make a notch.
        turn_wheel(viewport, -60);
        EXPECT_EQ(vertical->value(), 64);
        turn_wheel(viewport, -60);
        EXPECT_EQ(vertical->value(), 96);
        turn_wheel(window->findChild<QLabel *>("Image1"), -120);
        EXPECT_EQ(vertical->value(), 128);

        QTest::keyClick(window, Qt::Key_Escape);
    });
    show_picture(large, QStringLiteral("Velký obrázek"));
    EXPECT_TRUE(seen);
}

TEST_F(PictureWindow, EmptyPictureOpensNoWindow)
{
    open_window();
    PictureBox empty;
    // A window that opened would wait for the user; this closes it, so the test fails
    // instead of hanging.
    bool opened = false;
    QTimer::singleShot(0, [&opened] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            opened = true;
            modal->close();
        }
    });
    show_picture(empty, QStringLiteral("Nic"));
    QApplication::processEvents();
    EXPECT_FALSE(opened);
}

TEST_F(MainWindowFixture, ACodeListOpenedFromTheTreeLeavesTheSameNodeUnderThePointer)
{
    // With no window open, and with a book already listed among the open windows.
    for (const bool book_open : {false, true}) {
        SCOPED_TRACE(book_open);
        if (book_open)
            register_book(QStringLiteral("PAR"));
        Tfm_main &window = open_window();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        if (book_open)
            window.command(QStringLiteral("actPar"))->trigger();
        TMenuTree *tree = window.menu_tree();
        const QList<QTreeWidgetItem *> found =
            tree->findItems(QStringLiteral("Kurzovní lístek"), Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(found.size(), 1);
        QTreeWidgetItem *node = found.first();
        tree->scrollToItem(node);
        const QPoint pointer = tree->visualItemRect(node).center();
        ASSERT_EQ(tree->itemAt(pointer), node);
        const int listed = tree->open_windows_root()->childCount();

        bool seen = false;
        ModalDriver::on_next_modal([&](QWidget *list) {
            seen = true;
            EXPECT_FALSE(tree->isEnabled());
            EXPECT_EQ(tree->open_windows_root()->childCount(), listed + 1);
            EXPECT_EQ(tree->itemAt(pointer), node);
            QTest::keyClick(list, Qt::Key_Escape);
        });
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, pointer);
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, pointer);
        EXPECT_TRUE(seen);
        EXPECT_TRUE(tree->isEnabled());
        EXPECT_EQ(tree->itemAt(pointer), node);
        m_window.reset();
    }
}
