#include "app/fsetupscr.h"
#include "data/picture_box.h"
#include "widgets/picture_view.h"
#include "widgets/system_dialogs.h"
#include "support/db_fixture.h"

#include <QFile>
#include <QImage>

namespace {

class LogoStamp : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        m_saved_hook = set_file_dialog_hook([this](QWidget *, const FileDialogRequest &request) {
            m_requests.push_back(request);
            return m_chosen;
        });
    }
    void TearDown() override
    {
        set_file_dialog_hook(m_saved_hook);
        DbFixture::TearDown();
    }

    QString picture_file(const char *name, const char *format)
    {
        QImage image(400, 200, QImage::Format_RGB32);
        image.fill(QColor(200, 40, 40));
        const QString file = path(QLatin1String(name));
        EXPECT_TRUE(image.save(file, format));
        return file;
    }
    int firm_value(const char *column)
    {
        return sqlite_shell(QStringLiteral("SELECT %1 FROM CONF_ADDRESS WHERE RECID=1")
                                .arg(QLatin1String(column)))
            .toInt();
    }
    int blobs() { return sqlite_shell(QStringLiteral("SELECT count(*) FROM BLOBDATA")).toInt(); }

    QString m_chosen;
    std::vector<FileDialogRequest> m_requests;

private:
    FileDialogHook m_saved_hook;
};

} // namespace

TEST_F(LogoStamp, FirstLogoGetsANewIdLinkedToTheFirm)
{
    // What the firm's row links to at the moment the picture is stored.
    exec(QStringLiteral("CREATE TABLE LINK_SEEN (BLOB_ID INTEGER, LOGO_ID INTEGER)"));
    for (const char *event : {"INSERT", "UPDATE"})
        exec(QStringLiteral("CREATE TRIGGER SEEN_%1 AFTER %1 ON BLOBDATA BEGIN INSERT INTO "
                            "LINK_SEEN SELECT NEW.RECID, LOGO_ID FROM CONF_ADDRESS WHERE "
                            "RECID=1; END")
                 .arg(QLatin1String(event)));
    const int before = m_api->new_recid();
    m_chosen = picture_file("logo.jpg", "JPEG");
    TfmSetupScr window;
    EXPECT_TRUE(window.logo()->box()->is_empty());
    window.insert_logo();

    ASSERT_EQ(m_requests.size(), 1u);
    EXPECT_EQ(m_requests[0].title, "Vyberte obrázek pro LOGO.");
    EXPECT_EQ(m_requests[0].filter, "Obrázky (*.jpg)|*.jpg");
    EXPECT_EQ(m_requests[0].mode, FileDialogRequest::Mode::Open);
    const int logo = firm_value("LOGO_ID");
    EXPECT_GT(logo, before);
    EXPECT_EQ(
        sqlite_shell(QStringLiteral("SELECT count(*) FROM BLOBDATA WHERE RECID=%1").arg(logo)),
        "1");
    EXPECT_EQ(sqlite_shell(QStringLiteral("SELECT BLOB_ID, LOGO_ID FROM LINK_SEEN")),
              QStringLiteral("%1|%1").arg(logo))
        << "the id is linked before the picture is stored under it";
    EXPECT_EQ(firm_value("STAMP_ID"), 0);
    EXPECT_EQ(window.logo()->box()->shown_size(), QSize(330, 100));
    EXPECT_TRUE(m_messages.empty());

    // A second logo replaces the picture under the same id.
    window.insert_logo();
    EXPECT_EQ(firm_value("LOGO_ID"), logo);
    EXPECT_EQ(blobs(), 1);

    TfmSetupScr reopened;
    EXPECT_FALSE(reopened.logo()->box()->is_empty());
    EXPECT_EQ(reopened.logo()->box()->shown_size(), QSize(330, 100));
    EXPECT_TRUE(reopened.stamp()->box()->is_empty());
}

TEST_F(LogoStamp, DeletingOnlyUnlinksThePicture)
{
    m_chosen = picture_file("stamp.jpg", "JPEG");
    TfmSetupScr window;
    window.insert_stamp();
    EXPECT_EQ(m_requests.at(0).title, "Vyberte obrázek razítka.");
    EXPECT_EQ(window.stamp()->box()->shown_size(), QSize(180, 100));
    ASSERT_NE(firm_value("STAMP_ID"), 0);

    m_answer = mrNo;
    window.delete_stamp();
    EXPECT_NE(firm_value("STAMP_ID"), 0);
    EXPECT_FALSE(window.stamp()->box()->is_empty());

    m_answer = mrYes;
    window.delete_stamp();
    EXPECT_EQ(firm_value("STAMP_ID"), 0);
    EXPECT_TRUE(window.stamp()->box()->is_empty());
    EXPECT_EQ(blobs(), 1) << "the stored picture stays";
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_EQ(m_messages[1].title, "Výmaz");
    EXPECT_EQ(m_messages[1].text, "Opravdu vymazat obrázek razítka?");
    EXPECT_EQ(m_messages[1].style, 36);
}

TEST_F(LogoStamp, RefusedFilesStoreNothing)
{
    struct Case {
        const char *name;
        QString file;
        const char *message;
    };
    const Case cases[] = {
        {"a PNG named .jpg", picture_file("fake.jpg", "PNG"), "Soubor není obrázek JPEG."},
        {"a missing file", path(QStringLiteral("none.jpg")), "Soubor neexistuje."},
    };
    for (const Case &c : cases) {
        m_messages.clear();
        m_chosen = c.file;
        TfmSetupScr window;
        window.insert_logo();
        ASSERT_EQ(m_messages.size(), 1u) << c.name;
        EXPECT_EQ(m_messages[0].title, "Chyba!");
        EXPECT_TRUE(m_messages[0].text.contains(QString::fromUtf8(c.message))) << c.name;
        EXPECT_EQ(firm_value("LOGO_ID"), 0) << c.name;
        EXPECT_EQ(blobs(), 0) << c.name;
        EXPECT_TRUE(window.logo()->box()->is_empty()) << c.name;
    }
}

// Nothing is linked and no id drawn; the area keeps showing what is stored.
TEST_F(LogoStamp, ReadOnlyDatabaseRefusesThePicture)
{
    m_chosen = picture_file("logo.jpg", "JPEG");
    m_api->read_only = true;
    TfmSetupScr window;
    window.insert_logo();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text,
              "Obrázek nelze uložit. Datový soubor je na disku, na který nelze zapisovat!");
    EXPECT_FALSE(m_messages[0].fatal);
    EXPECT_EQ(firm_value("LOGO_ID"), 0);
    EXPECT_EQ(blobs(), 0);
    EXPECT_TRUE(window.logo()->box()->is_empty());
}
