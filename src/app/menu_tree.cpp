#include "app/menu_tree.h"

#include "widgets/image_list16.h"

#include <QAction>
#include <QHeaderView>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QStyledItemDelegate>

namespace {

enum Role {
    KindRole = Qt::UserRole,
    ObjectRole,
    TagRole,
    ActiveRole,
};

const int image_open_windows = 28;
const int image_branch = 13;
const int image_leaf = 14;
const int image_add_ons = 35;
const int image_credit_notes = 19;
const int tag_books = 200;

const QString add_ons_title = QStringLiteral("Přídavné moduly");
const QString issued_credit_notes_title = QStringLiteral("Dobropisy vydané");
const QString received_credit_notes_title = QStringLiteral("Dobropisy došlé");

QObject *node_object(const QTreeWidgetItem *item)
{
    return item ? item->data(0, ObjectRole).value<QPointer<QObject>>().data() : nullptr;
}

class MenuNodeDelegate : public QStyledItemDelegate {
public:
    MenuNodeDelegate(TMenuTree *tree) : QStyledItemDelegate(tree), m_tree(tree) {}

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const MenuNodeKind kind = TMenuTree::node_kind(m_tree->itemFromIndex(index));
        const MenuNodeLook look =
            menu_node_look(kind, index.data(TagRole).toInt(), index.data(ActiveRole).toBool(),
                           m_tree->isEnabled());
        option->font.setBold(look.bold);
        option->palette.setColor(QPalette::Text, look.color);
        option->palette.setColor(QPalette::Disabled, QPalette::Text, look.color);
    }

private:
    TMenuTree *m_tree;
};

} // namespace

MenuNodeLook menu_node_look(MenuNodeKind kind, int tag, bool active_window, bool tree_enabled)
{
    MenuNodeLook look;
    switch (kind) {
    case MenuNodeKind::Root:
        look = {Qt::black, true};
        break;
    case MenuNodeKind::Branch:
        look = {Qt::blue, true};
        break;
    case MenuNodeKind::Command:
        look = {tag == tag_books ? QColor(Qt::red) : QColor(Qt::blue), false};
        break;
    case MenuNodeKind::Window:
        look = {QColor(0, 128, 0), active_window};
        break;
    case MenuNodeKind::ModalEditor:
        look = {QColor(0, 128, 0), true};
        break;
    }
    if (!tree_enabled)
        look.color = QColor(128, 128, 128);
    return look;
}

TMenuTree::TMenuTree(QWidget *parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("tree_menu"));
    setHeaderHidden(true);
    setColumnCount(1);
    // Captions are never cut short; a narrow tree scrolls sideways instead.
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setIndentation(16);
    setIconSize(QSize(ImageList16::size, ImageList16::size));
    setExpandsOnDoubleClick(true);
    setMouseTracking(true);
    setItemDelegate(new MenuNodeDelegate(this));

    // The open windows come after the menu: a window or editor that opens adds its node
    // below every command, so the command under the pointer stays where it was clicked.
    m_main_menu = add_node(nullptr, QStringLiteral("Hlavní menu"), image_branch, MenuNodeKind::Root,
                           nullptr, 0);
    m_open_windows = add_node(nullptr, QStringLiteral("Aktivní okna"), image_open_windows,
                              MenuNodeKind::Root, nullptr, 0);

    connect(this, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem *item) { node_activated(item); });
}

QTreeWidgetItem *TMenuTree::add_node(QTreeWidgetItem *parent, const QString &text, int image,
                                     MenuNodeKind kind, QObject *object, int tag)
{
    auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, text);
    item->setIcon(0, ImageList16::icon(image));
    item->setData(0, KindRole, static_cast<int>(kind));
    item->setData(0, ObjectRole, QVariant::fromValue(QPointer<QObject>(object)));
    item->setData(0, TagRole, tag);
    return item;
}

void TMenuTree::build_from_menu(const QList<QAction *> &items)
{
    qDeleteAll(m_main_menu->takeChildren());
    m_issued_credit_notes = nullptr;
    m_received_credit_notes = nullptr;
    add_menu_nodes(m_main_menu, items);
}

void TMenuTree::add_menu_nodes(QTreeWidgetItem *parent, const QList<QAction *> &items)
{
    for (QAction *action : items) {
        const int tag = action->property("tag").toInt();
        if (action->isSeparator() || !action->isVisible() || !action->isEnabled() || tag == 0)
            continue;
        const QString text = action->text().trimmed();
        QMenu *sub_menu = action->menu();
        int image = action->property("image").isValid() ? action->property("image").toInt() : -1;
        if (text == add_ons_title)
            image = image_add_ons;
        if (image < 0)
            image = sub_menu ? image_branch : image_leaf;
        if (!sub_menu) {
            add_node(parent, text, image, MenuNodeKind::Command, action, tag);
            continue;
        }
        QTreeWidgetItem *branch = add_node(parent, text, image, MenuNodeKind::Branch, nullptr, tag);
        if (text == issued_credit_notes_title)
            m_issued_credit_notes = branch;
        else if (text == received_credit_notes_title)
            m_received_credit_notes = branch;
        add_menu_nodes(branch, sub_menu->actions());
    }
}

void TMenuTree::show_open_windows(const QList<QMdiSubWindow *> &windows, QMdiSubWindow *current,
                                  const QStringList &modal_editors)
{
    qDeleteAll(m_open_windows->takeChildren());
    for (QMdiSubWindow *window : windows) {
        QTreeWidgetItem *node = add_node(m_open_windows, window->windowTitle(), image_leaf,
                                         MenuNodeKind::Window, window, 0);
        if (window == current) {
            node->setData(0, ActiveRole, true);
            clearSelection();
            node->setSelected(true);
        }
    }
    for (const QString &caption : modal_editors)
        add_node(m_open_windows, caption, image_leaf, MenuNodeKind::ModalEditor, nullptr, 0);
    m_open_windows->setExpanded(true);
}

MenuNodeKind TMenuTree::node_kind(const QTreeWidgetItem *item)
{
    return item ? static_cast<MenuNodeKind>(item->data(0, KindRole).toInt()) : MenuNodeKind::Root;
}

QAction *TMenuTree::node_command(const QTreeWidgetItem *item)
{
    return node_kind(item) == MenuNodeKind::Command ? qobject_cast<QAction *>(node_object(item))
                                                    : nullptr;
}

QMdiSubWindow *TMenuTree::node_window(const QTreeWidgetItem *item)
{
    return node_kind(item) == MenuNodeKind::Window
               ? qobject_cast<QMdiSubWindow *>(node_object(item))
               : nullptr;
}

void TMenuTree::node_activated(QTreeWidgetItem *item)
{
    if (QAction *command = node_command(item))
        emit command_chosen(command);
    else if (QMdiSubWindow *window = node_window(item))
        emit window_chosen(window);
}

void TMenuTree::mouseMoveEvent(QMouseEvent *event)
{
    if (hasFocus())
        emit hovered_with_focus();
    QTreeWidget::mouseMoveEvent(event);
}
