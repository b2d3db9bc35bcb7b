#include "data/app_paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class AppResourcePathTest : public testing::Test {
protected:
    void SetUp() override
    {
        QDir(m_dir.path()).mkpath("user/Lib");
        QDir(m_dir.path()).mkpath("share/Lib");
        set_app_exe_path(m_dir.filePath("user/tallyra"));
    }
    void TearDown() override
    {
        set_app_exe_path({});
        set_shipped_dir({});
    }
    void create(const QString &name)
    {
        QFile file(m_dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    QTemporaryDir m_dir;
};

TEST_F(AppResourcePathTest, TheUsersCopyWinsOverTheShippedFile)
{
    set_shipped_dir(m_dir.filePath("share"));
    create("share/Lib/doc_1.frf");
    create("share/Lib/te.frf");
    create("user/Lib/doc_1.frf");

    struct Case {
        const char *relative;
        const char *expected;
    };
    const Case cases[] = {
        {"Lib/doc_1.frf", "user/Lib/doc_1.frf"}, // adapted by the user
        {"Lib/te.frf", "share/Lib/te.frf"},      // as shipped
        {"Lib/none.frf", "user/Lib/none.frf"},   // nowhere: named where the user would put it
    };
    for (const Case &c : cases)
        EXPECT_EQ(app_resource_path(c.relative), m_dir.filePath(c.expected)) << c.relative;
}

TEST_F(AppResourcePathTest, WithoutAShippedFolderEverythingIsBesideTheExecutable)
{
    create("share/Lib/te.frf");
    EXPECT_EQ(app_resource_path("Lib/te.frf"), m_dir.filePath("user/Lib/te.frf"));
}

} // namespace
