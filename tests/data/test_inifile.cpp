#include "text/cp1250.h"
#include "data/inifile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class IniFileTest : public testing::Test {
protected:
    QString path(const QString &name = QStringLiteral("tallyra.ini")) const
    {
        return m_dir.filePath(name);
    }

    void put(const QByteArray &bytes, const QString &name = QStringLiteral("tallyra.ini"))
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray contents(const QString &name = QStringLiteral("tallyra.ini")) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Whether chmod really keeps this process from writing (it does not for root).
    static bool permissions_bind(const QString &folder)
    {
        QFile probe(QDir(folder).filePath(QStringLiteral("probe")));
        if (!probe.open(QIODevice::WriteOnly))
            return true;
        probe.close();
        probe.remove();
        return false;
    }

    QTemporaryDir m_dir;
};

TEST_F(IniFileTest, RewriteKeepsOrderCommentsAndLineEnds)
{
    for (const QByteArray &end : {QByteArray("\n"), QByteArray("\r\n")}) {
        SCOPED_TRACE(end == "\n" ? "LF" : "CRLF");
        QByteArray original = "; settings of Tallyra\n"
                              "[SETUP]\n"
                              "TREEMENU=1\n"
                              "; colours\n"
                              "GRID_COLOR=-16777211\n"
                              "\n"
                              "[MAPI]\n"
                              "SMTP_PORT=25\n";
        original.replace("\n", end);
        put(original);

        IniFile ini(path());
        EXPECT_EQ(ini.read_int("SETUP", "GRID_COLOR", 0), -16777211);
        EXPECT_EQ(ini.read_string("MAPI", "SMTP_PORT"), "25");
        ASSERT_TRUE(ini.write_int("SETUP", "GRID_COLOR", 255));
        ASSERT_TRUE(ini.write_bool("SETUP", "WIZARD", false));
        ASSERT_TRUE(ini.write_string("LANGUAGE", "ENGLISH", "Anglicky"));

        QByteArray expected = "; settings of Tallyra\n"
                              "[SETUP]\n"
                              "TREEMENU=1\n"
                              "; colours\n"
                              "GRID_COLOR=255\n"
                              "WIZARD=0\n"
                              "\n"
                              "[MAPI]\n"
                              "SMTP_PORT=25\n"
                              "\n"
                              "[LANGUAGE]\n"
                              "ENGLISH=Anglicky\n";
        expected.replace("\n", end);
        EXPECT_EQ(contents(), expected);
        EXPECT_EQ(IniFile(path()).read_string("LANGUAGE", "english"), "Anglicky");
    }
}

TEST_F(IniFileTest, NamesIgnoreLetterCaseAndKeepTheirSpelling)
{
    put("[Setup]\nTreeMenu=0\n[setup]\nWizard=0\n");
    IniFile ini(path());
    EXPECT_TRUE(ini.section_exists("SETUP"));
    EXPECT_FALSE(ini.read_bool("SETUP", "TREEMENU", true));
    EXPECT_FALSE(ini.read_bool("sEtUp", "wizard", true));
    EXPECT_EQ(ini.sections(), QStringList{"Setup"});
    EXPECT_EQ(ini.keys("SETUP"), (QStringList{"TreeMenu", "Wizard"}));

    ASSERT_TRUE(ini.write_bool("SETUP", "TREEMENU", true));
    EXPECT_EQ(contents(), "[Setup]\nTreeMenu=1\n[setup]\nWizard=0\n");
}

TEST_F(IniFileTest, ValuesReadAsTheirType)
{
    put("[S]\n"
        "NUMBER = 12 \n"
        "NEGATIVE=-3\n"
        "TEXT=abc\n"
        "EMPTY=\n"
        "HUGE=99999999999\n"
        "TWO=2\n"
        "ZERO=0\n"
        "EQUALS=a=b\n"
        "DUPLICATE=first\n"
        "DUPLICATE=second\n");
    const IniFile ini(path());
    EXPECT_EQ(ini.read_int("S", "NUMBER", 7), 12);
    EXPECT_EQ(ini.read_int("S", "NEGATIVE", 7), -3);
    EXPECT_EQ(ini.read_int("S", "TEXT", 7), 7);
    EXPECT_EQ(ini.read_int("S", "EMPTY", 7), 7);
    EXPECT_EQ(ini.read_int("S", "HUGE", 7), 7);
    EXPECT_EQ(ini.read_int("S", "MISSING", 7), 7);
    EXPECT_TRUE(ini.read_bool("S", "TWO", false));
    EXPECT_FALSE(ini.read_bool("S", "ZERO", true));
    EXPECT_TRUE(ini.read_bool("S", "TEXT", true));
    EXPECT_FALSE(ini.read_bool("S", "TEXT", false));
    EXPECT_EQ(ini.read_string("S", "EMPTY", "default"), "");
    EXPECT_TRUE(ini.key_exists("S", "EMPTY"));
    EXPECT_EQ(ini.read_string("S", "EQUALS"), "a=b");
    EXPECT_EQ(ini.read_string("S", "DUPLICATE"), "first");
    EXPECT_EQ(ini.read_string("T", "NUMBER", "default"), "default");
}

