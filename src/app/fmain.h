#pragma once
// The main window: a work area of child windows (books and lists) with the menu tree on
// the left, the main menu, the pop-up menu, the commands and the status bar.  It creates
// the data module, serves the child windows through its command message and add-on
// programs through its data message, keeps one window per book and dispatches help.

#include "app/context_help.h"
#include "app/plugins.h"
#include "app/status_hint.h"
#include "widgets/window_host.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenuBar;
class QMenu;
class QSplitter;
class TMenuTree;
class TdbAPI;
struct CommandDefinition;

class Tfm_main : public QMainWindow, public WindowHost {
    Q_OBJECT

public:
    explicit Tfm_main(QWidget *parent = nullptr);
    ~Tfm_main() override;

    // The database opened during creation; when it did not, the program is ending.
    bool database_open() const { return m_database_open; }

    // Shows the window as the settings place it (maximized or at its stored position).
    void show_as_configured();
    // Brings the window in front of the user's other windows (a second start asks so).
    void bring_to_front();

    // The command message of the child windows, codes 1 to 17.  Code 6 answers the
    // history window, the other codes a number.
    QVariant main_command(int code, const QVariant &param = {});
    // The data message of the add-on programs, codes -4 and above.
    int data_command(int code, const QString &text);

    // The window host of every child window and editor.
    QWidget *host_window() override { return this; }
    // "Caption|keys" into the two status panels; an empty text resets them (posted), after
    // which the window in front puts its own texts back.
    void set_status_hint(const QString &text) override;
    StatusHint status_texts() const;
    void editor_opened(const QString &caption) override;
    void editor_closed(const QString &caption) override;
    void set_foreground_editor(QWidget *editor) override;
    QWidget *foreground_editor() const override { return m_foreground_editor; }
    int tree_width() override;
    int status_bar_height() override;
    QObject *find_child_component(const QString &window_key, const QString &name) const override;
    int notify_child(const QString &window_key, int code) override;
    void post_command(MainCommand code, const QVariant &param = {}) override;
    QWidget *open_history(const QString &key) override;
    void firm_changed() override;

    // Puts a window into the work area; a window with a key is the one window of its kind.
    QMdiSubWindow *add_child_window(QWidget *window, const QString &window_key = {});
    QMdiSubWindow *child_window(const QString &window_key) const;
    // The open child windows, those being closed left out.
    QList<QMdiSubWindow *> child_windows() const;
    static QString window_key(const QMdiSubWindow *window);

    // A help request: the topic in the help chosen in the settings; 0 is this window's own.
    void help_request(int topic) override;

    QAction *command(const QString &name) const { return m_commands.value(name); }
    QMenuBar *main_menu() const { return m_main_menu; }
    QMenu *popup_menu() const { return m_popup; }
    QMenu *module_items() const { return m_module_items; }
    TMenuTree *menu_tree() const { return m_tree; }
    QMdiArea *work_area() const { return m_work_area; }
    const std::vector<Tplugin_item> &plugins() const { return m_plugins; }

    // Runs the start command and shows the guide on the first activation only.
    void window_activated();

public slots:
    // Closes the window and leaves the event loop once a fatal message has set the program
    // to end.
    void check_program_ending() override;

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void open_database();
    void create_commands();
    void create_main_menu();
    void create_popup_menu();
    void create_work_area();
    void create_status_bar();
    void collect_plugins();
    // The title with the firm's name, the database file in the status bar and the
    // foreign-invoice commands, after every opening of the database and every save of the firm.
    void show_firm();
    void show_foreign_items();
    void build_tree();
    void apply_appearance();
    void place_window();

    QAction *add_item(QMenu *menu, const QString &caption, const QString &hint, int image, int tag);
    QAction *add_command_item(QMenu *menu, const QString &name, int tag,
                              const QString &caption = {}, const QString &hint = {});
    QMenu *add_sub_menu(QMenu *parent, const QString &caption, const QString &hint, int image,
                        int tag);
    QAction *add_settings_item(QMenu *menu, const QString &caption, const QString &hint, int image,
                               int tag, int page);

    void execute(const CommandDefinition &definition, QAction *command);
    void open_book_window(const QString &key, int record_id);
    void open_settings(int page);
    void show_guide();
    void run_backup();
    void run_restore();
    bool close_child_windows();
    void run_start_command();
    void run_plugin_command(int index);

    void reset_status();
    void show_status(const StatusHint &hint);
    void activate_window_in_front();
    void refresh_open_windows();
    void child_activated(QMdiSubWindow *window);

    WindowHost *m_previous_host = nullptr;
    std::unique_ptr<TdbAPI> m_api;
    bool m_database_open = false;
    bool m_first_activation = true;
    bool m_closed = false;
    bool m_ending = false;
    bool m_resetting_status = false;

    QMenuBar *m_main_menu = nullptr;
    QMenu *m_popup = nullptr;
    QMenu *m_module_items = nullptr;
    QList<QMenu *> m_drawn_menus;
    QList<QAction *> m_foreign_items;
    QHash<QString, QAction *> m_commands;

    QSplitter *m_splitter = nullptr;
    TMenuTree *m_tree = nullptr;
    QMdiArea *m_work_area = nullptr;
    QLabel *m_status_window = nullptr;
    QLabel *m_status_keys = nullptr;
    QLabel *m_status_database = nullptr;

    QPointer<QWidget> m_foreground_editor;
    QStringList m_modal_editors;
    std::vector<Tplugin_item> m_plugins;
    TContextHelp m_help;
};
