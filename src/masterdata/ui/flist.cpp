#include "masterdata/ui/flist.h"

#include "data/db_api.h"
#include "data/memtable.h"
#include "masterdata/ui/flistedit.h"
#include "masterdata/ui/frsearch.h"
#include "widgets/command_key.h"
#include "widgets/command_registry.h"
#include "widgets/dbgrid.h"
#include "widgets/help.h"
#include "widgets/image_list16.h"
#include "widgets/localize.h"
#include "widgets/owner_window.h"
#include "widgets/popup_menu.h"
#include "widgets/window_host.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

namespace {

const QString status_keys = QStringLiteral(
    "|INSERT-vlož nový záznam, ENTER-oprava záznamu, DELETE-vymaž záznam, MEZERNÍK-tisk, "
    "F8-menu, ESC-zavřít.");
const QString add_caption = QStringLiteral("Přidat záznam");
const QString edit_caption = QStringLiteral("Opravit záznam");
const QString delete_question = QStringLiteral("Opravdu vymazat tento záznam v číselníku?");

const int min_width = 400;
const int max_width = 600;
const int min_height = 400;
const int offset_top = 64;
const int offset_left = 32;
// A window standing alone (no main window) gets a height that shows a usual code list.
const int default_height = 480;



} // namespace

PrintTable &print_table_hook()
{
    static PrintTable hook;
    return hook;
}

namespace {

std::vector<TableCommand> &table_commands()
{
    static std::vector<TableCommand> commands;
    return commands;
}

} // namespace

void add_table_command(const TableCommand &command)
{
    std::vector<TableCommand> &commands = table_commands();
    const auto same = std::find_if(commands.begin(), commands.end(), [&](const auto &known) {
        return known.table.compare(command.table, Qt::CaseInsensitive) == 0 &&
               known.caption == command.caption;
    });
    if (same != commands.end())
        *same = command;
    else
        commands.push_back(command);
}

Tfm_list::Tfm_list(const QString &table, const QString &select, const QString &caption,
                   int help_topic, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint),
      m_table(table), m_select(select)
{
    setObjectName(QStringLiteral("fm_list"));
    setWindowTitle(caption);
    set_help_topic(this, help_topic);
    create_commands();
    create_layout();
    m_set = dbAPI ? dbAPI->select_sql(m_table, m_select) : nullptr;
    m_grid->set_table(m_set);
    m_search->attach_grid(m_grid);
    m_search->use_first_visible_column();
    localize_component(this);
    install_help_key(this);
    update_commands();
    place();
    m_grid->setFocus();
}

Tfm_list::~Tfm_list()
{
    free_set();
}

void Tfm_list::create_commands()
{
    auto command = [this](const char *name, const QString &caption, int image,
                          void (Tfm_list::*slot)()) {
        auto *action = new QAction(ImageList16::icon(image), caption, this);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    m_add = command("actAdd", add_caption, ImageList16::plus, &Tfm_list::add_record);
    m_edit = command("actEdit", edit_caption, ImageList16::pencil, &Tfm_list::edit_record);
    m_delete = command("actDelete", QStringLiteral("Vymazat záznam"), ImageList16::cross,
                       &Tfm_list::delete_record);
    m_print = command("actPrint", QStringLiteral("Tisk této tabulky"), ImageList16::printer,
                      &Tfm_list::print_table);
    m_help = new QAction(ImageList16::icon(ImageList16::help), QStringLiteral("Nápověda"), this);
    m_help->setObjectName(QStringLiteral("actHelp"));
    connect(m_help, &QAction::triggered, this, [this] { show_help(this); });

    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("popList"));
    m_menu->addAction(m_add);
    m_menu->addAction(m_edit);
    m_menu->addSeparator();
    m_menu->addAction(m_delete);
    m_menu->addSeparator();
    m_menu->addAction(m_print);
    create_table_commands();
}

void Tfm_list::create_table_commands()
{
    for (const TableCommand &known : table_commands()) {
        if (known.table.compare(m_table, Qt::CaseInsensitive) != 0 || !known.run)
            continue;
        auto *action = new QAction(ImageList16::icon(known.image), known.caption, this);
        action->setObjectName(QStringLiteral("actTable%1").arg(m_table_commands.size() + 1));
        const auto run = known.run;
        connect(action, &QAction::triggered, this, [this, run] {
            run(*this);
            update_commands();
            m_grid->setFocus();
        });
        m_table_commands << action;
    }
    if (m_table_commands.isEmpty())
        return;
    m_menu->addSeparator();
    m_menu->addActions(m_table_commands);
}

void Tfm_list::create_layout()
{
    auto *tools = new QToolBar(this);
    tools->setObjectName(QStringLiteral("tbList"));
    tools->setIconSize(QSize(16, 16));
    tools->setToolButtonStyle(Qt::ToolButtonIconOnly);
    tools->addAction(m_add);
    tools->addAction(m_edit);
    tools->addAction(m_delete);
    tools->addSeparator();
    tools->addAction(m_print);
    if (!m_table_commands.isEmpty()) {
        tools->addSeparator();
        for (QAction *command : m_table_commands) {
            tools->addAction(command);
            // A command of its own is told by its caption, not by a small picture.
            if (auto *button = qobject_cast<QToolButton *>(tools->widgetForAction(command)))
                button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        }
    }
    auto *spacer = new QWidget(tools);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    tools->addWidget(spacer);
    tools->addAction(m_help);

    m_grid = new TDBGrid(this);
    m_grid->setObjectName(QStringLiteral("grid"));
    // The rows fill the window, however few the columns.
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    m_grid->installEventFilter(this);
    connect(m_grid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { m_menu->popup(m_grid->viewport()->mapToGlobal(at)); });
    connect(m_grid, &TDBGrid::enter_pressed, this, [this] { run_if_enabled(m_edit); });
    connect(m_grid, &TDBGrid::record_double_clicked, this, [this] { run_if_enabled(m_edit); });

    m_search = new Tfr_search(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_search);
}

