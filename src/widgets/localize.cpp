#include "widgets/localize.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

namespace {

const QString unique_failure =
    QStringLiteral("Číslo partnera, produktu, nebo kód měny, musí být originální. To, které "
                   "jste zadali, je již použito.");

// Texts go back only when they change, so that nothing is re-laid out for nothing.
template <typename Get, typename Set> void translate(const QObject *owner, Get get, Set set)
{
    const QString text = get();
    const QString translated = translate_text(owner, text);
    if (translated != text)
        set(translated);
}

// Commands belong to their window; menu items belong to their menu and keep an empty hint.
bool is_command(const QAction *action)
{
    return !qobject_cast<const QMenu *>(action->parent());
}

void localize_action(QAction *action)
{
    if (action->isSeparator())
        return;
    if (action->statusTip().isEmpty() && is_command(action))
        action->setStatusTip(action->text());
    translate(
        action, [&] { return action->text(); }, [&](const QString &t) { action->setText(t); });
    translate(
        action, [&] { return action->statusTip(); },
        [&](const QString &t) { action->setStatusTip(t); });
    if (action->toolTip() != action->statusTip() && !action->statusTip().isEmpty())
        action->setToolTip(action->statusTip());
}

void localize_tool_tip(QWidget *widget)
{
    translate(
        widget, [&] { return widget->toolTip(); },
        [&](const QString &t) { widget->setToolTip(t); });
}

void localize_button(QAbstractButton *button)
{
    if (auto *tool = qobject_cast<QToolButton *>(button)) {
        if (tool->defaultAction())
            return;
        // Button-bar buttons show only their image; their text lives on as the hint.
        if (!tool->icon().isNull())
            tool->setText({});
        localize_tool_tip(tool);
        return;
    }
    translate(
        button, [&] { return button->text(); }, [&](const QString &t) { button->setText(t); });
    localize_tool_tip(button);
}

void localize_tree(QTreeWidget *tree)
{
    for (int top = 0; top < tree->topLevelItemCount(); ++top) {
        std::vector<QTreeWidgetItem *> pending{tree->topLevelItem(top)};
        while (!pending.empty()) {
            QTreeWidgetItem *item = pending.back();
            pending.pop_back();
            const QString translated = translate_text(tree, item->text(0));
            if (translated != item->text(0))
                item->setText(0, translated);
            for (int child = 0; child < item->childCount(); ++child)
                pending.push_back(item->child(child));
        }
    }
}

void localize_one(QObject *object)
{
    if (auto *action = qobject_cast<QAction *>(object)) {
        localize_action(action);
        return;
    }
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget)
        return;
    if (widget->isWindow() && !qobject_cast<QMenu *>(widget))
        translate(
            widget, [&] { return widget->windowTitle(); },
            [&](const QString &t) { widget->setWindowTitle(t); });
    if (auto *menu = qobject_cast<QMenu *>(widget)) {
        localize_action(menu->menuAction());
    } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
        localize_button(button);
    } else if (auto *label = qobject_cast<QLabel *>(widget)) {
        if (!label->buddy())
            translate(
                label, [&] { return label->text(); }, [&](const QString &t) { label->setText(t); });
        localize_tool_tip(label);
    } else if (auto *group = qobject_cast<QGroupBox *>(widget)) {
        translate(
            group, [&] { return group->title(); }, [&](const QString &t) { group->setTitle(t); });
    } else if (auto *tabs = qobject_cast<QTabWidget *>(widget)) {
        for (int i = 0; i < tabs->count(); ++i) {
            const QString translated = translate_text(tabs, tabs->tabText(i));
            if (translated != tabs->tabText(i))
                tabs->setTabText(i, translated);
        }
    } else if (auto *tree = qobject_cast<QTreeWidget *>(widget)) {
        localize_tree(tree);
    }
}

} // namespace

QString translate_text(const QObject *owner, const QString &text)
{
    const QString trimmed = text.trimmed();
    if (!owner && trimmed.toUpper().contains(QLatin1String("UNIQUE")))
        return unique_failure;
    return trimmed;
}

void localize_component(QObject *component)
{
    if (!component)
        return;
    localize_one(component);
    const QList<QObject *> owned = component->findChildren<QObject *>();
    for (QObject *object : owned)
        localize_one(object);
}
