#include "app/setup_help_page.h"

#include "app/setup_messages.h"
#include "data/settings.h"
#include "data/setup_keys.h"
#include "platform/shell/shell.h"
#include "widgets/appearance.h"
#include "widgets/dialog_parts.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// How to install the classic help viewer on the systems that came without it.
const QString classic_help_support = QStringLiteral("https://support.microsoft.com/help/917607");

struct HelpChoice {
    const char *caption;
    const char *note;
};

// Indexed by the help type.
const HelpChoice help_choices[] = {
    {"Soubor nápovědy windows (*.chm).",
     "Ve Windows Vista je tento soubor někdy blokován, v závislosti\nna nastavené ochraně."},
    {"Klasický soubor nápovědy windows (*.hlp).",
     "Windows Vista tento typ nápovědy normálně nepodporuje vůbec. \nMůžete jej však "
     "doinstalovat. Bližší info je"},
    {"Nápověda ve formátu HTML.", "Pro zobrazení nápovědy bude použit vnitřní prohlížec HTML."},
    {"Nápověda pomocí Vašeho internetového prohlížeče.",
     "Pro zobrazení nápovědy bude použit Váš internetový prohlížeč. Obvykle\nInternet "
     "Explorer, Firefox, Opera, nebo jiný. Podle toho, jaký máte nastaven."},
};

const int note_indent = 24;
const QColor note_color(96, 96, 96);

QLabel *note_label(const HelpChoice &choice, bool with_link, QWidget *parent)
{
    auto *note = new QLabel(parent);
    QPalette palette = note->palette();
    palette.setColor(QPalette::WindowText, note_color);
    note->setPalette(palette);
    if (!with_link) {
        note->setText(QString::fromUtf8(choice.note));
        return note;
    }
    note->setTextFormat(Qt::RichText);
    note->setText(QString::fromUtf8(choice.note).toHtmlEscaped().replace(u'\n', "<br>") +
                  QStringLiteral(" <a href=\"%1\">ZDE.</a>").arg(classic_help_support));
    note->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    return note;
}

} // namespace

TSetupHelpPage::TSetupHelpPage(QWidget *parent) : QWidget(parent)
{
    auto *intro = new QLabel(
        QStringLiteral("V systémech Windows Vista jsou s některými typy nápověd problémy. \nZde "
                       "můžete zvolit ten typ nápovědy, který Vám bude nejlépe vyhovovat."),
        this);

    m_types = new QButtonGroup(this);
    auto *choices = new QVBoxLayout;
    choices->setSpacing(2);
    int type = 0;
    for (const HelpChoice &choice : help_choices) {
        auto *button = new QRadioButton(QString::fromUtf8(choice.caption), this);
        button->setObjectName(QStringLiteral("rbHelpType%1").arg(type));
        m_types->addButton(button, type);
        QLabel *note = note_label(choice, type == setup::htClassicHelp, this);
        if (type == setup::htClassicHelp) {
            m_link = note;
            m_link->setObjectName(QStringLiteral("lblSupportLink"));
            connect(m_link, &QLabel::linkActivated, this,
                    [](const QString &address) { open_url(skOpen, address); });
        }
        auto *note_line = new QHBoxLayout;
        note_line->addSpacing(note_indent);
        note_line->addWidget(note);
        note_line->addStretch(1);
        choices->addSpacing(8);
        choices->addWidget(button);
        choices->addLayout(note_line);
        ++type;
    }
    // A type the program does not know opens the pages in the browser, and is shown so.
    QAbstractButton *current =
        m_types->button(read_setup_int(setup::help_type, setup::help_type_default));
    (current ? current : m_types->button(setup::htWebBrowser))->setChecked(true);

    QPushButton *save_button =
        command_button(QStringLiteral("Uložit"), QStringLiteral("btnSaveHelp"), this);
    connect(save_button, &QPushButton::clicked, this, &TSetupHelpPage::save);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save_button);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(choices);
    layout->addStretch(1);
    layout->addLayout(buttons);
}

bool TSetupHelpPage::save()
{
    IniFile settings = settings_file();
    const bool written =
        settings.write_int(QLatin1String(setup::section), setup::help_type, m_types->checkedId());
    // The next help request reads the type the program now holds.
    reload_appearance();
    if (!written) {
        report_settings_not_saved(settings.error_text());
        return false;
    }
    report_settings_saved(QStringLiteral("Zvolený typ nápovědy je uložen."));
    return true;
}
