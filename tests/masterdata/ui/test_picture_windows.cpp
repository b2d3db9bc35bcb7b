#include "data/picture_box.h"
#include "masterdata/ui/fimage.h"
#include "support/modal_driver.h"
#include "widgets/picture_print.h"
#include "widgets/picture_view.h"
#include "widgets/system_dialogs.h"

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
