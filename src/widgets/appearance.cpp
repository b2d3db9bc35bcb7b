#include "widgets/appearance.h"

#include "data/settings.h"
#include "data/setup_keys.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>
#include <optional>

namespace {

// Stored system colours are the flag 0xFF000000 plus the index of the system colour.
constexpr int system_color_flag = -16777216;

std::optional<QPalette::ColorRole> palette_role(int system_index)
{
    switch (system_index) {
    case 1:  // desktop
    case 4:  // menu
    case 15: // button face
        return QPalette::Button;
    case 5: // window background
        return QPalette::Base;
    case 6:  // window frame
    case 16: // button shadow
        return QPalette::Dark;
    case 7: // menu text
    case 8: // window text
        return QPalette::Text;
    case 13: // highlight
        return QPalette::Highlight;
    case 14: // highlight text
        return QPalette::HighlightedText;
    case 17: // grey text
        return QPalette::PlaceholderText;
    case 18: // button text
        return QPalette::ButtonText;
    case 20: // button highlight
    case 22: // 3D light
        return QPalette::Light;
    case 21: // 3D dark shadow
        return QPalette::Shadow;
    case 23: // tooltip text
        return QPalette::ToolTipText;
    case 24: // tooltip background
        return QPalette::ToolTipBase;
    default:
        return std::nullopt;
    }
}

QColor read_color(const IniFile &settings, const char *key, int default_value)
{
    const QColor color = color_from_setting(settings.read_int(setup::section, key, default_value));
    return color.isValid() ? color : color_from_setting(default_value);
}

Appearance read_appearance()
{
    const IniFile settings = settings_file();
    Appearance values;
    values.tree_visible =
        settings.read_bool(setup::section, setup::tree_menu, setup::tree_menu_default);
    values.dialog_color = read_color(settings, setup::dialog_color, setup::dialog_color_default);
    values.grid_color = read_color(settings, setup::grid_color, setup::grid_color_default);
    values.ruler_color = read_color(settings, setup::ruler_color, setup::ruler_color_default);
    values.view_color = read_color(settings, setup::view_color, setup::view_color_default);
    values.tree_color = read_color(settings, setup::tree_color, setup::tree_color_default);
    values.help_type =
        settings.read_int(setup::section, setup::help_type, setup::help_type_default);
    return values;
}

std::optional<Appearance> &current()
{
    static std::optional<Appearance> values;
    return values;
}

} // namespace

const Appearance &appearance()
{
    if (!current())
        reload_appearance();
    return *current();
}

void reload_appearance()
{
    current() = read_appearance();
}

QColor color_from_setting(int value)
{
    if (value >= 0) {
        if (value > 0xFFFFFF)
            return {};
        return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
    }
    const int system_index = value - system_color_flag;
    const std::optional<QPalette::ColorRole> role = palette_role(system_index);
    if (system_index < 0 || !role)
        return {};
    return QApplication::palette().color(QPalette::Active, *role);
}

QColor grid_row_color(int row_number, bool highlighted)
{
    if (highlighted)
        return {};
    return row_number % 2 != 0 ? appearance().ruler_color : appearance().grid_color;
}

void apply_dialog_color(QWidget &window)
{
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, appearance().dialog_color);
    window.setPalette(palette);
    window.setAutoFillBackground(true);
}
