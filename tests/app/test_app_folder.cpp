#include "app/app_folder.h"
#include "data/app_paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

class AppFolderTest : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char *name : {"HOME", "XDG_CONFIG_HOME", "TALLYRA_APP_DIR"})
            m_saved.push_back({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(path("home/.config")));
        qunsetenv("TALLYRA_APP_DIR");
    }
    void TearDown() override
    {
        if (!m_protected.isEmpty()) {
            set_immutable(m_protected, false);
            QFile::setPermissions(m_protected,
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        for (const Saved &saved : m_saved) {
            if (saved.was_set)
                qputenv(saved.name, saved.value);
            else
                qunsetenv(saved.name);
        }
        set_app_exe_path({});
        set_shipped_dir({});
    }

    QString path(const QString &relative) const { return m_dir.filePath(relative); }
    void write(const QString &relative, const QByteArray &content)
    {
        QDir().mkpath(QFileInfo(path(relative)).absolutePath());
        QFile file(path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QByteArray read(const QString &relative) const
    {
        QFile file(path(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }
    // An installed program: the executable in usr/lib/tallyra, its shipped files read-only in
    // usr/share/tallyra.
    void install()
    {
        QDir().mkpath(path("usr/lib/tallyra"));
        write("usr/share/tallyra/tallyra.ini", "[SETUP]\nwizard=1\n");
        write("usr/share/tallyra/tallyra.lng", "[VIEW_PAR]\nNAME=Název\n");
        write("usr/share/tallyra/Lib/doc_1.frf", "{}");
        for (const char *name : {"tallyra.ini", "tallyra.lng"})
            QFile::setPermissions(path("usr/share/tallyra/") + name, QFile::ReadOwner);
        set_app_exe_path(path("usr/lib/tallyra/tallyra"));
    }
    // Makes a folder one that this user cannot write: by its mode, and for root, who writes
    // anyway, by the immutable attribute.  False when this machine cannot protect it.
    bool protect(const QString &relative)
    {
        m_protected = path(relative);
        QFile::setPermissions(m_protected, QFile::ReadOwner | QFile::ExeOwner);
        if (!QFileInfo(m_protected).isWritable())
            return true;
        set_immutable(m_protected, true);
        return !QFileInfo(path(relative)).isWritable();
    }
    static void set_immutable(const QString &folder, bool on)
    {
        const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
        if (fd < 0)
            return;
        int flags = 0;
        if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
            ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
        }
        ::close(fd);
    }

    struct Saved {
        const char *name;
        QByteArray value;
        bool was_set;
    };
    QTemporaryDir m_dir;
    std::vector<Saved> m_saved;
    QString m_protected;
};

TEST_F(AppFolderTest, AnInstalledProgramWritesIntoTheUsersConfigFolderSeededWithItsDefaults)
{
    install();
    choose_app_folder();

    EXPECT_EQ(app_file_path(".ini"), path("home/.config/tallyra/tallyra.ini"));
    EXPECT_EQ(app_file_path(".cfg"), path("home/.config/tallyra/tallyra.cfg"));
    EXPECT_EQ(app_dir(), path("home/.config/tallyra"));
    EXPECT_EQ(read("home/.config/tallyra/tallyra.ini"), "[SETUP]\nwizard=1\n");
    EXPECT_EQ(read("home/.config/tallyra/tallyra.lng"), "[VIEW_PAR]\nNAME=Název\n");
    EXPECT_TRUE(QFileInfo(path("home/.config/tallyra/tallyra.ini")).isWritable())
        << "the program writes its settings back into the seeded copy";
    EXPECT_EQ(app_resource_path("Lib/doc_1.frf"), path("usr/share/tallyra/Lib/doc_1.frf"));
}

TEST_F(AppFolderTest, TheUsersOwnFilesSurviveTheNextStart)
{
    install();
    write("home/.config/tallyra/tallyra.ini", "[SETUP]\nwizard=0\n");
    write("home/.config/tallyra/Lib/doc_1.frf", "{\"adapted\": true}");
    choose_app_folder();

    EXPECT_EQ(read("home/.config/tallyra/tallyra.ini"), "[SETUP]\nwizard=0\n");
    EXPECT_EQ(read("home/.config/tallyra/tallyra.lng"), "[VIEW_PAR]\nNAME=Název\n")
        << "a default the user lacks is still seeded";
    EXPECT_EQ(app_resource_path("Lib/doc_1.frf"), path("home/.config/tallyra/Lib/doc_1.frf"));
}

TEST_F(AppFolderTest, ConfigFolderFollowsHomeWhenXdgConfigHomeIsUnsetOrRelative)
{
    qputenv("HOME", QFile::encodeName(path("home")));
    for (const QByteArray &config_home : {QByteArray(), QByteArray("relative/config")}) {
        qputenv("XDG_CONFIG_HOME", config_home);
        EXPECT_EQ(user_app_dir(), path("home/.config/tallyra")) << config_home.constData();
    }
}

TEST_F(AppFolderTest, TheBuildFolderKeepsEverythingBesideTheExecutable)
{
    QDir().mkpath(path("build/app"));
    set_app_exe_path(path("build/app/tallyra"));
    choose_app_folder();

    EXPECT_EQ(app_file_path(".ini"), path("build/app/tallyra.ini"));
    EXPECT_TRUE(shipped_dir().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(path("home/.config/tallyra")));
}

TEST_F(AppFolderTest, AFolderNamedByTheEnvironmentHoldsTheFilesOfAnInstalledProgramToo)
{
    install();
    qputenv("TALLYRA_APP_DIR", QFile::encodeName(path("portable")));
    choose_app_folder();

    EXPECT_EQ(app_file_path(".ini"), path("portable/tallyra.ini"));
    EXPECT_EQ(app_resource_path("Lib/doc_1.frf"), path("usr/share/tallyra/Lib/doc_1.frf"));
    EXPECT_FALSE(QFileInfo::exists(path("home/.config/tallyra")));
}

TEST_F(AppFolderTest, AProgramFolderTheUserCannotWriteSendsTheFilesToTheConfigFolder)
{
    write("opt/tallyra/tallyra.ini", "[SETUP]\nwizard=1\n");
    write("opt/tallyra/lib/index.html", "<html/>");
    set_app_exe_path(path("opt/tallyra/tallyra"));
    if (!protect("opt/tallyra"))
        GTEST_SKIP() << "this machine cannot make a folder read-only for this user";
    choose_app_folder();

    EXPECT_EQ(app_file_path(".ini"), path("home/.config/tallyra/tallyra.ini"));
    EXPECT_EQ(read("home/.config/tallyra/tallyra.ini"), "[SETUP]\nwizard=1\n");
    EXPECT_EQ(app_resource_path("lib/index.html"), path("opt/tallyra/lib/index.html"));
}

TEST_F(AppFolderTest, OnlyALibTallyraFolderBesideAShareTallyraFolderIsAnInstallation)
{
    for (const char *folder : {"usr/lib/tallyra", "usr/share/tallyra", "usr/lib/other",
                               "usr/share/other", "bare/lib/tallyra", "usr/bin/tallyra"})
        QDir().mkpath(path(folder));
    struct Case {
        const char *program_dir;
        const char *share;
    };
    const Case cases[] = {
        {"usr/lib/tallyra", "usr/share/tallyra"},
        {"usr/lib/tallyra/", "usr/share/tallyra"},
        {"usr/lib/other", nullptr},
        {"bare/lib/tallyra", nullptr}, // nothing shipped beside it
        {"usr/bin/tallyra", nullptr},
    };
    for (const Case &c : cases)
        EXPECT_EQ(installed_share_dir(path(c.program_dir)), c.share ? path(c.share) : QString())
            << c.program_dir;
}

} // namespace
