#include "app/fwizard.h"

#include "app/program_banner.h"
#include "data/settings.h"
#include "data/setup_keys.h"
#include "widgets/command_registry.h"
#include "widgets/help.h"
#include "widgets/image_list16.h"
#include "widgets/localize.h"
#include "widgets/window_host.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QShortcut>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The main window looks for an open guide by this title.
const QString guide_title = QStringLiteral("  Průvodce programem Tallyra");
const QSize guide_size(348, 486);
const QColor guide_background(230, 230, 230);
const double guide_opacity = 208.0 / 255.0;
const int edge_gap = 8;
const int guide_topic = 101;
const int entry_icon_side = 16;
const int general_help_side = 24;
// The window keeps its size; this type lets every text fit in it.
const char guide_font_family[] = "Arial";
const int guide_font_points = 8;
const char tag_property[] = "guide_tag";

struct GuideEntry {
    int tag;
    int image;
    const char *text;
    // A second line, in grey, or null.
    const char *note;
    const char *hint;
    // 0: no help button.
    int help_topic;
};

const GuideEntry guide_entries[] = {
    {9, 27, "Především zvolte typ kontextové nápovědy, ZDE:",
     "Doporučujeme nápovědu v internetovém prohlížeči, která funguje \nna každém počítači.",
     "Zvolte typ kontextové nápovědy.", 0},
    {1, 21, "Nastavení základních údajů o Vaší firmě", nullptr, nullptr, 105},
    {2, 15, "Nastavení  Vaší fakturační adresy", nullptr, nullptr, 1041},
    {3, 24, "Nastavení Vašeho bankovního účtu (pokladny)", nullptr, nullptr, 1042},
    {8, 14, "Nastavení číselných řad", nullptr, nullptr, 1043},
    {4, 19, "Zkontrolovat druhy členění pro daňovou evidenci.", nullptr, nullptr, 403},
    {6, 0, "Pro účtující v cizích měnách, nastavit kurzovní lístek.", nullptr, nullptr, 402},
    {5, 23, "Zadat alespoň jednoho obchodního partnera", nullptr, nullptr, 201},
    {7, 22, "Pro položkové faktury, zadejte seznam produktů.", nullptr, nullptr, 202},
};

QToolButton *help_button(const QString &name, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(ImageList16::icon(27));
    button->setAutoRaise(true);
    button->setToolTip(QStringLiteral("Nápověda"));
    return button;
}

} // namespace

TfmWizard::TfmWizard(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
{
    setObjectName(QStringLiteral("fmWizard"));
    setAttribute(Qt::WA_DeleteOnClose);
    set_help_topic(this, guide_topic);
    setWindowOpacity(guide_opacity);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, guide_background);
    setPalette(palette);
    setAutoFillBackground(true);
    QFont guide_font{QString::fromLatin1(guide_font_family)};
    guide_font.setPointSize(guide_font_points);
    setFont(guide_font);
    create_controls();
    localize_component(this);
    // After the localization, which would trim the leading spaces.
    setWindowTitle(guide_title);
    setFixedSize(guide_size);

    auto *key = new QShortcut(QKeySequence(Qt::Key_F1), this);
    key->setContext(Qt::WidgetWithChildrenShortcut);
    connect(key, &QShortcut::activated, this, [this] { show_topic(guide_topic); });
    m_hide->setChecked(!read_setup_bool(setup::wizard, setup::wizard_default));
}

TfmWizard::~TfmWizard()
{
    // The program may end with the guide still open; the user's choice counts then too.
    store_choice();
}

