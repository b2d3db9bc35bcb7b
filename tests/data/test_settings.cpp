#include "data/app_paths.h"
#include "data/settings.h"
#include "data/setup_keys.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class SettingsTest : public testing::Test {
protected:
    void SetUp() override { set_app_exe_path(m_dir.filePath("tallyra")); }
    void TearDown() override { set_app_exe_path(QString()); }

    QTemporaryDir m_dir;
};

TEST_F(SettingsTest, WithoutAFileTheProgramStartsWithItsDefaults)
{
    EXPECT_TRUE(read_setup_bool(setup::tree_menu, setup::tree_menu_default));
    EXPECT_FALSE(read_setup_bool(setup::save_position, setup::save_position_default));
    EXPECT_FALSE(read_setup_bool(setup::maximize, setup::maximize_default));
    EXPECT_TRUE(read_setup_bool(setup::wizard, setup::wizard_default));
    EXPECT_EQ(read_setup_int(setup::auto_run, setup::auto_run_default), setup::arTaxRecords);
    EXPECT_EQ(read_setup_int(setup::help_type, setup::help_type_default), setup::htWebBrowser)
        << "the pages in the browser work on every installation";
    EXPECT_FALSE(QFile::exists(m_dir.filePath("tallyra.ini")));
}

TEST_F(SettingsTest, ColourDefaultsAreTheStoredNumbers)
{
    EXPECT_EQ(setup::dialog_color_default, 16316656);
    EXPECT_EQ(setup::dialog_color_settings_default, 16316660);
    EXPECT_EQ(setup::ruler_color_default, 16314608);
    EXPECT_EQ(setup::ruler_color_settings_default, 16315636);
    EXPECT_EQ(setup::grid_color_default, -16777211);
    EXPECT_EQ(setup::tree_color_default, -16777211);
    EXPECT_EQ(setup::view_color_default, -16777192);
    EXPECT_EQ(setup::system_color_button_face, -16777201);
}

TEST_F(SettingsTest, WrittenFlagIsReadBackFromTheFileBesideTheExecutable)
{
    write_setup_bool(setup::wizard, false);
    EXPECT_FALSE(read_setup_bool(setup::wizard, true));
    EXPECT_EQ(settings_file().read_string("setup", "wizard"), "0");
    EXPECT_EQ(settings_file().path(), m_dir.filePath("tallyra.ini"));

    {
        IniFile file = settings_file();
        ASSERT_TRUE(file.write_int(setup::section, setup::auto_run, setup::arNothing));
    }
    EXPECT_EQ(read_setup_int(setup::auto_run, setup::auto_run_default), 5);
}

TEST_F(SettingsTest, FailedWriteIsIgnored)
{
    set_app_exe_path(m_dir.filePath("missing/folder/tallyra"));
    write_setup_bool(setup::tree_menu, false);
    EXPECT_TRUE(read_setup_bool(setup::tree_menu, true));
}

} // namespace
