#include "calc/ui/fusercalc.h"

#include "calc/ui/calc_script_edit.h"
#include "calc/ui/fcalc.h"
#include "calc/ui/fcalcedit.h"
#include "calc/user_calc.h"
#include "data/db_api.h"
#include "data/memtable.h"
#include "widgets/command_key.h"
#include "widgets/dbgrid.h"
#include "widgets/help.h"
#include "widgets/image_list16.h"
#include "widgets/localize.h"
#include "widgets/popup_menu.h"
#include "widgets/window_host.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const QString caption = QStringLiteral("Uživatelské kalkulátory");
const QString status_keys =
    QStringLiteral("|INSERT - vlož nový vzorec, ENTER - oprava vzorce, DELETE - vymaž vzorec, "
                   "F8 - menu, ESC - zavřít.");
const QString table = QStringLiteral("USER_CALC");

const int help_window = 409;
const int help_test_run = 9011;
const int grid_min_width = 128;
const int grid_max_width = 388;
const int name_column_width = 200;

const int image_run = 18;


} // namespace

TfUserCalc::TfUserCalc(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("fusercalc"));
    setWindowTitle(caption);
    set_help_topic(this, help_window);
    create_commands();
    create_layout();
    m_set = dbAPI ? select_calculators() : nullptr;
    if (m_set) {
        if (TField *script = m_set->find_field(QStringLiteral("FORMULA")))
            script->visible = false;
        m_script->bind(m_set, QStringLiteral("FORMULA"));
    }
    m_grid->set_table(m_set);
    for (int column = 0; column < m_grid->table_model().columnCount(); ++column)
        if (const TField *field = m_grid->column_field(column);
            field && field->name() == QLatin1String("CALC_NAME"))
            m_grid->setColumnWidth(column, name_column_width);
    localize_component(this);
    install_help_key(this);
    update_commands();
}

TfUserCalc::~TfUserCalc()
{
    if (m_set) {
        m_grid->set_table(nullptr);
        m_script->bind(nullptr, {});
        if (dbAPI)
            dbAPI->free_set(m_set);
    }
    window_host().set_status_hint({});
}

void TfUserCalc::create_commands()
{
    auto command = [this](const char *name, const QString &text, int image,
                          void (TfUserCalc::*slot)()) {
        auto *action = new QAction(ImageList16::icon(image), text, this);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    m_run = command("actRunCalc", QStringLiteral("Spusť kalkulátor"), image_run,
                    &TfUserCalc::run_calculator);
    m_add = command("actAddCalc", QStringLiteral("Přidat kalkulátor"), ImageList16::plus,
                    &TfUserCalc::add_calculator);
    m_edit = command("actEditCalc", QStringLiteral("Opravit kalkulátor"), ImageList16::pencil,
                     &TfUserCalc::edit_calculator);
    m_delete = command("actDeleteCalc", QStringLiteral("Vymazat kalkulátor"), ImageList16::cross,
                       &TfUserCalc::delete_calculator);
    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("popCalc"));
    m_menu->addAction(m_run);
    m_menu->addSeparator();
    m_menu->addAction(m_add);
    m_menu->addAction(m_edit);
    m_menu->addAction(m_delete);
}

void TfUserCalc::create_layout()
{
    auto *tools = new QToolBar(this);
    tools->setIconSize(QSize(16, 16));
    tools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    tools->addAction(m_run);
    tools->addSeparator();
    tools->addAction(m_add);
    tools->addAction(m_edit);
    tools->addAction(m_delete);

    m_grid = new TDBGrid(this);
    m_grid->setObjectName(QStringLiteral("grid"));
    m_grid->setMinimumWidth(grid_min_width);
    m_grid->setMaximumWidth(grid_max_width);
    m_grid->setAlternatingRowColors(true);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    m_grid->installEventFilter(this);
    connect(m_grid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { m_menu->popup(m_grid->viewport()->mapToGlobal(at)); });
    connect(m_grid, &TDBGrid::record_double_clicked, this, [this] { run_if_enabled(m_run); });

    m_script = new TCalcScriptEdit(this);
    m_script->setObjectName(QStringLiteral("script_view"));
    m_script->setReadOnly(true);
    m_script->set_read_only(true);
    m_script->installEventFilter(this);
    m_script->viewport()->installEventFilter(this);

    auto *panes = new QHBoxLayout;
    panes->setContentsMargins(0, 0, 0, 0);
    panes->addWidget(m_grid, 1);
    panes->addWidget(m_script, 2);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addLayout(panes, 1);
}

void TfUserCalc::update_commands()
{
    const bool rows = m_set && !m_set->is_empty();
    m_add->setEnabled(m_set != nullptr);
    m_run->setEnabled(rows);
    m_edit->setEnabled(rows);
    m_delete->setEnabled(rows);
}

void TfUserCalc::run_calculator()
{
    const TField *script = m_set->find_field(QStringLiteral("FORMULA"));
    TfCalc *runner = open_calculator(m_script, 0);
    run_calculator_script(runner, script ? script->as_string() : QString(), help_test_run);
    m_grid->setFocus();
}

void TfUserCalc::add_calculator()
{
    const int id = ::edit_calculator(m_set, 0);
    if (id != 0)
        dbAPI->refresh_record(id, table, m_set);
    update_commands();
    m_grid->setFocus();
}

void TfUserCalc::edit_calculator()
{
    const int id = ::edit_calculator(m_set, 1);
    if (id != 0)
        dbAPI->refresh_record(id, table, m_set);
    update_commands();
    m_grid->setFocus();
}

void TfUserCalc::delete_calculator()
{
    ::delete_calculator(m_set);
    update_commands();
    m_grid->setFocus();
}

void TfUserCalc::window_activated()
{
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->showMaximized();
    window_host().set_status_hint(caption + status_keys);
}

bool TfUserCalc::command_key(int key, bool in_grid)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        run_if_enabled(in_grid ? m_run : m_edit);
        return true;
    case Qt::Key_Insert:
        run_if_enabled(m_add);
        return true;
    case Qt::Key_Delete:
        run_if_enabled(m_delete);
        return true;
    case Qt::Key_Escape:
        if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
            sub->close();
        else
            close();
        return true;
    case Qt::Key_F8:
        popup_at(*this, *m_menu);
        return true;
    default:
        return false;
    }
}

// The grid keeps Enter, Delete and Escape for itself; a key typed in the script view
// belongs to the list.
bool TfUserCalc::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick && watched == m_script->viewport()) {
        run_if_enabled(m_edit);
        return true;
    }
    if (event->type() == QEvent::KeyPress && (watched == m_grid || watched == m_script)) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool plain = is_plain_key(*key);
        if (plain && command_key(key->key(), watched == m_grid))
            return true;
        if (watched == m_script && key->key() != Qt::Key_F1) {
            m_grid->setFocus();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TfUserCalc::keyPressEvent(QKeyEvent *event)
{
    const bool plain = is_plain_key(*event);
    if (plain && command_key(event->key(), false))
        return;
    QWidget::keyPressEvent(event);
}
