#include "masterdata/ui/fpar_tree.h"

#include "data/db_api.h"
#include "data/memtable.h"

#include <QScopedValueRollback>

namespace {

const int recid_role = Qt::UserRole;
const int page_role = Qt::UserRole + 1;

struct BranchLook {
    const char *caption;
    QColor color;
};

const BranchLook branch_looks[TParTree::PageCount] = {
    {"Základní údaje", Qt::black},
    {"Adresy", Qt::blue},
    {"Kontakty", Qt::red},
    {"Bankovní spoj.", QColor(0, 128, 0)},
    {"Ostatní", QColor(128, 128, 128)},
};

} // namespace

TParTree::TParTree(QWidget *parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("tvPar"));
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    for (int page = 0; page < PageCount; ++page) {
        auto *item = new QTreeWidgetItem(this, {QString::fromUtf8(branch_looks[page].caption)});
        QFont bold = font();
        bold.setBold(true);
        item->setFont(0, bold);
        item->setForeground(0, branch_looks[page].color);
        item->setData(0, page_role, page);
    }
    connect(this, &QTreeWidget::itemSelectionChanged, this, &TParTree::selection_changed);
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) {
        if (item && item->parent())
            emit child_activated(Page(item->data(0, page_role).toInt()));
    });
}

TParTree::Page TParTree::selected_page() const
{
    const QTreeWidgetItem *item = currentItem();
    return item ? Page(item->data(0, page_role).toInt()) : BasicPage;
}

int TParTree::recid_of(const QTreeWidgetItem *item)
{
    return item ? item->data(0, recid_role).toInt() : 0;
}

int TParTree::selected_child(Page branch) const
{
    const QTreeWidgetItem *item = currentItem();
    return item && item->parent() == topLevelItem(branch) ? recid_of(item) : 0;
}

void TParTree::clear_branch(Page branch)
{
    const QScopedValueRollback<bool> quiet(m_rebuilding, true);
    qDeleteAll(topLevelItem(branch)->takeChildren());
}

void TParTree::rebuild_branch(Page branch, TMemTable *set, const QString &title_column,
                              int select_recid)
{
    const QScopedValueRollback<bool> quiet(m_rebuilding, true);
    QTreeWidgetItem *parent = topLevelItem(branch);
    const TField *title = set && set->active() ? set->find_field(title_column) : nullptr;
    const TField *recid = set && set->active() ? set->find_field(QStringLiteral("RECID")) : nullptr;
    const int rows = title && recid ? set->record_count() : 0;
    // The nodes stay from partner to partner and only take the new rows' texts: making
    // and dropping them is what the tree costs when one steps through the partners.
    while (parent->childCount() > rows)
        delete parent->takeChild(parent->childCount() - 1);
    if (rows == 0) {
        if (set && set->active())
            set->first();
        return;
    }
    QList<QTreeWidgetItem *> added;
    QTreeWidgetItem *selected = nullptr;
    for (int row = 0; row < rows; ++row) {
        QTreeWidgetItem *child = row < parent->childCount() ? parent->child(row) : nullptr;
        if (!child) {
            child = new QTreeWidgetItem;
            child->setData(0, page_role, branch);
            child->setForeground(0, branch_looks[branch].color);
            added << child;
        }
        const QString text = set->cell_text(row, title->index());
        if (child->text(0) != text)
            child->setText(0, text);
        const int id = set->cell_value(row, recid->index()).toInt();
        if (child->data(0, recid_role) != QVariant(id))
            child->setData(0, recid_role, id);
        if (select_recid != 0 && id == select_recid)
            selected = child;
    }
    parent->addChildren(added);
    parent->setExpanded(true);
    if (selected) {
        setCurrentItem(selected);
        dbAPI->locate_recid(select_recid, set);
    } else {
        // As if its node had gone with the old rows: the branch itself stays chosen.
        if (currentItem() && currentItem()->parent() == parent)
            setCurrentItem(parent);
        set->first();
    }
}

void TParTree::selection_changed()
{
    if (m_rebuilding)
        return;
    const QTreeWidgetItem *item = currentItem();
    if (!item)
        return;
    emit node_selected(Page(item->data(0, page_role).toInt()), item->parent() ? recid_of(item) : 0);
}
