#include "app/main_window_fixture.h"
#include "data/picture_box.h"
#include "masterdata/ui/fimage.h"
#include "widgets/picture_print.h"
#include "widgets/picture_view.h"
#include "widgets/system_dialogs.h"
#include "support/modal_driver.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

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

TEST(PictureWindowSize, PictureAndRoomAroundItWithinTheLimit)
{
    const QSize limit(1000, 700);
    struct Case {
        QSize picture;
        QSize window;
    };
    for (const Case &c : {Case{{300, 200}, {318, 278}}, Case{{3000, 2000}, {1000, 700}},
                          Case{{990, 100}, {1000, 178}}, Case{{100, 650}, {118, 700}},
                          Case{{982, 622}, {1000, 700}}}) {
        EXPECT_EQ(Tfm_image::window_size(c.picture, limit), c.window) << c.picture.width();
    }
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
        EXPECT_EQ(window->scroll_box()->toolTip(), "Kliinutím zavřete toto okno.");
        auto *shown = window->findChild<QLabel *>("Image1");
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->size(), QSize(300, 200));
        EXPECT_EQ(shown->toolTip(), "Kliinutím zavřete toto okno.");
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
    show_picture(empty, QStringLiteral("Nic"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(PicturePrintPosition, CentredAcrossAnEighthDownRoundedTowardZero)
{
    struct Case {
        QSize page;
        QSize picture;
        QPoint at;
    };
    for (const Case &c :
         {Case{{4800, 6600}, {400, 300}, {2200, 787}}, Case{{4801, 6601}, {400, 300}, {2200, 787}},
          Case{{100, 100}, {105, 109}, {-2, -1}}, Case{{400, 300}, {400, 300}, {0, 0}}}) {
        EXPECT_EQ(picture_print_position(c.page, c.picture), c.at)
            << c.page.width() << "x" << c.page.height();
    }
}

class PicturePrint : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_saved = set_print_dialog_hook([this](QPrinter &printer, QWidget *) {
            ++m_dialogs;
            m_offered_title = printer.docName();
            if (!m_accept)
                return false;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf_path());
            return true;
        });
    }

    void TearDown() override { set_print_dialog_hook(m_saved); }

    QString pdf_path() const { return m_dir.filePath(QStringLiteral("obrazek.pdf")); }

    QString pdf_info() const
    {
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {pdf_path()});
        info.waitForFinished();
        return QString::fromUtf8(info.readAllStandardOutput());
    }

    QTemporaryDir m_dir;
    PrintDialogHook m_saved;
    int m_dialogs = 0;
    bool m_accept = true;
    QString m_offered_title;
};

TEST_F(PicturePrint, PrintsAJobWithTheTitleAfterTheDialog)
{
    PictureBox box;
    box.show(picture(400, 300), {});
    print_picture(box, QStringLiteral("Žluťoučký kůň"));
    EXPECT_EQ(m_dialogs, 1);
    EXPECT_EQ(m_offered_title, "Žluťoučký kůň");
    const QString info = pdf_info();
    EXPECT_TRUE(info.contains(QRegularExpression("Title: +Žluťoučký kůň\n"))) << qPrintable(info);
    EXPECT_TRUE(info.contains(QRegularExpression("Pages: +1\n"))) << qPrintable(info);
}

TEST_F(PicturePrint, NothingIsPrintedForAnEmptyPictureOrACancelledDialog)
{
    PictureBox box;
    print_picture(box, QStringLiteral("prázdný"));
    EXPECT_EQ(m_dialogs, 0);

    m_accept = false;
    box.show(picture(40, 30), {});
    print_picture(box, QStringLiteral("zrušeno"));
    EXPECT_EQ(m_dialogs, 1);
    EXPECT_FALSE(QFile::exists(pdf_path()));
}

TEST(PictureView, ShowsTheBoxAtItsSizeInProportionAndReportsClicks)
{
    TPictureView view;
    view.resize(view.sizeHint());
    view.show();
    view.box()->show(picture(800, 600), fitted_picture_size({800, 600}));
    EXPECT_EQ(view.pixmap().size(), QSize(185, 139));

    view.box()->show(picture(500, 1000), fitted_picture_size({500, 1000}));
    EXPECT_EQ(view.pixmap().height(), 225);
    EXPECT_LE(std::abs(view.pixmap().width() - 113), 1);

    QSignalSpy clicked(&view, &TPictureView::clicked);
    QTest::mouseClick(&view, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1);

    view.box()->clear();
    EXPECT_TRUE(view.pixmap().isNull());
    EXPECT_EQ(window_of(*view.box()), &view);
}
