#include "app/setup_help_page.h"

#include "app/setup_messages.h"
#include "data/settings.h"
#include "data/setup_keys.h"
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

struct HelpChoice {
    const char *caption;
    const char *note;
};

// Indexed by the help type; the stored settings keep these numbers.  Whatever the choice,
// the help pages in the internet browser serve when its own viewer is missing.
const HelpChoice help_choices[] = {
    {"Soubor nápovědy Windows (*.chm).",
     "Otevře soubor nápovědy .chm v prohlížeči xchm, je-li nainstalován;\njinak se zobrazí "
     "stránky nápovědy v internetovém prohlížeči."},
    {"Klasický soubor nápovědy Windows (*.hlp).",
     "Tento systém soubory .hlp zobrazit neumí, proto se zobrazí\nstránky nápovědy v "
     "internetovém prohlížeči."},
    {"Nápověda ve formátu HTML.",
     "Použije přídavnou knihovnu nápovědy, je-li nainstalována;\njinak se zobrazí stránky "
     "nápovědy v internetovém prohlížeči."},
    {"Nápověda pomocí Vašeho internetového prohlížeče.",
     "Stránky nápovědy se otevřou v internetovém prohlížeči, který máte\nv systému nastaven. "
     "Doporučujeme."},
};

const int note_indent = 24;
const QColor note_color(96, 96, 96);

QLabel *note_label(const HelpChoice &choice, QWidget *parent)
{
    auto *note = new QLabel(QString::fromUtf8(choice.note), parent);
    QPalette palette = note->palette();
    palette.setColor(QPalette::WindowText, note_color);
    note->setPalette(palette);
    return note;
}

} // namespace

TSetupHelpPage::TSetupHelpPage(QWidget *parent) : QWidget(parent)
{
    auto *intro = new QLabel(
        QStringLiteral("Zde můžete zvolit typ nápovědy, který Vám bude nejlépe vyhovovat. Na "
                       "tomto systému\nse nápověda zobrazuje jako stránky v internetovém "
                       "prohlížeči."),
        this);

    m_types = new QButtonGroup(this);
    auto *choices = new QVBoxLayout;
    choices->setSpacing(2);
    int type = 0;
    for (const HelpChoice &choice : help_choices) {
        auto *button = new QRadioButton(QString::fromUtf8(choice.caption), this);
        button->setObjectName(QStringLiteral("rbHelpType%1").arg(type));
        m_types->addButton(button, type);
        QLabel *note = note_label(choice, this);
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
