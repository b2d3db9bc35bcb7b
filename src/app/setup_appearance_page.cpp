#include "app/setup_appearance_page.h"

#include "app/setup_messages.h"
#include "data/settings.h"
#include "data/setup_keys.h"
#include "widgets/system_dialogs.h"
#include "widgets/appearance.h"
#include "widgets/dialog_parts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

struct ColorRow {
    const char *key;
    const char *caption;
    const char *button_name;
    int default_value;
};

const ColorRow color_rows[] = {
    {setup::dialog_color, "Barva dialogových oken:", "btnDlgColor",
     setup::dialog_color_settings_default},
    {setup::grid_color, "Barva oken seznamů:", "btnGridColor", setup::grid_color_default},
    {setup::ruler_color, "Barva pravítka seznamů:", "btnRulerColor",
     setup::ruler_color_settings_default},
    {setup::tree_color, "Barva okna stromového menu:", "btnTreeColor", setup::tree_color_default},
    {setup::view_color, "Barva náhledového panelu:", "btnViewColor", setup::view_color_default},
};

const char *const start_tables[] = {
    "daňová evidence",  "vydané faktury", "došlé faktury", "adresář, obchodní partneři",
    "katalog produktů", "žádná",
};

const QSize swatch_size(48, 20);

QCheckBox *check_box(const char *caption, const char *name, QWidget *parent)
{
    auto *box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

} // namespace

TSetupAppearancePage::TSetupAppearancePage(QWidget *parent) : QWidget(parent)
{
    create_controls();
    load();
}

void TSetupAppearancePage::create_controls()
{
    m_tree = check_box("Zobrazovat stromové menu v hlavním okně.", "chkTreeMenu", this);
    m_save_position = check_box("Uložit rozměr a pozici po ukončení.", "chkSavePos", this);
    m_maximize = check_box("Maximalizovat okno po spuštění.", "chkMaximize", this);

    auto *colors = new QGridLayout;
    colors->setColumnStretch(3, 1);
    m_colors.reserve(std::size(color_rows));
    for (const ColorRow &row : color_rows) {
        const int line = int(m_colors.size());
        auto *swatch = new QLabel(this);
        swatch->setObjectName(QStringLiteral("sh") + QLatin1String(row.button_name + 3));
        swatch->setFixedSize(swatch_size);
        swatch->setFrameShape(QFrame::Box);
        swatch->setAutoFillBackground(true);
        colors->addWidget(new QLabel(QString::fromUtf8(row.caption), this), line, 0);
        colors->addWidget(swatch, line, 1);
        QPushButton *change = command_button(QStringLiteral("Změnit"), row.button_name, this);
        colors->addWidget(change, line, 2);
        m_colors.push_back({row.key, row.default_value, row.default_value, swatch});
        connect(change, &QPushButton::clicked, this,
                [this, line] { change_color(m_colors[size_t(line)]); });
    }

    auto *tables = new QGroupBox(QStringLiteral("Tabulka po spuštění"), this);
    auto *table_list = new QVBoxLayout(tables);
    m_start_table = new QButtonGroup(this);
    int index = 0;
    for (const char *caption : start_tables) {
        auto *choice = new QRadioButton(QString::fromUtf8(caption), tables);
        choice->setObjectName(QStringLiteral("rbAutoRun%1").arg(index));
        m_start_table->addButton(choice, index++);
        table_list->addWidget(choice);
    }
    table_list->addStretch(1);

    QPushButton *factory = command_button(QStringLiteral("Nastavení výrobce"), "btnFactory", this);
    QPushButton *save_button = command_button(QStringLiteral("Uložit"), "btnSaveLook", this);
    connect(factory, &QPushButton::clicked, this, &TSetupAppearancePage::restore_factory_settings);
    connect(save_button, &QPushButton::clicked, this, &TSetupAppearancePage::save);

    auto *behaviour = new QVBoxLayout;
    behaviour->addWidget(m_tree);
    behaviour->addWidget(m_save_position);
    behaviour->addWidget(m_maximize);
    behaviour->addSpacing(12);
    behaviour->addLayout(colors);
    behaviour->addStretch(1);
    auto *columns = new QHBoxLayout;
    columns->addLayout(behaviour, 1);
    columns->addWidget(tables);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(factory);
    buttons->addStretch(1);
    buttons->addWidget(save_button);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);
}

void TSetupAppearancePage::load()
{
    const IniFile settings = settings_file();
    const QString section = QLatin1String(setup::section);
    m_tree->setChecked(settings.read_bool(section, setup::tree_menu, setup::tree_menu_default));
    m_save_position->setChecked(
        settings.read_bool(section, setup::save_position, setup::save_position_default));
    m_maximize->setChecked(settings.read_bool(section, setup::maximize, setup::maximize_default));
    for (ColorSetting &setting : m_colors) {
        setting.value = settings.read_int(section, setting.key, setting.default_value);
        show_color(setting);
    }
    const int start = settings.read_int(section, setup::auto_run, setup::auto_run_default);
    // Any value that opens nothing at start is shown as the choice that says so.
    QAbstractButton *choice = m_start_table->button(start);
    (choice ? choice : m_start_table->button(setup::arNothing))->setChecked(true);
}

int TSetupAppearancePage::color_value(const QString &key) const
{
    for (const ColorSetting &setting : m_colors)
        if (key.compare(QLatin1String(setting.key), Qt::CaseInsensitive) == 0)
            return setting.value;
    return 0;
}

void TSetupAppearancePage::change_color(ColorSetting &setting)
{
    QColor color = color_from_setting(setting.value);
    if (!choose_color(color, this))
        return;
    setting.value = setup::rgb_color(color.red(), color.green(), color.blue());
    show_color(setting);
}

void TSetupAppearancePage::show_color(const ColorSetting &setting)
{
    QColor color = color_from_setting(setting.value);
    if (!color.isValid())
        color = color_from_setting(setting.default_value);
    QPalette palette = setting.swatch->palette();
    palette.setColor(QPalette::Window, color);
    setting.swatch->setPalette(palette);
}

bool TSetupAppearancePage::save()
{
    IniFile settings = settings_file();
    const QString section = QLatin1String(setup::section);
    bool written =
        settings.write_bool(section, setup::tree_menu, m_tree->isChecked()) &&
        settings.write_bool(section, setup::save_position, m_save_position->isChecked()) &&
        settings.write_bool(section, setup::maximize, m_maximize->isChecked());
    for (const ColorSetting &setting : m_colors)
        written = written && settings.write_int(section, setting.key, setting.value);
    written = written && settings.write_int(section, setup::auto_run, m_start_table->checkedId());
    if (!written) {
        report_settings_not_saved(settings.error_text());
        return false;
    }
    report_settings_saved(
        QStringLiteral("Nastavení je uloženo. Změny se projeví po uzavření oken."));
    emit saved();
    return true;
}

bool TSetupAppearancePage::restore_factory_settings()
{
    m_tree->setChecked(true);
    m_save_position->setChecked(true);
    m_maximize->setChecked(false);
    for (ColorSetting &setting : m_colors) {
        setting.value = setting.default_value;
        show_color(setting);
    }
    m_start_table->button(setup::arTaxRecords)->setChecked(true);
    return save();
}
