#include "reports/ui/fpreview.h"

#include "data/messages.h"
#include "engine/export_filter.h"
#include "engine/painter_replay.h"
#include "engine/report_error.h"
#include "reports/export_formats.h"
#include "reports/preview_geometry.h"
#include "reports/preview_zoom.h"
#include "reports/report_state.h"
#include "reports/send_report.h"
#include "reports/ui/fmail.h"
#include "reports/ui/mail_progress.h"
#include "reports/ui/preview_view.h"
#include "widgets/help.h"
#include "widgets/image_list16.h"
#include "widgets/localize.h"
#include "widgets/system_dialogs.h"
#include "widgets/window_host.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <exception>

namespace {

const QString status_keys = QStringLiteral("|F10 - menu");
const QString error_caption = QStringLiteral("Chyba");

enum Image { imPrinter = 5, imFloppy = 6, imMagnifier = 8, imDoor = 9, imEnvelope = 11,
             imDocument = 14, imTwoWay = 19, imHelp = 27 };

// The magnifier with a plus or a minus beside it.
QIcon zoom_icon(bool in)
{
    QPixmap pixmap = ImageList16::pixmap(imMagnifier);
    QPainter painter(&pixmap);
    painter.setPen(QPen(QColor(0, 0, 160), 2));
    painter.drawLine(QPointF(10, 13), QPointF(16, 13));
    if (in)
        painter.drawLine(QPointF(13, 10), QPointF(13, 16));
    return QIcon(pixmap);
}

// Errors of preparing, exporting or printing are said once and never leave the event loop.
template <typename Action> void guarded(Action &&action)
{
    try {
        action();
    } catch (const ReportError &error) {
        show_message(error_caption, error.message(), mbIconError);
    } catch (const std::exception &error) {
        show_message(error_caption,
                     QStringLiteral("Tiskovou sestavu nelze zpracovat: %1")
                         .arg(QString::fromLocal8Bit(error.what())),
                     mbIconError);
    }
}

} // namespace

