#include "app/fmain.h"

#include "app/company_flag.h"
#include "app/menu_drawing.h"
#include "app/menu_tree.h"
#include "data/db_api.h"
#include "data/messages.h"
#include "data/settings.h"
#include "data/setup_keys.h"
#include "widgets/appearance.h"
#include "widgets/help.h"
#include "widgets/localize.h"
#include "widgets/shell_window.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QThread>
#include <QTimer>

namespace {

const int main_window_topic = 101;
const int max_tree_width = 288;
const int min_tree_width = 8;
const int window_panel_width = 280;
const int keys_panel_width = 50;

QRect screen_geometry()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

} // namespace

Tfm_main::Tfm_main(QWidget *parent) : QMainWindow(parent)
{
    m_previous_host = set_window_host(this);
    setObjectName(QStringLiteral("fm_main"));
    setWindowTitle(QStringLiteral("Tallyra"));

    create_commands();
    create_main_menu();
    create_popup_menu();
    create_work_area();
    create_status_bar();

    open_database();

    const QRect screen = screen_geometry();
    resize(screen.width() - screen.width() / 8, screen.height() - screen.height() / 8);
    const int tree_width = qBound(min_tree_width, width() / 4, max_tree_width);
    m_splitter->setSizes({tree_width, width() - tree_width});

    localize_component(this);

    collect_plugins();
    show_firm();

    for (QMenu *menu : std::as_const(m_drawn_menus))
        attach_menu_drawing(menu);

    reload_appearance();
    apply_appearance();

    set_help_topic(this, main_window_topic);
    reset_status();
    place_window();

    if (auto *dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                &Tfm_main::check_program_ending);
}

Tfm_main::~Tfm_main()
{
    // Child windows free their record sets, which live in the data module.
    qDeleteAll(m_work_area->subWindowList());
    if (m_database_open && !m_closed)
        m_api->close_database();
    m_api.reset();

    if (!(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)) &&
        read_setup_bool(setup::save_position, setup::save_position_default)) {
        IniFile settings = settings_file();
        const QString section = QStringLiteral("MAINWIN");
        settings.write_int(section, QStringLiteral("LEFT"), x());
        settings.write_int(section, QStringLiteral("TOP"), y());
        settings.write_int(section, QStringLiteral("WIDTH"), width());
        settings.write_int(section, QStringLiteral("HEIGHT"), height());
    }
    set_window_host(m_previous_host);
}

void Tfm_main::open_database()
{
    m_api = std::make_unique<TdbAPI>();
    m_api->application_window = this;
    // A fatal report during the opening has already set the program to end.
    m_database_open = m_api->open_database();
    if (!m_database_open)
        set_program_ending(true);
}

void Tfm_main::create_work_area()
{
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setChildrenCollapsible(false);
    m_tree = new TMenuTree(m_splitter);
    m_tree->setMinimumWidth(min_tree_width);
    m_work_area = new QMdiArea(m_splitter);
    m_work_area->setObjectName(QStringLiteral("work_area"));
    m_work_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_work_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_splitter->addWidget(m_tree);
    m_splitter->addWidget(m_work_area);
    m_splitter->setStretchFactor(1, 1);
    setCentralWidget(m_splitter);

    for (QWidget *area : {static_cast<QWidget *>(m_tree), static_cast<QWidget *>(m_work_area)}) {
        area->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(area, &QWidget::customContextMenuRequested, this,
                [this, area](const QPoint &at) { m_popup->popup(area->mapToGlobal(at)); });
    }
    connect(m_tree, &TMenuTree::command_chosen, this, [](QAction *item) { item->trigger(); });
    connect(m_tree, &TMenuTree::window_chosen, this, [this](QMdiSubWindow *window) {
        m_work_area->setActiveSubWindow(window);
        window->widget()->setFocus();
    });
    connect(m_tree, &TMenuTree::hovered_with_focus, this, [this] {
        if (QMdiSubWindow *current = m_work_area->currentSubWindow())
            current->widget()->setFocus();
    });
    connect(m_work_area, &QMdiArea::subWindowActivated, this, &Tfm_main::child_activated);
}

void Tfm_main::create_status_bar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("Bar"));
    bar->setSizeGripEnabled(true);
    const auto panel = [bar](const char *name) {
        auto *label = new QLabel(bar);
        label->setObjectName(QLatin1String(name));
        label->setAlignment(Qt::AlignCenter);
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        return label;
    };
    m_status_window = panel("panel_window");
    m_status_window->setFixedWidth(window_panel_width);
    m_status_keys = panel("panel_keys");
    m_status_keys->setMinimumWidth(keys_panel_width);
    bar->addWidget(m_status_window);
    bar->addWidget(m_status_keys, 1);
    m_status_database = new QLabel(bar);
    m_status_database->setObjectName(QStringLiteral("panel_database"));
    m_status_database->setTextInteractionFlags(Qt::TextSelectableByMouse);
    bar->addPermanentWidget(m_status_database);
}

