// What the main window's commands do, its command and data messages, and its child
// windows.

#include "app/fmain.h"

#include "app/commands.h"
#include "app/menu_tree.h"
#include "data/app_paths.h"
#include "data/db_api.h"
#include "data/messages.h"
#include "data/settings.h"
#include "data/setup_keys.h"
#include "widgets/appearance.h"
#include "widgets/command_registry.h"
#include "widgets/shell_window.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QTimer>

namespace {

const char key_property[] = "window_key";
const QString guide_class = QStringLiteral("TfmWizard");
const QString guide_title = QStringLiteral("  Průvodce programem Tallyra");

} // namespace

void Tfm_main::execute(const CommandDefinition &definition, QAction *command)
{
    ShellServices &services = shell_services();
    switch (definition.effect) {
    case CommandEffect::BookWindow: {
        const int record_id = command->data().toInt();
        // Only the tax-records book forgets the record once it has been shown.
        if (definition.key == QLatin1String("TE"))
            command->setData({});
        open_book_window(definition.key, record_id);
        break;
    }
    case CommandEffect::CodeList:
        if (services.open_code_list)
            services.open_code_list(definition.key,
                                    QStringLiteral("SELECT * FROM ") + definition.key,
                                    command->text(), definition.number);
        break;
    case CommandEffect::NewDocument:
        if (services.new_document)
            services.new_document(definition.number, QStringLiteral("DOC%1").arg(definition.number),
                                  definition.choice);
        break;
    case CommandEffect::ForeignDocument:
        if (services.choose_new_document && services.new_document)
            services.new_document(definition.number, QStringLiteral("DOC%1").arg(definition.number),
                                  services.choose_new_document(definition.number, 1));
        break;
    case CommandEffect::LogoStamp:
        if (services.open_logo_stamp)
            services.open_logo_stamp();
        break;
    case CommandEffect::Backup:
        run_backup();
        break;
    case CommandEffect::Restore:
        run_restore();
        break;
    case CommandEffect::Summary:
        if (services.run_summary)
            services.run_summary();
        break;
    }
}

void Tfm_main::open_book_window(const QString &key, int record_id)
{
    QMdiSubWindow *existing = child_window(key);
    const BookWindowFactory *factory = book_window_factory(key);
    if (!existing && !factory)
        return;
    m_work_area->tileSubWindows();
    if (existing)
        m_work_area->setActiveSubWindow(existing);
    activate_window_in_front();
    if (existing)
        return;

    QWidget *window = (*factory)(record_id);
    if (!window)
        return;
    QMdiSubWindow *sub = add_child_window(window, key);
    sub->show();
    m_work_area->setActiveSubWindow(sub);
    activate_window_in_front();
}

// The window in front after a book command shows its own texts, or, when it has nothing
// to say, fills the work area.
void Tfm_main::activate_window_in_front()
{
    QMdiSubWindow *current = m_work_area->currentSubWindow();
    if (!current)
        return;
    if (auto *handler = dynamic_cast<ShellWindow *>(current->widget()))
        handler->window_activated();
    else
        current->showMaximized();
    current->widget()->setFocus();
}

void Tfm_main::open_settings(int page)
{
    if (!shell_services().open_settings)
        return;
    shell_services().open_settings(page);
    reload_appearance();
    apply_appearance();
}

void Tfm_main::show_guide()
{
    for (const QWidget *window : QApplication::topLevelWidgets()) {
        if (window->inherits(guide_class.toLatin1().constData()) && window->isVisible() &&
            window->windowTitle() == guide_title)
            return;
    }
    if (shell_services().show_guide)
        shell_services().show_guide();
}

void Tfm_main::run_backup()
{
    if (!child_windows().isEmpty()) {
        const QString question = QStringLiteral(
            "Před spuštěním zálohování dat budou uzavřeny všechny otevřené tabulky.\r\n\r\n"
            "Pokračovat?");
        if (show_message(QStringLiteral("Servis"), question, mbIconQuestion | mbYesNo) != mrYes)
            return;
        if (!close_child_windows())
            return;
    }
    m_api->backup_data(0);
    show_firm();
}