// Below the main window's menu tree, as wide as the columns want within the limits.
void Tfm_list::place()
{
    setMinimumSize(min_width, min_height);
    setMaximumWidth(max_width);
    int wanted = 2 * m_grid->frameWidth() + m_grid->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < m_grid->horizontalHeader()->count(); ++column)
        if (!m_grid->isColumnHidden(column))
            wanted += m_grid->columnWidth(column);
    const int width = std::clamp(wanted, min_width, max_width);
    const QWidget *host = window_host().host_window();
    if (!host) {
        resize(width, default_height);
        return;
    }
    // Over the work area, never past the main window's edges or onto its status bar.
    const QRect main = host->frameGeometry();
    const int tree = window_host().tree_width();
    const int bottom = main.bottom() - window_host().status_bar_height();
    const int left = main.left() + tree + offset_left;
    const int top = main.top() + offset_top;
    resize(std::min(width, std::max(min_width, main.right() - left)),
           std::max(min_height, std::min(main.height() - main.height() / 8, bottom - top)));
    move(std::max(main.left(), std::min(left, main.right() - frameGeometry().width())),
         std::max(main.top(), std::min(top, bottom - frameGeometry().height())));
}

void Tfm_list::run()
{
    const QString caption = windowTitle();
    WindowHost &host = window_host();
    host.editor_opened(caption);
    host.set_foreground_editor(this);
    exec();
    free_set();
    host.editor_closed(caption);
    host.set_foreground_editor(nullptr);
    host.set_status_hint({});
}

void Tfm_list::reload()
{
    if (!dbAPI)
        return;
    const int id = dbAPI->current_recid(m_set);
    free_set();
    m_set = dbAPI->select_sql(m_table, m_select);
    m_grid->set_table(m_set);
    m_search->use_first_visible_column();
    if (id != 0)
        dbAPI->locate_recid(id, m_set);
    update_commands();
}

void Tfm_list::free_set()
{
    if (!m_set)
        return;
    m_grid->set_table(nullptr);
    if (dbAPI)
        dbAPI->free_set(m_set);
    m_set = nullptr;
    update_commands();
}

void Tfm_list::add_record()
{
    const int id = edit_list_record(0, m_set, m_table, {}, help_topic(this), add_caption);
    if (id != 0)
        dbAPI->refresh_record(id, m_table, m_set);
    update_commands();
    m_grid->setFocus();
}

void Tfm_list::edit_record()
{
    const int id = edit_list_record(1, m_set, m_table, {}, help_topic(this), edit_caption);
    if (id != 0)
        dbAPI->refresh_record(id, m_table, m_set);
    update_commands();
    m_grid->setFocus();
}

void Tfm_list::delete_record()
{
    delete_list_record(m_set, m_table, delete_question);
    update_commands();
    m_grid->setFocus();
}

void Tfm_list::print_table()
{
    if (print_table_hook())
        print_table_hook()(windowTitle(), m_table, m_select);
    update_commands();
}

void Tfm_list::update_commands()
{
    const int rows = dbAPI ? dbAPI->record_count(m_set) : 0;
    m_add->setEnabled(m_set != nullptr);
    m_edit->setEnabled(rows >= 1);
    m_print->setEnabled(rows >= 1);
    m_delete->setEnabled(rows > 1);
}

void Tfm_list::window_activated()
{
    window_host().set_status_hint(windowTitle() + status_keys);
}

bool Tfm_list::event(QEvent *event)
{
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate)
        window_activated();
    return handled;
}

bool Tfm_list::command_key(int key)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        run_if_enabled(m_edit);
        return true;
    case Qt::Key_Insert:
        run_if_enabled(m_add);
        return true;
    case Qt::Key_Delete:
        run_if_enabled(m_delete);
        return true;
    case Qt::Key_Space:
        run_if_enabled(m_print);
        return true;
    case Qt::Key_Escape:
        reject();
        return true;
    case Qt::Key_F8:
        popup_at(*this, *m_menu);
        return true;
    default:
        return false;
    }
}

// The grid would take Space, Delete and Escape for itself.
bool Tfm_list::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool plain = is_plain_key(*key);
        if (plain && key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter &&
            command_key(key->key()))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

// Keys typed into the search field are the search's own, Escape included.
void Tfm_list::keyPressEvent(QKeyEvent *event)
{
    const bool plain = is_plain_key(*event);
    if (m_search->has_search_focus()) {
        if (event->key() == Qt::Key_Escape)
            return;
    } else if (plain && command_key(event->key())) {
        return;
    }
    QDialog::keyPressEvent(event);
}

void open_code_list(const QString &table, const QString &select, const QString &caption,
                    int help_topic)
{
    Tfm_list window(table, select, caption, help_topic, owner_window());
    window.run();
}
