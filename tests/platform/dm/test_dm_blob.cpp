#include "dm_test_support.h"

#include <QFile>
#include <QFileInfo>

namespace {

class DmBlob : public DmTest {
protected:
    void SetUp() override
    {
        DmTest::SetUp();
        create_and_open();
    }

    QString write(const QString &name, const QByteArray &bytes)
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    static QByteArray read(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static QByteArray jpeg(int length)
    {
        QByteArray bytes("\xFF\xD8\xFF\xE0", 4);
        for (int i = 0; bytes.size() < length; ++i)
            bytes.append(static_cast<char>(i % 256));
        return bytes;
    }
};

TEST_F(DmBlob, NothingStoredGivesZeroAndNoFile)
{
    const QString target = path("out.jpg");
    EXPECT_EQ(dm_read_blob(target.toUtf8().constData(), 123), 0);
    EXPECT_STREQ(dm_last_error(), "");
    EXPECT_FALSE(QFileInfo::exists(target));
}

TEST_F(DmBlob, StoredBytesComeBackUnchangedAndAreReplacedByTheNextWrite)
{
    const QByteArray picture = jpeg(100000);
    const QString source = write("in.jpg", picture);
    ASSERT_NE(dm_write_blob(source.toUtf8().constData(), 500, 0), 0) << dm_last_error();
    const QString target = path("out.jpg");
    EXPECT_EQ(dm_read_blob(target.toUtf8().constData(), 500), picture.size());
    EXPECT_EQ(read(target), picture);

    const QByteArray text = "{\\rtf1 Ahoj}";
    write("in.rtf", text);
    ASSERT_NE(dm_write_blob(path("in.rtf").toUtf8().constData(), 500, 0), 0);
    EXPECT_EQ(dm_read_blob(target.toUtf8().constData(), 500), text.size());
    EXPECT_EQ(read(target), text);
}

TEST_F(DmBlob, AMissingOrEmptyFileRemovesTheStoredContent)
{
    const QString source = write("in.jpg", jpeg(10));
    const QString target = path("out.jpg");
    for (const QString &emptied : {path("missing.rtf"), write("empty.rtf", "")}) {
        ASSERT_NE(dm_write_blob(source.toUtf8().constData(), 7, 0), 0);
        ASSERT_NE(dm_write_blob(emptied.toUtf8().constData(), 7, 0), 0) << dm_last_error();
        QFile::remove(target);
        EXPECT_EQ(dm_read_blob(target.toUtf8().constData(), 7), 0);
        EXPECT_EQ(query_text(path("tallyra.db"), "SELECT count(*) FROM BLOBDATA"), "0");
    }
}

TEST_F(DmBlob, AFileThatCannotBeWrittenIsAFailure)
{
    const QString source = write("in.jpg", jpeg(10));
    ASSERT_NE(dm_write_blob(source.toUtf8().constData(), 8, 0), 0);
    EXPECT_EQ(dm_read_blob(path("no/such/folder/out.jpg").toUtf8().constData(), 8), -1);
    EXPECT_STRNE(dm_last_error(), "");
}

TEST_F(DmBlob, OnlyJpegPicturesAndRtfTextsOfSensibleSizeAreAccepted)
{
    write("big.jpg", jpeg(16));
    QFile big(path("big.jpg"));
    ASSERT_TRUE(big.resize(32 * 1024 * 1024 + 1));
    write("limit.jpg", jpeg(16));
    QFile limit(path("limit.jpg"));
    ASSERT_TRUE(limit.resize(32 * 1024 * 1024));
    const struct {
        QString file;
        bool ok;
        const char *refusal;
    } cases[] = {
        {write("photo.jpg", jpeg(3)), true, ""},
        {path("limit.jpg"), true, ""},
        {write("text.rtf", "{\\rtf1}"), true, ""},
        {write("plain.txt", "Příliš žluťoučký kůň"), true, ""},
        {write("binary.txt", QByteArray("a\0b", 3)), false, "Soubor není text."},
        {write("image.png", "\x89PNG\r\n\x1a\n"), false, "Soubor není obrázek JPEG."},
        {write("short.jpg", "\xFF\xD8"), false, "Soubor není obrázek JPEG."},
        {write("renamed.jpg", "{\\rtf1}"), false, "Soubor není obrázek JPEG."},
        {write("empty.jpg", ""), false, "Soubor je prázdný."},
        {path("big.jpg"), false, "Soubor je příliš velký (nejvýše 32 MiB)."},
        {path("missing.jpg"), false, "Soubor neexistuje."},
        {m_dir.path(), false, "Soubor není obyčejný soubor."},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(dm_blob_file_ok(c.file.toUtf8().constData()) != 0, c.ok) << c.file.toStdString();
        EXPECT_STREQ(dm_last_error(), c.refusal) << c.file.toStdString();
    }
}

TEST_F(DmBlob, AnUnreadableFileIsRefused)
{
    const QString file = write("secret.jpg", jpeg(10));
    QFile::setPermissions(file, QFile::WriteOwner);
    QFile::setPermissions(m_dir.path(),
                          QFile::permissions(m_dir.path()) | QFile::ReadOther | QFile::ExeOther);
    bool skipped = false;
    const std::string failure = run_without_root(
        [&]() -> std::string {
            if (dm_blob_file_ok(file.toUtf8().constData()))
                return "an unreadable file was accepted";
            if (std::string(dm_last_error()) != "Soubor nelze přečíst.")
                return std::string("refused with: ") + dm_last_error();
            return {};
        },
        &skipped);
    if (skipped)
        GTEST_SKIP() << "running as root and unable to drop root, who reads every file";
    EXPECT_EQ(failure, "");
}

} // namespace