TEST_F(IniFileTest, MissingFileReadsEmptyAndIsCreatedByAWrite)
{
    IniFile ini(path());
    EXPECT_TRUE(ini.sections().isEmpty());
    EXPECT_FALSE(ini.section_exists("SETUP"));
    EXPECT_TRUE(ini.read_bool("SETUP", "TREEMENU", true));
    EXPECT_EQ(ini.read_string("SETUP", "X", "d"), "d");

    ASSERT_TRUE(ini.write_int("SETUP", "AUTO_RUN", 5));
    EXPECT_EQ(contents(), "[SETUP]\nAUTO_RUN=5\n");
    EXPECT_EQ(ini.read_int("SETUP", "AUTO_RUN", 0), 5);
}

TEST_F(IniFileTest, ListsFollowFileOrder)
{
    put("[LANGUAGE]\nCZECH=Česky\nENGLISH=\nGERMAN=Německy\n[CZECH]\nt_date=Datum\n"
        "[language]\nSLOVAK=Slovensky\nczech=again\n");
    const IniFile ini(path());
    EXPECT_EQ(ini.sections(), (QStringList{"LANGUAGE", "CZECH"}));
    EXPECT_EQ(ini.keys("Language"), (QStringList{"CZECH", "ENGLISH", "GERMAN", "SLOVAK"}));
    EXPECT_EQ(ini.read_string("LANGUAGE", "CZECH"), "Česky");
    EXPECT_TRUE(ini.keys("MISSING").isEmpty());
}

TEST_F(IniFileTest, EraseSectionAndDeleteKeyRemoveEveryOccurrence)
{
    put("top=1\n[A]\nx=1\ny=2\n[B]\n; about b\nz=3\n[a]\nx=4\n");
    IniFile ini(path());
    ASSERT_TRUE(ini.delete_key("A", "X"));
    EXPECT_EQ(contents(), "top=1\n[A]\ny=2\n[B]\n; about b\nz=3\n[a]\n");
    EXPECT_FALSE(ini.key_exists("A", "x"));

    ASSERT_TRUE(ini.erase_section("a"));
    EXPECT_EQ(contents(), "top=1\n[B]\n; about b\nz=3\n");
    EXPECT_FALSE(ini.section_exists("A"));
    EXPECT_EQ(ini.sections(), QStringList{"B"});

    ASSERT_TRUE(ini.erase_section("MISSING"));
    ASSERT_TRUE(ini.delete_key("B", "MISSING"));
    EXPECT_EQ(contents(), "top=1\n[B]\n; about b\nz=3\n");
}

TEST_F(IniFileTest, AValueCannotBreakTheFileStructure)
{
    put("[MAPI]\nRECIPIENT=a@b.cz\n");
    IniFile ini(path());
    ASSERT_TRUE(ini.write_string("MAPI", "RECIPIENT", "x@y.cz\r\n[SETUP]\nWIZARD=0"));
    const IniFile again(path());
    EXPECT_EQ(again.read_string("MAPI", "RECIPIENT"), "x@y.cz [SETUP] WIZARD=0");
    EXPECT_FALSE(again.section_exists("SETUP"));

    for (const QString key : {"", "A=B", "[X", ";X", "A\nB"}) {
        SCOPED_TRACE(key.toStdString());
        EXPECT_FALSE(ini.write_string("MAPI", key, "v"));
        EXPECT_FALSE(ini.error_text().isEmpty());
    }
    for (const QString section : {"", "A]B", "A\nB"}) {
        SCOPED_TRACE(section.toStdString());
        EXPECT_FALSE(ini.write_string(section, "KEY", "v"));
    }
    EXPECT_EQ(contents(), "[MAPI]\nRECIPIENT=x@y.cz [SETUP] WIZARD=0\n");
}

