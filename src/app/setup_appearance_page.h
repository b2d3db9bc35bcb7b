#pragma once
// The settings page "Další nastavení": how the program looks and behaves, kept in section
// SETUP of the settings file — the menu tree, the main window's position and size, the
// five colours and the table opened at start.

#include <QWidget>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QPushButton;

class TSetupAppearancePage : public QWidget {
    Q_OBJECT

public:
    explicit TSetupAppearancePage(QWidget *parent = nullptr);

    QCheckBox *tree_box() const { return m_tree; }
    QCheckBox *save_position_box() const { return m_save_position; }
    QCheckBox *maximize_box() const { return m_maximize; }
    QButtonGroup *start_table() const { return m_start_table; }
    // The colour as it will be stored: red + 256 * green + 65536 * blue, or a system colour.
    int color_value(const QString &key) const;

    // Writes every value shown; false (and the reason told) when the file cannot be written.
    bool save();
    // The values a new installation has, stored at once.
    bool restore_factory_settings();

signals:
    // The values are stored; the settings window closes.
    void saved();

private:
    struct ColorSetting {
        const char *key;
        int default_value;
        int value;
        QLabel *swatch;
    };

    void create_controls();
    void load();
    void change_color(ColorSetting &setting);
    void show_color(const ColorSetting &setting);

    QCheckBox *m_tree = nullptr;
    QCheckBox *m_save_position = nullptr;
    QCheckBox *m_maximize = nullptr;
    std::vector<ColorSetting> m_colors;
    QButtonGroup *m_start_table = nullptr;
};