void TfmWizard::create_controls()
{
    auto *intro = new QLabel(QStringLiteral("Dříve, než začnete pracovat s programem, musíte "
                                            "nastavit některé důležité údaje."),
                             this);
    intro->setWordWrap(true);
    QFont bold = intro->font();
    bold.setBold(true);
    intro->setFont(bold);

    auto *entries = new QVBoxLayout;
    entries->setSpacing(4);
    for (int index = 0; index < int(std::size(guide_entries)); ++index)
        entries->addWidget(create_entry(index));

    auto *outro = new QLabel(QStringLiteral("Pokud si nevíte rady, můžete v kterékoliv obrazovce "
                                            "\ntohoto programu použít nápovědu. Stiskněte "
                                            "klávesu\nF1, nebo klikněte myší na obrázek otazníku."),
                             this);
    QToolButton *general_help = help_button(QStringLiteral("btnHelp"), this);
    general_help->setIconSize(QSize(general_help_side, general_help_side));
    connect(general_help, &QToolButton::clicked, this, [this] { show_topic(guide_topic); });
    auto *help_line = new QHBoxLayout;
    help_line->addWidget(outro, 1);
    help_line->addWidget(general_help, 0, Qt::AlignTop);

    m_hide = new QCheckBox(QStringLiteral("příště nezobrazovat tohoto průvodce po spuštění"), this);
    m_hide->setObjectName(QStringLiteral("chkHide"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->setSpacing(6);
    layout->addWidget(new TProgramBanner(this));
    layout->addWidget(intro);
    layout->addLayout(entries);
    layout->addStretch(1);
    layout->addLayout(help_line);
    layout->addWidget(m_hide);
}

// An image and a text that both open the entry's page, and the entry's help button.
QWidget *TfmWizard::create_entry(int index)
{
    const GuideEntry &entry = guide_entries[index];
    auto *row = new QWidget(this);
    auto *image = new QToolButton(row);
    image->setObjectName(QStringLiteral("btnEntry%1").arg(entry.tag));
    image->setIcon(ImageList16::icon(entry.image));
    image->setIconSize(QSize(entry_icon_side, entry_icon_side));
    image->setAutoRaise(true);
    if (entry.hint)
        image->setToolTip(QString::fromUtf8(entry.hint));
    connect(image, &QToolButton::clicked, this, [this, tag = entry.tag] { open_entry(tag); });

    auto *texts = new QVBoxLayout;
    texts->setSpacing(0);
    for (const char *line : {entry.text, entry.note}) {
        if (!line)
            continue;
        auto *text = new QLabel(QString::fromUtf8(line), row);
        text->setWordWrap(true);
        text->setCursor(Qt::PointingHandCursor);
        text->setProperty(tag_property, entry.tag);
        text->installEventFilter(this);
        text->setStyleSheet(line == entry.note ? QStringLiteral("color: #505050;")
                                               : QStringLiteral("color: #1c3f8c;"));
        texts->addWidget(text);
    }

    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(image, 0, Qt::AlignTop);
    layout->addLayout(texts, 1);
    if (entry.help_topic != 0) {
        QToolButton *help = help_button(QStringLiteral("btnHelp%1").arg(entry.tag), row);
        connect(help, &QToolButton::clicked, this,
                [this, topic = entry.help_topic] { show_topic(topic); });
        layout->addWidget(help, 0, Qt::AlignTop);
    }
    return row;
}

// At the right edge of the screen, its bottom a little above the main window's.  The frame
// counts, and it is known only once the window exists on the screen.
void TfmWizard::place()
{
    const QWidget *host = window_host().host_window();
    const QScreen *screen = host ? host->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const int bottom = host ? host->frameGeometry().bottom() : area.bottom();
    const QSize frame = frameGeometry().size();
    move(area.right() - edge_gap - frame.width() + 1, bottom - edge_gap - frame.height() + 1);
}

void TfmWizard::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        place();
}

void TfmWizard::open_entry(int tag)
{
    window_host().post_command(MainCommand::OpenSettingsOrList, tag);
}

void TfmWizard::show_topic(int topic)
{
    set_help_topic(this, topic);
    show_help(this);
}

bool TfmWizard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease && watched->property(tag_property).isValid()) {
        open_entry(watched->property(tag_property).toInt());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TfmWizard::closeEvent(QCloseEvent *event)
{
    store_choice();
    QWidget::closeEvent(event);
}

void TfmWizard::store_choice()
{
    if (m_choice_stored)
        return;
    m_choice_stored = true;
    write_setup_bool(setup::wizard, !m_hide->isChecked());
}

void show_guide()
{
    auto *guide = new TfmWizard(window_host().host_window());
    guide->show();
}
