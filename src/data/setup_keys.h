#pragma once
// Keys of section "SETUP" of the settings file with their defaults, and the colour values
// stored there: red + 256 * green + 65536 * blue, or a negative system colour.

namespace setup {

constexpr int rgb_color(int red, int green, int blue)
{
    return red + 256 * green + 65536 * blue;
}

inline constexpr int system_color_window = -16777211;
inline constexpr int system_color_tooltip = -16777192;
inline constexpr int system_color_button_face = -16777201;

inline constexpr char section[] = "SETUP";

inline constexpr char tree_menu[] = "TREEMENU";
inline constexpr bool tree_menu_default = true;

inline constexpr char save_position[] = "SAVEPOS";
inline constexpr bool save_position_default = false;

inline constexpr char maximize[] = "MAXIMIZE";
inline constexpr bool maximize_default = false;

// The main window and the settings page have always used slightly different defaults.
inline constexpr char dialog_color[] = "DLG_COLOR";
inline constexpr int dialog_color_default = rgb_color(240, 248, 248);
inline constexpr int dialog_color_settings_default = rgb_color(244, 248, 248);

inline constexpr char grid_color[] = "GRID_COLOR";
inline constexpr int grid_color_default = system_color_window;

inline constexpr char ruler_color[] = "RULER_COLOR";
inline constexpr int ruler_color_default = rgb_color(240, 240, 248);
inline constexpr int ruler_color_settings_default = rgb_color(244, 244, 248);

inline constexpr char view_color[] = "VIEW_COLOR";
inline constexpr int view_color_default = system_color_tooltip;

inline constexpr char tree_color[] = "TREE_COLOR";
inline constexpr int tree_color_default = system_color_window;

// The command run at start.
inline constexpr char auto_run[] = "AUTO_RUN";
enum AutoRun : int {
    arTaxRecords = 0,
    arIssuedInvoices = 1,
    arReceivedInvoices = 2,
    arPartners = 3,
    arProducts = 4,
    arNothing = 5,
};
inline constexpr int auto_run_default = arTaxRecords;

inline constexpr char help_type[] = "HELP_TYPE";
enum HelpType : int {
    htCompiledHtml = 0,
    htClassicHelp = 1,
    htHelpLibrary = 2,
    htWebBrowser = 3,
};
// The help pages in the internet browser work on every installation.
inline constexpr int help_type_default = htWebBrowser;

inline constexpr char wizard[] = "WIZARD";
inline constexpr bool wizard_default = true;

} // namespace setup
