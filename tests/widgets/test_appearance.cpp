#include "data/app_paths.h"
#include "data/inifile.h"
#include "data/setup_keys.h"
#include "widgets/appearance.h"

#include <QApplication>
#include <QPalette>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

QColor palette_color(QPalette::ColorRole role)
{
    return QApplication::palette().color(QPalette::Active, role);
}

class AppearanceTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        set_app_exe_path(m_dir.filePath(QStringLiteral("tallyra")));
    }
    void TearDown() override { set_app_exe_path({}); }

    void write_setup(const QString &key, int value)
    {
        IniFile settings(m_dir.filePath(QStringLiteral("tallyra.ini")));
        ASSERT_TRUE(settings.write_int(QStringLiteral("SETUP"), key, value));
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(AppearanceTest, WithoutSettingsTheDefaultsHold)
{
    reload_appearance();
    const Appearance &values = appearance();
    EXPECT_EQ(values.dialog_color, QColor(240, 248, 248));
    EXPECT_EQ(values.grid_color, palette_color(QPalette::Base));
    EXPECT_EQ(values.ruler_color, QColor(240, 240, 248));
    EXPECT_EQ(values.view_color, palette_color(QPalette::ToolTipBase));
    EXPECT_EQ(values.tree_color, palette_color(QPalette::Base));
    EXPECT_TRUE(values.tree_visible);
    EXPECT_EQ(values.help_type, setup::htWebBrowser);
}

TEST_F(AppearanceTest, StoredValuesAreSeenOnlyAfterReload)
{
    reload_appearance();
    write_setup(QStringLiteral("DLG_COLOR"), 255);
    write_setup(QStringLiteral("GRID_COLOR"), -16777201);
    write_setup(QStringLiteral("RULER_COLOR"), 0x00FF00);
    write_setup(QStringLiteral("TREEMENU"), 0);
    write_setup(QStringLiteral("HELP_TYPE"), 3);
    // A value that is no colour falls back to the default instead of painting black.
    write_setup(QStringLiteral("VIEW_COLOR"), -5);

    EXPECT_EQ(appearance().dialog_color, QColor(240, 248, 248));
    reload_appearance();
    const Appearance &values = appearance();
    EXPECT_EQ(values.dialog_color, QColor(255, 0, 0));
    EXPECT_EQ(values.grid_color, palette_color(QPalette::Button));
    EXPECT_EQ(values.ruler_color, QColor(0, 255, 0));
    EXPECT_EQ(values.view_color, palette_color(QPalette::ToolTipBase));
    EXPECT_FALSE(values.tree_visible);
    EXPECT_EQ(values.help_type, 3);

    QWidget editor;
    apply_dialog_color(editor);
    EXPECT_EQ(editor.palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_TRUE(editor.autoFillBackground());
}

TEST(ColorFromSetting, PlainAndSystemColours)
{
    const struct {
        int stored;
        QColor expected;
    } cases[] = {
        {0, QColor(0, 0, 0)},
        {16316656, QColor(240, 248, 248)},
        {0xFF0000, QColor(0, 0, 255)},
        {0xFFFFFF, QColor(255, 255, 255)},
        {0x1000000, QColor()},
        {-16777211, palette_color(QPalette::Base)},
        {-16777192, palette_color(QPalette::ToolTipBase)},
        {-16777201, palette_color(QPalette::Button)},
        {-16777216 + 13, palette_color(QPalette::Highlight)},
        {-1, QColor()},
        {-16777217, QColor()},
    };
    for (const auto &c : cases)
        EXPECT_EQ(color_from_setting(c.stored), c.expected) << c.stored;
}

TEST_F(AppearanceTest, GridRowsAlternateRulerAndGridColours)
{
    write_setup(QStringLiteral("GRID_COLOR"), 0x0000FF);
    write_setup(QStringLiteral("RULER_COLOR"), 0x00FF00);
    reload_appearance();
    EXPECT_EQ(grid_row_color(1, false), QColor(0, 255, 0));
    EXPECT_EQ(grid_row_color(2, false), QColor(255, 0, 0));
    EXPECT_EQ(grid_row_color(3, false), QColor(0, 255, 0));
    EXPECT_FALSE(grid_row_color(1, true).isValid());
}
