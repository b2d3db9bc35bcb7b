#pragma once
// The partners window's tree: five nodes, one per page ("Základní údaje", "Adresy",
// "Kontakty", "Bankovní spoj.", "Ostatní"), and under three of them the current partner's
// addresses, contacts and bank links, each child carrying its row's RECID.  Branch nodes
// are bold and each branch has its colour.

#include <QTreeWidget>

class TMemTable;

class TParTree : public QTreeWidget {
    Q_OBJECT

public:
    enum Page { BasicPage, AddressPage, ContactPage, BankPage, OtherPage, PageCount };

    explicit TParTree(QWidget *parent = nullptr);

    QTreeWidgetItem *branch(Page page) const { return topLevelItem(page); }
    // The page of the selected node (its parent's page for a child).
    Page selected_page() const;
    // The RECID of the selected node when it is a child of the branch, else 0.
    int selected_child(Page branch) const;
    static int recid_of(const QTreeWidgetItem *item);

    // One child per row of the set in the set's order, titled by the column.  The child of
    // `select_recid` is selected and its row made current; without one the first row is
    // made current.  No selection notice goes out while the branch is rebuilt.
    void rebuild_branch(Page branch, TMemTable *set, const QString &title_column,
                        int select_recid = 0);
    void clear_branch(Page branch);

signals:
    // A node was selected: its page and, for a child, its row's RECID (0 otherwise).
    void node_selected(TParTree::Page page, int recid);
    // A child was double-clicked.
    void child_activated(TParTree::Page page);

private:
    void selection_changed();

    bool m_rebuilding = false;
};