Tfpreview::Tfpreview(QWidget *parent)
    : QDialog(parent ? parent : window_host().host_window(),
              Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
{
    setObjectName(QStringLiteral("fpreview"));
    report_printed = false;
    setMinimumSize(300, 300);
    setFont(QFont(QStringLiteral("Arial"), 8));
    set_help_topic(this, help_topic);

    m_print = add_action("actPrint", QStringLiteral("Vytisknout"), QStringLiteral("Vytisknout"),
                         &Tfpreview::actPrintExecute);
    m_print->setIcon(ImageList16::icon(imPrinter));
    m_save_as = add_action("actSaveAs", QStringLiteral("Uložit do souboru (text, word, excel, html)"),
                           QStringLiteral("Uložit do externího souboru."),
                           &Tfpreview::actSaveAsExecute);
    m_save_as->setIcon(ImageList16::icon(imFloppy));
    m_send = add_action("actSend", QStringLiteral("Odeslat tiskovou sestavu jako e-mail"), {},
                        &Tfpreview::actSendExecute);
    m_send->setIcon(ImageList16::icon(imEnvelope));
    m_page_whole = add_action("actPageWhole", QStringLiteral("Celá stránka"), {},
                              &Tfpreview::actPageWholeExecute);
    m_page_whole->setIcon(ImageList16::icon(imDocument));
    m_page_width = add_action("actPageWidth", QStringLiteral("Roztáhnout na celou šířku"), {},
                              &Tfpreview::actPageWidthExecute);
    m_page_width->setIcon(ImageList16::icon(imTwoWay));
    m_zoom_in = add_action("actZoomIn", QStringLiteral("Zvětšit"), {}, &Tfpreview::actZoomInExecute);
    m_zoom_in->setIcon(zoom_icon(true));
    m_zoom_out = add_action("actZoomOut", QStringLiteral("Zmenšit"), {},
                            &Tfpreview::actZoomOutExecute);
    m_zoom_out->setIcon(zoom_icon(false));

    m_view = new PreviewView(this);
    m_first_page = new QAction(style()->standardIcon(QStyle::SP_MediaSkipBackward),
                               QStringLiteral("První stránka"), this);
    m_previous_page = new QAction(style()->standardIcon(QStyle::SP_MediaSeekBackward),
                                  QStringLiteral("Předchozí stránka"), this);
    m_next_page = new QAction(style()->standardIcon(QStyle::SP_MediaSeekForward),
                              QStringLiteral("Další stránka"), this);
    m_last_page = new QAction(style()->standardIcon(QStyle::SP_MediaSkipForward),
                              QStringLiteral("Poslední stránka"), this);
    m_first_page->setObjectName(QStringLiteral("actFirstPage"));
    m_previous_page->setObjectName(QStringLiteral("actPreviousPage"));
    m_next_page->setObjectName(QStringLiteral("actNextPage"));
    m_last_page->setObjectName(QStringLiteral("actLastPage"));
    connect(m_first_page, &QAction::triggered, this, [this] { m_view->go_to_page(0); });
    connect(m_previous_page, &QAction::triggered, this,
            [this] { m_view->go_to_page(m_view->current_page() - 1); });
    connect(m_next_page, &QAction::triggered, this,
            [this] { m_view->go_to_page(m_view->current_page() + 1); });
    connect(m_last_page, &QAction::triggered, this,
            [this] { m_view->go_to_page(m_view->page_count() - 1); });
    connect(m_view, &PreviewView::current_page_changed, this, &Tfpreview::update_page_counter);
    connect(m_view, &PreviewView::zoom_changed, this, &Tfpreview::update_zoom_label);

    create_menus();
    create_tool_strip();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(m_menu_bar);
    layout->addWidget(m_tool_strip);
    layout->addWidget(m_view, 1);

    const QWidget *host = window_host().host_window();
    const QRect place =
        host ? preview_geometry(host->geometry(), window_host().status_bar_height()) : QRect();
    if (place.isEmpty())
        resize(900, 700);
    else
        setGeometry(place);

    localize_component(this);
    install_help_key(this);
    update_page_counter();
    update_zoom_label();
}

Tfpreview::~Tfpreview()
{
    send_on_open = false;
    window_host().set_status_hint(QString());
}

QAction *Tfpreview::add_action(const char *name, const QString &caption, const QString &hint,
                               void (Tfpreview::*execute)())
{
    auto *action = new QAction(caption, this);
    action->setObjectName(QLatin1String(name));
    action->setToolTip(hint.isEmpty() ? caption : hint);
    action->setStatusTip(action->toolTip());
    connect(action, &QAction::triggered, this, execute);
    return action;
}

void Tfpreview::create_menus()
{
    m_menu_bar = new QMenuBar(this);
    QMenu *print = m_menu_bar->addMenu(QStringLiteral("Tisk"));
    print->setObjectName(QStringLiteral("mnuPrint"));
    print->addAction(m_print);
    print->addSeparator();
    print->addAction(m_save_as);
    // Sending stays out of sight in the main menu; the tool strip and the context menu
    // offer it.
    QAction *hidden_send = print->addAction(m_send->text(), this, &Tfpreview::actSendExecute);
    hidden_send->setObjectName(QStringLiteral("mnuSend"));
    hidden_send->setVisible(false);

    QMenu *page = m_menu_bar->addMenu(QStringLiteral("Stránka"));
    page->setObjectName(QStringLiteral("mnuPage"));
    page->addActions({m_page_whole, m_page_width, m_zoom_in, m_zoom_out});

    m_context_menu = new QMenu(this);
    m_context_menu->setObjectName(QStringLiteral("popupPreview"));
    m_context_menu->addAction(m_print);
    m_context_menu->addSeparator();
    m_context_menu->addActions({m_save_as, m_send});
    m_context_menu->addSeparator();
    m_context_menu->addActions({m_page_whole, m_page_width, m_zoom_in, m_zoom_out});
}

void Tfpreview::create_tool_strip()
{
    m_tool_strip = new QToolBar(this);
    m_tool_strip->setObjectName(QStringLiteral("toolStrip"));
    m_tool_strip->setIconSize(QSize(16, 16));
    m_tool_strip->addAction(m_print);
    m_tool_strip->addSeparator();
    m_tool_strip->addActions({m_save_as, m_send});
    m_tool_strip->addSeparator();
    m_tool_strip->addActions({m_page_whole, m_page_width, m_zoom_in, m_zoom_out});
    m_zoom_label = new QLabel(this);
    m_zoom_label->setObjectName(QStringLiteral("lblZoom"));
    m_zoom_label->setMinimumWidth(48);
    m_zoom_label->setAlignment(Qt::AlignCenter);
    m_tool_strip->addWidget(m_zoom_label);
    m_tool_strip->addSeparator();
    m_tool_strip->addActions({m_first_page, m_previous_page});
    m_page_counter = new QLabel(this);
    m_page_counter->setObjectName(QStringLiteral("lblPages"));
    m_page_counter->setMinimumWidth(110);
    m_page_counter->setAlignment(Qt::AlignCenter);
    m_tool_strip->addWidget(m_page_counter);
    m_tool_strip->addActions({m_next_page, m_last_page});

    auto *spacer = new QWidget(this);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_tool_strip->addWidget(spacer);
    auto *help = new QToolButton(this);
    help->setObjectName(QStringLiteral("btnHelp"));
    help->setIcon(ImageList16::icon(imHelp));
    help->setToolTip(QStringLiteral("Nápověda"));
    connect(help, &QToolButton::clicked, this, [this] { show_help(this); });
    m_tool_strip->addWidget(help);
    auto *close = new QToolButton(this);
    close->setObjectName(QStringLiteral("btnClose"));
    close->setIcon(ImageList16::icon(imDoor));
    close->setToolTip(QStringLiteral("Zavřít"));
    connect(close, &QToolButton::clicked, this, &Tfpreview::close);
    m_tool_strip->addWidget(close);
}

bool Tfpreview::prepare_report()
{
    bool prepared = false;
    guarded([this, &prepared] {
        m_prepared = m_report.prepare();
        prepared = true;
    });
    if (!prepared)
        m_prepared = {};
    m_view->set_report(&m_prepared);
    update_page_counter();
    return prepared;
}

void Tfpreview::update_page_counter()
{
    const int count = m_view->page_count();
    const int page = m_view->current_page();
    m_page_counter->setText(count == 0 ? QStringLiteral("Strana 0 z 0")
                                       : QStringLiteral("Strana %1 z %2").arg(page + 1).arg(count));
    m_first_page->setEnabled(page > 0);
    m_previous_page->setEnabled(page > 0);
    m_next_page->setEnabled(page >= 0 && page < count - 1);
    m_last_page->setEnabled(page >= 0 && page < count - 1);
    const bool has_pages = count > 0;
    m_print->setEnabled(has_pages);
    m_save_as->setEnabled(has_pages);
    m_send->setEnabled(has_pages);
}

void Tfpreview::update_zoom_label()
{
    m_zoom_label->setText(QStringLiteral("%1 %").arg(qRound(m_view->zoom())));
}

void Tfpreview::refresh()
{
    m_view->viewport()->update();
    raise();
    activateWindow();
}

void Tfpreview::actPrintExecute()
{
    if (m_prepared.pages.empty())
        return;
    guarded([this] {
        QPrinter printer(QPrinter::HighResolution);
        printer.setDocName(windowTitle().trimmed());
        printer.setFromTo(1, int(m_prepared.pages.size()));
        if (!choose_printer(printer, this))
            return;
        int first = 0;
        int last = int(m_prepared.pages.size()) - 1;
        if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
            first = printer.fromPage() - 1;
            last = std::min(last, printer.toPage() - 1);
        } else if (printer.printRange() == QPrinter::CurrentPage) {
            first = last = std::max(0, m_view->current_page());
        }
        // Each page that reaches the printer marks the report as printed.
        const bool printed = paint_report(m_prepared, printer, first, last,
                                          [](int) { report_printed = true; });
        if (!printed)
            show_message(error_caption,
                         QStringLiteral("Tiskovou sestavu se nepodařilo vytisknout, tiskárna "
                                        "tisk nepřijala."),
                         mbIconError);
    });
    refresh();
}

