#include "app/fabout.h"

#include "widgets/command_registry.h"
#include "widgets/help.h"
#include "widgets/localize.h"
#include "app/program_banner.h"
#include "widgets/owner_window.h"
#include "widgets/appearance.h"
#include "widgets/dialog_parts.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const int about_topic = 101;

} // namespace

TAboutBox::TAboutBox(QWidget *parent) : QDialog(parent, fixed_dialog_flags)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("O programu"));
    set_help_topic(this, about_topic);

    auto *features = new QLabel(
        QStringLiteral("- daňová evidence\n- kniha vydaných faktur\n- kniha došlých faktur\n"
                       "- dobropisy\n- adresář obchodních partnerů\n"
                       "- seznam produktů, nabídkový katalog\n- cizí měny"),
        this);
    features->setObjectName(QStringLiteral("lblFeatures"));
    features->setFrameShape(QFrame::StyledPanel);
    features->setFrameShadow(QFrame::Sunken);
    features->setMargin(8);

    QPushButton *help = command_button(QStringLiteral("Nápověda"), QStringLiteral("btnHelp"), this);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("btnOk"));
    ok->setDefault(true);
    connect(help, &QPushButton::clicked, this, [this] { show_help(this); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch(1);
    buttons->addWidget(ok);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 12);
    layout->setSpacing(12);
    layout->addWidget(new TProgramBanner(this));
    layout->addWidget(features);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    localize_component(this);
    apply_dialog_color(*this);
    install_help_key(this);
}

void show_about()
{
    TAboutBox box(owner_window());
    box.exec();
}