void Tfm_main::show_firm()
{
    QString title = QStringLiteral("Tallyra");
    QString database;
    if (m_database_open) {
        m_api->foreign_currency = company_flag(QStringLiteral("FORE_CURR"));
        const QString firm = m_api->lookup_text(1, QStringLiteral("CONF_ADDRESS"),
                                                QStringLiteral("MYNAME")).trimmed();
        if (!firm.isEmpty())
            title += QStringLiteral(" – ") + firm;
        database = QDir::toNativeSeparators(m_api->database_path());
    }
    setWindowTitle(title);
    m_status_database->setText(QFileInfo(database).fileName());
    m_status_database->setToolTip(database);
    show_foreign_items();
}

void Tfm_main::firm_changed()
{
    show_firm();
}

void Tfm_main::apply_appearance()
{
    QPalette palette = m_tree->palette();
    palette.setColor(QPalette::Base, appearance().tree_color);
    m_tree->setPalette(palette);
    m_tree->setVisible(appearance().tree_visible);
}

void Tfm_main::place_window()
{
    if (read_setup_bool(setup::maximize, setup::maximize_default)) {
        setWindowState(windowState() | Qt::WindowMaximized);
        return;
    }
    const QRect screen = screen_geometry();
    const QRect fallback(screen.width() / 16, screen.height() / 16,
                         screen.width() - screen.width() / 8,
                         screen.height() - screen.height() / 8);
    const IniFile settings = settings_file();
    const QString section = QStringLiteral("MAINWIN");
    QRect stored(settings.read_int(section, QStringLiteral("LEFT"), fallback.left()),
                 settings.read_int(section, QStringLiteral("TOP"), fallback.top()),
                 settings.read_int(section, QStringLiteral("WIDTH"), fallback.width()),
                 settings.read_int(section, QStringLiteral("HEIGHT"), fallback.height()));
    if (stored.left() < 0 || stored.top() < 0 || stored.left() + stored.width() > screen.width() ||
        stored.height() > screen.height())
        stored = fallback;
    move(stored.topLeft());
    resize(stored.size());
}

void Tfm_main::show_as_configured()
{
    if (windowState() & Qt::WindowMaximized)
        showMaximized();
    else
        show();
}

void Tfm_main::bring_to_front()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void Tfm_main::set_status_hint(const QString &text)
{
    if (!text.isEmpty()) {
        show_status(split_status_hint(text));
        return;
    }
    if (!m_resetting_status)
        QTimer::singleShot(0, this, &Tfm_main::reset_status);
}

StatusHint Tfm_main::status_texts() const
{
    return {m_status_window->text(), m_status_keys->text()};
}

void Tfm_main::show_status(const StatusHint &hint)
{
    m_status_window->setText(hint.window);
    m_status_keys->setText(hint.keys);
    statusBar()->setToolTip(hint.keys);
}

void Tfm_main::reset_status()
{
    m_resetting_status = true;
    show_status(main_window_status());
    QWidget *front = m_foreground_editor;
    if (!front) {
        if (QMdiSubWindow *current = m_work_area->currentSubWindow())
            front = current->widget();
    }
    if (auto *handler = dynamic_cast<ShellWindow *>(front))
        handler->window_activated();
    m_resetting_status = false;
}

void Tfm_main::help_request(int topic)
{
    m_help.show(appearance().help_type, topic, this);
}

void Tfm_main::window_activated()
{
    reset_status();
    if (!m_first_activation)
        return;
    m_first_activation = false;
    run_start_command();
    if (read_setup_bool(setup::wizard, setup::wizard_default))
        show_guide();
}

bool Tfm_main::event(QEvent *event)
{
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::WindowActivate && !m_ending)
        window_activated();
    return handled;
}

// F1 that no window inside has taken asks for the help of the window holding the focus.
void Tfm_main::keyPressEvent(QKeyEvent *event)
{
    QWidget *focus = QApplication::focusWidget();
    if (help_key(focus && isAncestorOf(focus) ? focus : this, event))
        return;
    QMainWindow::keyPressEvent(event);
}

void Tfm_main::closeEvent(QCloseEvent *event)
{
    if (!close_child_windows() && !m_ending) {
        event->ignore();
        return;
    }
    if (m_database_open && !m_closed)
        m_api->close_database();
    m_closed = true;
    event->accept();
    // The program ends with its main window, whatever other windows are still open.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::quit();
}

void Tfm_main::check_program_ending()
{
    if (!program_ending() || m_ending)
        return;
    m_ending = true;
    close();
    // Leaves every running event loop, modal windows' included.  Without one running
    // there is nothing to leave, and exit() would make the next loop end at once.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(1);
}
