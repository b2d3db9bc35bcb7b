#include "masterdata/ui/editor_layout.h"

#include "widgets/dialog_parts.h"
#include "widgets/help.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

QPushButton *lay_out_editor(QDialog &editor, QLayout *fields)
{
    auto *help = command_button(QStringLiteral("Nápověda"), QStringLiteral("btnHelp"), &editor);
    auto *ok = command_button(QStringLiteral("OK"), QStringLiteral("btnOk"), &editor);
    auto *cancel = command_button(QStringLiteral("Storno"), QStringLiteral("btnCancel"), &editor);
    ok->setDefault(true);
    QObject::connect(help, &QPushButton::clicked, &editor, [&editor] { show_help(&editor); });
    QObject::connect(ok, &QPushButton::clicked, &editor, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &editor, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(&editor);
    layout->addLayout(fields);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    return ok;
}
