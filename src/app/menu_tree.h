#pragma once
// The menu tree on the left of the main window: the branch "Hlavní menu" mirrors the main
// menu, the branch "Aktivní okna" below it lists the open child windows and the modal editors.
// A double click or Enter on a node runs its command or brings its window forward.

#include <QColor>
#include <QTreeWidget>

class QAction;
class QMdiSubWindow;

enum class MenuNodeKind { Root, Branch, Command, Window, ModalEditor };

struct MenuNodeLook {
    QColor color;
    bool bold = false;
};

// How a node is drawn: roots bold black; menu branches bold blue; commands red when their
// tag is 200 (books and the summary), else blue; window nodes green, bold for the active
// window and for modal editors; everything grey while the tree is disabled.
MenuNodeLook menu_node_look(MenuNodeKind kind, int tag, bool active_window, bool tree_enabled);

class TMenuTree : public QTreeWidget {
    Q_OBJECT

public:
    explicit TMenuTree(QWidget *parent = nullptr);

    QTreeWidgetItem *open_windows_root() const { return m_open_windows; }
    QTreeWidgetItem *main_menu_root() const { return m_main_menu; }
    QTreeWidgetItem *issued_credit_notes() const { return m_issued_credit_notes; }
    QTreeWidgetItem *received_credit_notes() const { return m_received_credit_notes; }

    // Mirrors the menu items (with their sub-menus) under "Hlavní menu".  Separators and
    // items that are hidden, disabled or tagged 0 are left out.
    void build_from_menu(const QList<QAction *> &items);

    // Lists the windows (the current one selected) and then the modal editors.
    void show_open_windows(const QList<QMdiSubWindow *> &windows, QMdiSubWindow *current,
                           const QStringList &modal_editors);

    static MenuNodeKind node_kind(const QTreeWidgetItem *item);
    static QAction *node_command(const QTreeWidgetItem *item);
    static QMdiSubWindow *node_window(const QTreeWidgetItem *item);

signals:
    void command_chosen(QAction *command);
    void window_chosen(QMdiSubWindow *window);
    // The pointer moved over the tree while the tree had the keyboard focus.
    void hovered_with_focus();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QTreeWidgetItem *add_node(QTreeWidgetItem *parent, const QString &text, int image,
                              MenuNodeKind kind, QObject *object, int tag);
    void add_menu_nodes(QTreeWidgetItem *parent, const QList<QAction *> &items);
    void node_activated(QTreeWidgetItem *item);

    QTreeWidgetItem *m_open_windows = nullptr;
    QTreeWidgetItem *m_main_menu = nullptr;
    QTreeWidgetItem *m_issued_credit_notes = nullptr;
    QTreeWidgetItem *m_received_credit_notes = nullptr;
};
