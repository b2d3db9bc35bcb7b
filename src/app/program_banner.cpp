#include "app/program_banner.h"

#include "app/program_icon.h"
#include "app/version.h"
#include "platform/shell/shell.h"

#include <QGridLayout>
#include <QLabel>

namespace {

const int icon_side = 48;
const int name_size = 20;

} // namespace

QString maker_web_page()
{
    return QStringLiteral("https://www.tallyra.cz");
}

TProgramBanner::TProgramBanner(QWidget *parent) : QWidget(parent)
{
    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("imgIcon"));
    icon->setPixmap(program_icon().pixmap(icon_side, icon_side));

    auto *name = new QLabel(QStringLiteral("Tallyra"), this);
    name->setObjectName(QStringLiteral("lblName"));
    QFont large = name->font();
    large.setPixelSize(name_size);
    large.setBold(true);
    name->setFont(large);

    m_version = new QLabel(version_text(), this);
    m_version->setObjectName(QStringLiteral("lblVersion"));

    m_maker = new QLabel(
        QStringLiteral("© Tallyra, <a href=\"%1\">www.tallyra.cz</a>").arg(maker_web_page()), this);
    m_maker->setObjectName(QStringLiteral("lblMaker"));
    m_maker->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    connect(m_maker, &QLabel::linkActivated, this,
            [](const QString &address) { open_url(skOpen, address); });

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(12);
    layout->setVerticalSpacing(0);
    layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(name, 0, 1);
    layout->addWidget(m_version, 1, 1);
    layout->addWidget(m_maker, 2, 1);
    layout->setColumnStretch(1, 1);
}