TEST_F(IniFileTest, WritesOfTwoObjectsAreBothKept)
{
    IniFile first(path());
    IniFile second(path());
    ASSERT_TRUE(first.write_string("S", "A", "1"));
    ASSERT_TRUE(second.write_string("S", "B", "2"));
    const IniFile reader(path());
    EXPECT_EQ(reader.read_string("S", "A"), "1");
    EXPECT_EQ(reader.read_string("S", "B"), "2");
}

TEST_F(IniFileTest, EncodingOfTheFileIsRespected)
{
    put(to_cp1250(QStringLiteral("[LANGUAGE]\nCZECH=Česky\nGERMAN=Německy\n")), "old.ini");
    IniFile old_file(path("old.ini"));
    EXPECT_EQ(old_file.read_string("LANGUAGE", "CZECH"), QStringLiteral("Česky"));
    ASSERT_TRUE(old_file.write_string("LANGUAGE", "SLOVAK", QStringLiteral("Slovensky")));
    EXPECT_EQ(
        contents("old.ini"),
        QStringLiteral("[LANGUAGE]\nCZECH=Česky\nGERMAN=Německy\nSLOVAK=Slovensky\n").toUtf8());

    put("\xEF\xBB\xBF[S]\nKEY=Žluťoučký\n", "bom.ini");
    IniFile with_mark(path("bom.ini"));
    EXPECT_EQ(with_mark.sections(), QStringList{"S"});
    EXPECT_EQ(with_mark.read_string("S", "KEY"), QStringLiteral("Žluťoučký"));
    ASSERT_TRUE(with_mark.write_string("S", "KEY", QStringLiteral("kůň")));
    EXPECT_EQ(contents("bom.ini"), QByteArray("\xEF\xBB\xBF[S]\nKEY=kůň\n"));
}

TEST_F(IniFileTest, WritableFileInReadOnlyFolderIsStillSaved)
{
    const QString folder = m_dir.filePath("ro");
    ASSERT_TRUE(QDir().mkpath(folder));
    put("[S]\nA=1\n", "ro/tallyra.ini");
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));

    IniFile ini(QDir(folder).filePath("tallyra.ini"));
    const bool saved = ini.write_string("S", "A", "2");
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(saved) << ini.error_text().toStdString();
    EXPECT_EQ(contents("ro/tallyra.ini"), "[S]\nA=2\n");
}

TEST_F(IniFileTest, WriteIntoReadOnlyFolderFailsCleanly)
{
    const QString folder = m_dir.filePath("ro");
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    const bool binds = permissions_bind(folder);

    IniFile ini(QDir(folder).filePath("tallyra.ini"));
    const bool saved = ini.write_bool("SETUP", "WIZARD", false);
    const QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!binds)
        GTEST_SKIP() << "running as a user whom a read-only folder does not stop (root)";
    EXPECT_FALSE(saved);
    EXPECT_FALSE(ini.error_text().isEmpty());
    EXPECT_TRUE(left.isEmpty()) << left.join(", ").toStdString();
    EXPECT_TRUE(ini.read_bool("SETUP", "WIZARD", true));
}

TEST_F(IniFileTest, ReadOnlyOrUnreadableFileIsNeverReplaced)
{
    const QByteArray original = "[S]\nA=1\nB=2\n";
    put(original);
    ASSERT_TRUE(QFile::setPermissions(path(), QFile::ReadOwner));
    {
        IniFile ini(path());
        const bool saved = ini.write_string("S", "A", "9");
        if (QFile(path()).open(QIODevice::WriteOnly | QIODevice::Append))
            GTEST_SKIP() << "running as a user whom a read-only file does not stop (root)";
        EXPECT_FALSE(saved);
        EXPECT_EQ(contents(), original);
    }

    ASSERT_TRUE(QFile::setPermissions(path(), QFile::WriteOwner));
    IniFile unreadable(path());
    EXPECT_FALSE(unreadable.error_text().isEmpty());
    EXPECT_FALSE(unreadable.write_string("S", "C", "3"));
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(contents(), original);
}

} // namespace
