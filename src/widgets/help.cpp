#include "widgets/help.h"

#include "widgets/window_host.h"

#include <QKeyEvent>
#include <QShortcut>
#include <QVariant>
#include <QWidget>

namespace {

const char topic_property[] = "help_topic";

} // namespace

void set_help_topic(QWidget *window, int topic)
{
    window->setProperty(topic_property, topic);
}

int help_topic(const QWidget *widget)
{
    for (; widget; widget = widget->parentWidget()) {
        const int topic = widget->property(topic_property).toInt();
        if (topic != 0)
            return topic;
    }
    return 0;
}

void show_help(QWidget *window)
{
    window_host().help_request(help_topic(window));
}

bool help_key(QWidget *window, const QKeyEvent *event)
{
    if (event->key() != Qt::Key_F1 || event->modifiers() != Qt::NoModifier)
        return false;
    show_help(window);
    return true;
}

void install_help_key(QWidget *window)
{
    auto *key = new QShortcut(QKeySequence(Qt::Key_F1), window);
    key->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(key, &QShortcut::activated, window, [window] { show_help(window); });
}
