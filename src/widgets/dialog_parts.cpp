#include "widgets/dialog_parts.h"

#include <QPushButton>

QPushButton *command_button(const QString &caption, const QString &object_name, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(object_name);
    button->setAutoDefault(false);
    return button;
}