void Tfm_main::run_restore()
{
    const QString question = QStringLiteral(
        "Obnova dat ze zálohy je potenciálně nebezpečná operace. Provádějte ji POUZE V PŘÍPADĚ "
        "POŠKOZENÍ DAT.\r\n\r\nPřed spuštěním obnovy dat budou uzavřeny všechny otevřené "
        "tabulky.\r\n\r\nPokračovat?");
    if (show_message(QStringLiteral("Pozor, čtěte pozorně!"), question,
                     mbIconWarning | mbYesNo | mbDefaultNo) != mrYes)
        return;
    if (!close_child_windows())
        return;
    m_api->restore_data(0);
    show_firm();
}

// Closes the child windows one by one, front first, until none is left; false when one
// refuses (it still holds unsaved work).
bool Tfm_main::close_child_windows()
{
    for (QList<QMdiSubWindow *> open = child_windows(); !open.isEmpty(); open = child_windows()) {
        QMdiSubWindow *front = m_work_area->currentSubWindow();
        if (!front || !open.contains(front))
            front = open.first();
        if (!front->close())
            return false;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

void Tfm_main::run_start_command()
{
    static const char *const start_commands[] = {"actTe", "actDoc1", "actDoc2", "actPar", "actPro"};
    const int choice = read_setup_int(setup::auto_run, setup::auto_run_default);
    if (choice < 0 || choice >= int(std::size(start_commands)))
        return;
    if (QAction *start = command(QLatin1String(start_commands[choice])))
        start->trigger();
}

void Tfm_main::run_plugin_command(int index)
{
    if (index < 0 || index >= int(m_plugins.size()))
        return;
    run_plugin(m_plugins[size_t(index)]);
}

QVariant Tfm_main::main_command(int code, const QVariant &param)
{
    switch (static_cast<MainCommand>(code)) {
    case MainCommand::RefreshOpenWindows:
        refresh_open_windows();
        return 0;
    case MainCommand::EditorOpened:
        editor_opened(param.toString());
        return 0;
    case MainCommand::EditorClosed:
        editor_closed(param.toString());
        return 0;
    case MainCommand::StatusBarHeight:
        return status_bar_height();
    case MainCommand::TreeWidth:
        return tree_width();
    case MainCommand::OpenHistory:
        return QVariant::fromValue(open_history(param.toString()));
    case MainCommand::StatusHint:
        set_status_hint(param.toString());
        return 1;
    case MainCommand::OpenSettingsOrList: {
        const int number = param.toInt();
        static const QHash<int, int> settings_pages = {{1, 0}, {2, 1}, {3, 2}, {8, 3}, {9, 5}};
        static const QHash<int, QString> lists = {{4, QStringLiteral("actTeGrp")},
                                                  {5, QStringLiteral("actPar")},
                                                  {6, QStringLiteral("actCurrList")},
                                                  {7, QStringLiteral("actPro")}};
        if (settings_pages.contains(number))
            open_settings(settings_pages.value(number));
        else if (QAction *list = command(lists.value(number)))
            list->trigger();
        return 0;
    }
    case MainCommand::ReopenIssuedInvoices:
    case MainCommand::ReopenReceivedInvoices:
    case MainCommand::ReopenIssuedCreditNotes:
    case MainCommand::ReopenReceivedCreditNotes:
    case MainCommand::ReopenTaxRecords:
    case MainCommand::ReopenPartners:
    case MainCommand::ReopenProducts: {
        static const QHash<int, QString> books = {
            {11, QStringLiteral("actDoc1")}, {12, QStringLiteral("actDoc2")},
            {13, QStringLiteral("actDoc3")}, {14, QStringLiteral("actDoc4")},
            {15, QStringLiteral("actTe")},   {16, QStringLiteral("actPar")},
            {17, QStringLiteral("actPro")}};
        QAction *book = command(books.value(code));
        book->setData(param.toInt());
        book->trigger();
        return 0;
    }
    }
    return 0;
}

void Tfm_main::editor_opened(const QString &caption)
{
    m_modal_editors << caption;
    refresh_open_windows();
    m_tree->setEnabled(false);
}

void Tfm_main::editor_closed(const QString &caption)
{
    m_tree->setEnabled(true);
    const qsizetype last = m_modal_editors.lastIndexOf(caption);
    if (last >= 0)
        m_modal_editors.removeAt(last);
    refresh_open_windows();
}

int Tfm_main::status_bar_height()
{
    return statusBar()->height() + 8;
}

int Tfm_main::tree_width()
{
    return (m_tree->isHidden() ? 0 : m_tree->width()) + 8;
}

QWidget *Tfm_main::open_history(const QString &key)
{
    return shell_services().open_history ? shell_services().open_history(key) : nullptr;
}

void Tfm_main::post_command(MainCommand code, const QVariant &param)
{
    QTimer::singleShot(0, this,
                       [this, code, param] { main_command(static_cast<int>(code), param); });
}

int Tfm_main::data_command(int code, const QString &text)
{
    if (!m_database_open)
        return 0;
    switch (code) {
    case -4:
        return dm_db_object_exists(text.toUtf8().constData());
    case -3:
        return m_api->new_recid();
    case -2:
        return m_api->exec_sql(text) ? 1 : 0;
    default:
        break;
    }
    if (code < -1)
        return 0;
    // A failed select must not leave the answer of an earlier one for the add-on to read.
    const QString result_file = QDir(app_dir()).filePath(QStringLiteral("table.tmp"));
    QFile::remove(result_file);
    TMemTable *set = m_api->select_sql(QStringLiteral("x"), text);
    if (!set)
        return 0;
    const int rows = m_api->export_set(set, code, result_file);
    m_api->free_set(set);
    return rows;
}

QMdiSubWindow *Tfm_main::add_child_window(QWidget *window, const QString &window_key)
{
    QMdiSubWindow *sub = m_work_area->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setProperty(key_property, window_key);
    connect(sub, &QObject::destroyed, this, &Tfm_main::refresh_open_windows, Qt::QueuedConnection);
    connect(window, &QWidget::windowTitleChanged, this, &Tfm_main::refresh_open_windows);
    return sub;
}

QList<QMdiSubWindow *> Tfm_main::child_windows() const
{
    QList<QMdiSubWindow *> open;
    for (QMdiSubWindow *window : m_work_area->subWindowList()) {
        if (!window->isHidden())
            open << window;
    }
    return open;
}

QMdiSubWindow *Tfm_main::child_window(const QString &window_key) const
{
    if (window_key.isEmpty())
        return nullptr;
    for (QMdiSubWindow *window : child_windows()) {
        if (Tfm_main::window_key(window) == window_key)
            return window;
    }
    return nullptr;
}

QString Tfm_main::window_key(const QMdiSubWindow *window)
{
    return window ? window->property(key_property).toString() : QString();
}

QObject *Tfm_main::find_child_component(const QString &window_key, const QString &name) const
{
    const QMdiSubWindow *window = child_window(window_key);
    if (!window || !window->widget())
        return nullptr;
    if (window->widget()->objectName() == name)
        return window->widget();
    return window->widget()->findChild<QObject *>(name);
}

int Tfm_main::notify_child(const QString &window_key, int code)
{
    const QMdiSubWindow *window = child_window(window_key);
    auto *handler = window ? dynamic_cast<ShellWindow *>(window->widget()) : nullptr;
    return handler ? handler->child_command(code) : 0;
}

void Tfm_main::set_foreground_editor(QWidget *editor)
{
    m_foreground_editor = editor;
}

void Tfm_main::refresh_open_windows()
{
    m_tree->show_open_windows(child_windows(), m_work_area->currentSubWindow(), m_modal_editors);
}

void Tfm_main::child_activated(QMdiSubWindow *window)
{
    if (!window)
        return;
    if (auto *handler = dynamic_cast<ShellWindow *>(window->widget()))
        handler->window_activated();
    refresh_open_windows();
}