void Tfpreview::actSaveAsExecute()
{
    if (m_prepared.pages.empty())
        return;
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.title = QStringLiteral("Uložit do souboru");
    request.filter = export_formats_filter();
    request.default_suffix = QStringLiteral("pdf");
    const QString file = choose_file(this, request);
    if (!file.isEmpty()) {
        guarded([&] {
            const ExportFormat *format = export_formats().for_file(file);
            if (!format) {
                show_message(error_caption,
                             QStringLiteral("Soubor %1 nemá příponu žádného z nabízených "
                                            "formátů, tisková sestava nebyla uložena.")
                                 .arg(file),
                             mbIconError);
                return;
            }
            const std::unique_ptr<ExportFilter> filter = format->create();
            export_to_file(m_prepared, *filter, file);
        });
    }
    refresh();
}

void Tfpreview::actSendExecute()
{
    if (m_sending || m_prepared.pages.empty())
        return;
    m_sending = true;
    SendOutcome outcome = SendOutcome::Stopped;
    guarded([this, &outcome] {
        const MailProgress progress(this);
        outcome = send_report(m_prepared,
                              [this](Tmail_content &content) {
                                  return ask_mail_settings(content, this);
                              },
                              this, window_host().host_window());
    });
    m_sending = false;
    refresh();
    if (outcome == SendOutcome::ClosePreview)
        close();
}

void Tfpreview::actPageWholeExecute()
{
    m_view->set_fit(PreviewView::Fit::WholePage);
}

void Tfpreview::actPageWidthExecute()
{
    m_view->set_fit(PreviewView::Fit::PageWidth);
}

void Tfpreview::actZoomInExecute()
{
    m_view->set_zoom(zoom_in(m_view->zoom()));
}

void Tfpreview::actZoomOutExecute()
{
    m_view->set_zoom(zoom_out(m_view->zoom()));
}

void Tfpreview::window_activated()
{
    window_host().set_status_hint(windowTitle() + status_keys);
    if (send_on_open) {
        send_on_open = false;
        // After the activation, so that the mail dialog opens over a preview already shown.
        QTimer::singleShot(0, this, &Tfpreview::actSendExecute);
    }
}

bool Tfpreview::event(QEvent *event)
{
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate)
        window_activated();
    return handled;
}

void Tfpreview::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    // The status line promises the menu on F10.
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::NoModifier) {
        m_menu_bar->setFocus(Qt::MenuBarFocusReason);
        m_menu_bar->setActiveAction(m_menu_bar->actions().value(0));
        return;
    }
    QDialog::keyPressEvent(event);
}

void Tfpreview::contextMenuEvent(QContextMenuEvent *event)
{
    m_context_menu->popup(event->globalPos());
}
