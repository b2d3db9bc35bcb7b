#include "engine/template_loader.h"
#include "reports/report_state.h"
#include "reports/ui/fmail.h"
#include "reports/ui/fpreview.h"
#include "reports/ui/preview_fixture.h"
#include "reports/ui/preview_view.h"
#include "support/modal_driver.h"
#include "text/format_settings.h"
#include "widgets/help.h"
#include "widgets/system_dialogs.h"
#include "widgets/window_host.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace {

struct RecordingHost : WindowHost {
    void set_status_hint(const QString &hint) override { hints << hint; }
    void help_request(int topic) override { help.push_back(topic); }
    QStringList hints;
    std::vector<int> help;
};

QStringList entries(const QList<QAction *> &actions)
{
    QStringList names;
    for (const QAction *action : actions)
        names << (action->isSeparator() ? QStringLiteral("-")
                                        : action->objectName() +
                                              (action->isVisible() ? QString() : "(hidden)"));
    return names;
}

QAction *action(Tfpreview &preview, const char *name)
{
    return preview.findChild<QAction *>(QLatin1String(name));
}

QByteArray read_all(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class PreviewWindow : public PreviewFixture {
protected:
    void TearDown() override
    {
        set_file_dialog_hook({});
        set_print_dialog_hook({});
        PreviewFixture::TearDown();
    }
};

TEST_F(PreviewWindow, CommandsStandInTheMenusAndTheToolStripAsTheUserExpects)
{
    report_printed = true;
    const auto preview = open_preview(10);
    EXPECT_FALSE(report_printed);
    EXPECT_EQ(help_topic(preview.get()), 103);
    EXPECT_GE(preview->minimumWidth(), 300);
    EXPECT_GE(preview->minimumHeight(), 300);
    EXPECT_EQ(preview->font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(preview->font().pointSize(), 8);
    EXPECT_FALSE(preview->windowFlags().testFlag(Qt::WindowCloseButtonHint));

    struct Expected {
        const char *name;
        const char *caption;
        const char *hint;
    };
    for (const Expected &e : {
             Expected{"actPrint", "Vytisknout", "Vytisknout"},
             Expected{"actSaveAs", "Uložit do souboru (text, word, excel, html)",
                      "Uložit do externího souboru."},
             Expected{"actSend", "Odeslat tiskovou sestavu jako e-mail",
                      "Odeslat tiskovou sestavu jako e-mail"},
             Expected{"actPageWhole", "Celá stránka", "Celá stránka"},
             Expected{"actPageWidth", "Roztáhnout na celou šířku", "Roztáhnout na celou šířku"},
             Expected{"actZoomIn", "Zvětšit", "Zvětšit"},
             Expected{"actZoomOut", "Zmenšit", "Zmenšit"},
         }) {
        QAction *a = action(*preview, e.name);
        ASSERT_NE(a, nullptr) << e.name;
        EXPECT_EQ(a->text(), QString::fromUtf8(e.caption));
        EXPECT_EQ(a->toolTip(), QString::fromUtf8(e.hint));
    }

    const QList<QAction *> menus = preview->menu_bar()->actions();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("Tisk"));
    EXPECT_EQ(entries(menus[0]->menu()->actions()),
              QStringList({"actPrint", "-", "actSaveAs", "mnuSend(hidden)"}));
    EXPECT_EQ(menus[1]->text(), QStringLiteral("Stránka"));
    EXPECT_EQ(entries(menus[1]->menu()->actions()),
              QStringList({"actPageWhole", "actPageWidth", "actZoomIn", "actZoomOut"}));
    EXPECT_EQ(entries(preview->context_menu()->actions()),
              QStringList({"actPrint", "-", "actSaveAs", "actSend", "-", "actPageWhole",
                           "actPageWidth", "actZoomIn", "actZoomOut"}));
    const QStringList strip = entries(preview->tool_strip()->actions());
    EXPECT_EQ(strip.mid(0, 9), QStringList({"actPrint", "-", "actSaveAs", "actSend", "-",
                                            "actPageWhole", "actPageWidth", "actZoomIn",
                                            "actZoomOut"}));
    EXPECT_NE(preview->findChild<QToolButton *>(QStringLiteral("btnHelp")), nullptr);
    EXPECT_NE(preview->findChild<QToolButton *>(QStringLiteral("btnClose")), nullptr);
}

TEST_F(PreviewWindow, ZoomStepsAndFitsThePageToTheRoom)
{
    const auto preview = open_preview(100);
    PreviewView *view = preview->view();
    EXPECT_DOUBLE_EQ(view->zoom(), 100.0);
    action(*preview, "actZoomIn")->trigger();
    EXPECT_DOUBLE_EQ(view->zoom(), 110.0);
    EXPECT_EQ(preview->zoom_label()->text(), QStringLiteral("110 %"));
    for (int i = 0; i < 20; ++i)
        action(*preview, "actZoomIn")->trigger();
    EXPECT_DOUBLE_EQ(view->zoom(), 200.0);
    view->set_zoom(15);
    action(*preview, "actZoomOut")->trigger();
    EXPECT_DOUBLE_EQ(view->zoom(), 5.0);
    action(*preview, "actZoomOut")->trigger();
    EXPECT_DOUBLE_EQ(view->zoom(), 5.0);

    // The page's size on screen at 100 percent, from the screen's resolution.
    const double page_pixels_high = 1052 * view->logicalDpiY() / 90.0;
    const double page_pixels_wide = 744 * view->logicalDpiX() / 90.0;
    action(*preview, "actPageWhole")->trigger();
    EXPECT_EQ(view->fit(), PreviewView::Fit::WholePage);
    EXPECT_LE(page_pixels_high * view->zoom() / 100, view->viewport()->height());
    EXPECT_GT(page_pixels_high * view->zoom() / 100, view->viewport()->height() - 30);

    action(*preview, "actPageWidth")->trigger();
    EXPECT_LE(page_pixels_wide * view->zoom() / 100, view->viewport()->width());
    EXPECT_GT(page_pixels_wide * view->zoom() / 100, view->viewport()->width() - 30);
    const double width_zoom = view->zoom();
    preview->resize(preview->width() + 200, preview->height());
    QApplication::processEvents();
    EXPECT_GT(view->zoom(), width_zoom) << "the page keeps the window's width";

    action(*preview, "actZoomIn")->trigger();
    EXPECT_EQ(view->fit(), PreviewView::Fit::None);
}

TEST_F(PreviewWindow, PagesAreCountedAndPagedThrough)
{
    const auto preview = open_preview(200);
    const int pages = preview->view()->page_count();
    ASSERT_GE(pages, 4);
    const QString of = QStringLiteral(" z %1").arg(pages);
    EXPECT_EQ(preview->page_counter()->text(), "Strana 1" + of);
    EXPECT_FALSE(action(*preview, "actPreviousPage")->isEnabled());
    action(*preview, "actNextPage")->trigger();
    EXPECT_EQ(preview->page_counter()->text(), "Strana 2" + of);
    action(*preview, "actLastPage")->trigger();
    EXPECT_EQ(preview->page_counter()->text(), QStringLiteral("Strana %1").arg(pages) + of);
    EXPECT_FALSE(action(*preview, "actNextPage")->isEnabled());
    QTest::keyClick(preview->view(), Qt::Key_PageUp);
    EXPECT_EQ(preview->page_counter()->text(), QStringLiteral("Strana %1").arg(pages - 1) + of);
    action(*preview, "actFirstPage")->trigger();
    EXPECT_EQ(preview->page_counter()->text(), "Strana 1" + of);
}

TEST_F(PreviewWindow, OnlyThePagesOnScreenArePainted)
{
    const auto preview = open_preview(10000);
    PreviewView *view = preview->view();
    ASSERT_GE(view->page_count(), 200);
    view->grab();
    EXPECT_EQ(view->painted_pages().first, 0);
    EXPECT_LE(view->painted_pages().last, 1);
    view->go_to_page(150);
    view->grab();
    EXPECT_EQ(view->painted_pages().first, 150);
    EXPECT_LE(view->painted_pages().last, 151);
}

TEST_F(PreviewWindow, TheDecimalPointHoldsWhileOpenAndComesBackAfterAFailedPreparation)
{
    set_decimal_separator(u',');
    {
        Tfpreview preview;
        EXPECT_EQ(decimal_separator(), u'.');
        // A detail band without its master cannot be prepared.
        preview.report().report().set_template(parse_template(R"({"version": 1, "pages": [
            {"bands": [{"kind": "detail_data", "name": "lonely", "height": 10}]}]})",
                                                              QString()));
        EXPECT_FALSE(preview.prepare_report());
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_EQ(m_messages[0].title, QStringLiteral("Chyba"));
        EXPECT_TRUE(m_messages[0].text.contains(QStringLiteral("lonely")));
        EXPECT_EQ(preview.page_counter()->text(), QStringLiteral("Strana 0 z 0"));
        EXPECT_FALSE(action(preview, "actPrint")->isEnabled());
    }
    EXPECT_EQ(decimal_separator(), u',');
}

