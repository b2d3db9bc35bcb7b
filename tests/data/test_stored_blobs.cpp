#include "support/db_fixture.h"

#include "data/app_paths.h"
#include "data/picture_box.h"

#include <QFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

using StoredBlobs = DbFixture;

QImage picture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(200, 40, 40));
    return image;
}

} // namespace

TEST_F(StoredBlobs, PicturesRoundTripAndShowAtTheProgramsSize)
{
    const int partner = insert_partner(1, "Bez fotky");
    PictureBox box;
    EXPECT_EQ(m_api->read_picture(partner, &box), 0);
    EXPECT_TRUE(box.is_empty());

    struct Case {
        QSize picture;
        QSize shown;
    };
    for (const Case &c : {Case{{800, 600}, {185, 139}}, Case{{500, 1000}, {185, 225}},
                          Case{{185, 100}, {185, 100}}}) {
        box.show(picture(c.picture.width(), c.picture.height()), {});
        ASSERT_TRUE(m_api->write_picture(partner, &box));
        EXPECT_EQ(box.shown_size(), c.shown);

        PictureBox back;
        EXPECT_GT(m_api->read_picture(partner, &back), 0);
        EXPECT_EQ(back.picture().size(), c.picture);
        EXPECT_EQ(back.shown_size(), c.shown);
    }

    // Without a control the picture is left as a bitmap for the report engine.
    QFile::remove(app_file_path(".bmp"));
    EXPECT_GT(m_api->read_picture(partner, nullptr), 0);
    EXPECT_EQ(QImage(app_file_path(".bmp"), "BMP").size(), QSize(185, 100));
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(StoredBlobs, TextsRoundTripAndAnEmptyEditorEmptiesTheStoredText)
{
    const int document = 4711;
    QTextDocument editor;
    QTextCursor cursor(&editor);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText("Příliš žluťoučký kůň ", bold);
    cursor.insertText("úpěl ďábelské ódy.");
    ASSERT_TRUE(m_api->write_rtf(document, &editor));

    QTextDocument back;
    EXPECT_GT(m_api->read_rtf(document, &back), 0);
    EXPECT_EQ(back.toPlainText(), "Příliš žluťoučký kůň úpěl ďábelské ódy.");
    EXPECT_GE(back.findBlockByNumber(0).begin().fragment().charFormat().fontWeight(), QFont::Bold);
    EXPECT_FALSE(back.isModified());

    QTextDocument empty;
    ASSERT_TRUE(m_api->write_rtf(document, &empty));
    EXPECT_EQ(m_api->read_rtf(document, &back), 0);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(StoredBlobs, ReadOnlyDatabaseRefusesTextsAndPictures)
{
    m_api->read_only = true;
    QTextDocument editor;
    editor.setPlainText("text");
    PictureBox box;
    box.show(picture(10, 10), {});
    EXPECT_FALSE(m_api->write_rtf(1, &editor));
    EXPECT_FALSE(m_api->write_picture(1, &box));
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_EQ(m_messages[0].text, "Text nelze uložit. Datový soubor je na disku, na který nelze zapisovat!");
    EXPECT_EQ(m_messages[1].text, "Obrázek nelze uložit. Datový soubor je na disku, na který nelze zapisovat!");
    EXPECT_EQ(m_messages[1].style, mbIconWarning);
    EXPECT_EQ(m_api->count_rows("BLOBDATA"), 0);
}

TEST_F(StoredBlobs, AFileThatIsNoPictureIsRefusedWithTheLibrarysReason)
{
    QFile png(path("logo.png"));
    ASSERT_TRUE(png.open(QIODevice::WriteOnly));
    png.write("\x89PNG\r\n\x1a\n");
    png.close();
    EXPECT_FALSE(m_api->blob_file_ok(png.fileName()));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].title, "Chyba!");
    EXPECT_EQ(m_messages[0].text, "Soubor není obrázek JPEG.");
    EXPECT_FALSE(m_messages[0].fatal);
}

TEST(FittedPictureSize, WidthIsFixedHeightRoundsHalfToEven)
{
    EXPECT_EQ(fitted_picture_size({800, 600}), QSize(185, 139));
    EXPECT_EQ(fitted_picture_size({500, 1000}), QSize(185, 225));
    EXPECT_EQ(fitted_picture_size({370, 1}), QSize(185, 0)); // 0.5 rounds to 0
    EXPECT_EQ(fitted_picture_size({370, 3}), QSize(185, 2)); // 1.5 rounds to 2
    EXPECT_EQ(fitted_picture_size({0, 0}), QSize(185, 0));
}
