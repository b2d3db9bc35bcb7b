#include "app/setup_list_panel.h"

#include "data/db_api.h"
#include "data/memtable.h"
#include "masterdata/ui/flistedit.h"
#include "widgets/command_key.h"
#include "widgets/dbgrid.h"
#include "widgets/dialog_parts.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

void run_if_enabled(QPushButton *command)
{
    if (command->isEnabled())
        command->click();
}

} // namespace

TSetupListPanel::TSetupListPanel(TMemTable *set, const QString &table, const QString &shown_field,
                                 int help_topic, const SetupListCommands &commands, QWidget *parent)
    : QWidget(parent), m_set(set), m_table(table), m_help_topic(help_topic), m_commands(commands)
{
    m_grid = new TDBGrid(this);
    m_grid->setObjectName(QStringLiteral("grid"));
    m_grid->set_table(m_set, {shown_field});
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->installEventFilter(this);
    connect(m_grid, &TDBGrid::enter_pressed, this, [this] { run_if_enabled(m_edit); });
    connect(m_grid, &TDBGrid::record_double_clicked, this, [this] { run_if_enabled(m_edit); });

    m_add = command_button(commands.add, commands.add_name, this);
    m_edit = command_button(commands.edit, commands.edit_name, this);
    m_remove = command_button(commands.remove, commands.remove_name, this);
    connect(m_add, &QPushButton::clicked, this, &TSetupListPanel::add_record);
    connect(m_edit, &QPushButton::clicked, this, &TSetupListPanel::edit_record);
    connect(m_remove, &QPushButton::clicked, this, &TSetupListPanel::delete_record);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_edit);
    buttons->addWidget(m_remove);
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    update_commands();
}

void TSetupListPanel::add_record()
{
    edit_list_record(0, m_set, m_table, {}, m_help_topic, m_commands.add);
    update_commands();
    m_grid->setFocus();
}

void TSetupListPanel::edit_record()
{
    edit_list_record(1, m_set, m_table, {}, m_help_topic, m_commands.edit);
    update_commands();
    m_grid->setFocus();
}

void TSetupListPanel::delete_record()
{
    delete_list_record(m_set, m_table, m_commands.question);
    update_commands();
    m_grid->setFocus();
}

// Correcting or deleting needs a row; the last one may go, unlike in a code list.
void TSetupListPanel::update_commands()
{
    const bool has_rows = dbAPI && dbAPI->record_count(m_set) > 0;
    m_add->setEnabled(m_set != nullptr);
    m_edit->setEnabled(has_rows);
    m_remove->setEnabled(has_rows);
}

bool TSetupListPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (is_plain_key(*key)) {
            if (key->key() == Qt::Key_Insert) {
                run_if_enabled(m_add);
                return true;
            }
            if (key->key() == Qt::Key_Delete) {
                run_if_enabled(m_remove);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}