TEST_F(PreviewWindow, ActivationShowsTheCaptionAndEscapeClosesAndClears)
{
    RecordingHost host;
    ScopedWindowHost scoped(host);
    auto preview = open_preview(5);
    preview->activateWindow();
    QApplication::processEvents();
    ASSERT_FALSE(host.hints.isEmpty());
    EXPECT_TRUE(host.hints.contains(QStringLiteral("   Peněžní deník|F10 - menu")));

    preview->findChild<QToolButton *>(QStringLiteral("btnHelp"))->click();
    EXPECT_EQ(host.help, std::vector<int>({103}));

    QTest::keyClick(preview->view(), Qt::Key_F10);
    EXPECT_EQ(preview->menu_bar()->activeAction(), preview->menu_bar()->actions().value(0));
    preview->menu_bar()->setActiveAction(nullptr);

    QTest::keyClick(preview.get(), Qt::Key_Escape);
    EXPECT_FALSE(preview->isVisible());
    send_on_open = true;
    preview.reset();
    EXPECT_FALSE(send_on_open);
    EXPECT_EQ(host.hints.back(), QString());
}

TEST_F(PreviewWindow, SavingOffersEveryFormatAndWritesTheChosenOne)
{
    const auto preview = open_preview(60);
    QString offered;
    QString answer;
    set_file_dialog_hook([&](QWidget *, const FileDialogRequest &request) {
        offered = request.filter;
        return answer;
    });
    for (const char *name : {"sestava.pdf", "sestava.csv", "sestava.html", "sestava.rtf",
                             "sestava.txt"}) {
        answer = path(QString::fromLatin1(name));
        action(*preview, "actSaveAs")->trigger();
        EXPECT_GT(QFile(answer).size(), 0) << name;
    }
    EXPECT_TRUE(offered.contains(QStringLiteral("Adobe Acrobat PDF  (*.pdf)|*.pdf")));
    for (const char *mask : {"*.txt", "*.htm", "*.rtf", "*.csv"})
        EXPECT_TRUE(offered.contains(QLatin1String(mask))) << mask;
    EXPECT_TRUE(read_all(path("sestava.pdf")).startsWith("%PDF-"));
    EXPECT_TRUE(read_all(path("sestava.csv")).startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(m_messages.empty());

    // A file of no known format and a place that cannot be written: one message each.
    answer = path(QStringLiteral("sestava.xyz"));
    action(*preview, "actSaveAs")->trigger();
    answer = path(QStringLiteral("missing/folder/sestava.pdf"));
    action(*preview, "actSaveAs")->trigger();
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_TRUE(m_messages[0].text.contains(QStringLiteral("sestava.xyz")));
    EXPECT_EQ(m_messages[1].title, QStringLiteral("Chyba"));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("sestava.xyz"))));
}

TEST_F(PreviewWindow, PrintingMarksTheReportAsPrintedPageByPage)
{
    const auto preview = open_preview(100);
    const QString output = path(QStringLiteral("tisk.pdf"));
    set_print_dialog_hook([](QPrinter &, QWidget *) { return false; });
    action(*preview, "actPrint")->trigger();
    EXPECT_FALSE(report_printed);

    set_print_dialog_hook([&](QPrinter &printer, QWidget *) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(output);
        return true;
    });
    action(*preview, "actPrint")->trigger();
    EXPECT_TRUE(report_printed);
    EXPECT_TRUE(m_messages.empty());
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {output});
    ASSERT_TRUE(info.waitForFinished());
    const QString text = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("Pages: +%1\n").arg(preview->view()->page_count()))
                    .match(text)
                    .hasMatch())
        << qPrintable(text);
    // A4 within a point.
    EXPECT_TRUE(QRegularExpression(QStringLiteral("Page size: +59[45](\\.\\d+)? x 84[12](\\.\\d+)? pts"))
                    .match(text)
                    .hasMatch())
        << qPrintable(text);
}

TEST_F(PreviewWindow, SendingFromThePreviewAsksAndWritesThePdf)
{
    const auto preview = open_preview(20);
    m_answer = mrNo;
    ModalDriver::on_next_modal([](QWidget *modal) {
        auto *mail = qobject_cast<TfmMail *>(modal);
        ASSERT_NE(mail, nullptr);
        mail->act->setCurrentRow(0);
        ModalDriver::click(mail, "BitBtn1");
    });
    action(*preview, "actSend")->trigger();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].title, QStringLiteral("Odeslání tiskové sestavy."));
    EXPECT_TRUE(read_all(path(QStringLiteral("app/priloha.pdf"))).startsWith("%PDF-"));
    EXPECT_TRUE(preview->isVisible());
}

TEST_F(PreviewWindow, APreviewOpenedToSendStartsSendingOnceActive)
{
    send_on_open = true;
    bool asked = false;
    ModalDriver::on_next_modal([&](QWidget *modal) {
        asked = qobject_cast<TfmMail *>(modal) != nullptr;
        ModalDriver::click(modal, "btnCancel");
    });
    const auto preview = open_preview(5);
    preview->activateWindow();
    for (int waited = 0; !asked && waited < 5000; waited += 20)
        QTest::qWait(20);
    EXPECT_TRUE(asked);
    EXPECT_FALSE(send_on_open);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("app/priloha.pdf"))));
}

} // namespace
