#include "text/cp1250.h"
#include "data/rtf_reader.h"
#include "masterdata/ui/frrich.h"
#include "widgets/system_dialogs.h"
#include "support/db_fixture.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextList>
#include <QToolButton>
#include <memory>

namespace {

// QTest types Latin-1 only; Czech letters arrive as the keyboard sends them, as text.
void type_text(QWidget &widget, const QString &text)
{
    for (const QChar letter : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(letter));
        QApplication::sendEvent(&widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(letter));
        QApplication::sendEvent(&widget, &release);
    }
}

const QString pattern_filter = QStringLiteral(
    "formátovaný text (*.rtf)|*.rtf|prostý text (*.txt)|*.txt|libovolný soubor (*.*)|*.*");

class RichPanel : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        m_saved_files = set_file_dialog_hook([this](QWidget *, const FileDialogRequest &request) {
            m_requests.push_back(request);
            return m_chosen_file;
        });
        m_saved_fonts = set_font_dialog_hook([this](QFont &font, QWidget *) {
            m_offered_font = font;
            if (!m_chosen_font)
                return false;
            font = *m_chosen_font;
            return true;
        });
        m_panel = std::make_unique<Tfr_rich>();
        m_panel->resize(700, 300);
        m_panel->show();
    }

    void TearDown() override
    {
        m_panel.reset();
        set_file_dialog_hook(m_saved_files);
        set_font_dialog_hook(m_saved_fonts);
        DbFixture::TearDown();
    }

    QTextEdit &editor() const { return *m_panel->editor(); }
    QTextDocument &document() const { return *editor().document(); }

    void click(const char *name) const
    {
        auto *button = m_panel->findChild<QToolButton *>(QLatin1String(name));
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }

    QSpinBox &size_field() const { return *m_panel->findChild<QSpinBox *>("ComboSize"); }
    QString font_field() const { return m_panel->findChild<QLineEdit *>("FontComboEdit")->text(); }

    void type_size(const QString &size) const
    {
        size_field().setFocus();
        size_field().selectAll();
        QTest::keyClicks(&size_field(), size);
    }

    void select(int from, int to) const
    {
        QTextCursor cursor(&document());
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        editor().setTextCursor(cursor);
    }

    void put_cursor_at_end() const { editor().moveCursor(QTextCursor::End); }

    // The format of the character at the position.
    QTextCharFormat format_at(int position) const
    {
        QTextCursor cursor(&document());
        cursor.setPosition(position + 1);
        return cursor.charFormat();
    }

    QString write_file(const QString &name, const QByteArray &bytes) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    std::unique_ptr<Tfr_rich> m_panel;
    std::vector<FileDialogRequest> m_requests;
    QString m_chosen_file;
    std::optional<QFont> m_chosen_font;
    QFont m_offered_font;

private:
    FileDialogHook m_saved_files;
    FontDialogHook m_saved_fonts;
};

} // namespace

TEST_F(RichPanel, ShowsItsTitleAndHintsAndStartsWithTogglesOff)
{
    EXPECT_EQ(m_panel->title(), "   Text, obsah dokladu");
    const std::pair<const char *, const char *> hints[] = {
        {"bbold", "tučné písmo"},       {"iital", "kurzíva"},
        {"uunder", "podtržené písmo"},  {"lleft", "zarovnání vlevo"},
        {"rright", "zarovnání vpravo"}, {"ccenter", "zarovnání na střed"},
        {"bbulet", "Odrážky"},          {"bload", "načti ze vzoru"},
        {"bsave", "ulož jako vzor"},
    };
    for (const auto &[name, hint] : hints) {
        auto *button = m_panel->findChild<QToolButton *>(QLatin1String(name));
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(hint)) << name;
        EXPECT_FALSE(button->isChecked()) << name;
    }
    EXPECT_EQ(m_panel->findChild<QToolButton *>("bbold")->text(), "B");
    EXPECT_EQ(m_panel->findChild<QToolButton *>("iital")->text(), "/");
    EXPECT_EQ(m_panel->findChild<QToolButton *>("uunder")->text(), "u");
    EXPECT_EQ(size_field().toolTip(), "velikost písma");
    EXPECT_EQ(size_field().maximum(), 72);
    EXPECT_EQ(m_panel->findChild<QLineEdit *>("FontComboEdit")->toolTip(), "font");
    EXPECT_EQ(font_field(), editor().font().family());
    EXPECT_EQ(size_field().value(), editor().font().pointSize());
}

TEST_F(RichPanel, StyleTogglesChangeTheSelectionAndTheTyping)
{
    editor().setPlainText("Dobrý den");
    select(0, 5);
    click("bbold");
    EXPECT_TRUE(format_at(0).font().bold());
    EXPECT_TRUE(format_at(4).font().bold());
    EXPECT_FALSE(format_at(6).font().bold());
    EXPECT_TRUE(editor().currentCharFormat().font().bold());
    EXPECT_TRUE(m_panel->dialog_font().bold());

    // Every click applies all three states: italic joins, bold stays.
    click("iital");
    EXPECT_TRUE(format_at(2).font().bold());
    EXPECT_TRUE(format_at(2).font().italic());

    click("bbold");
    click("iital");
    EXPECT_FALSE(format_at(2).font().bold());
    EXPECT_FALSE(format_at(2).font().italic());
    EXPECT_FALSE(m_panel->dialog_font().bold());

    // "B" twice with nothing selected: what is typed next is not bold.
    put_cursor_at_end();
    click("bbold");
    EXPECT_TRUE(editor().currentCharFormat().font().bold());
    click("bbold");
    type_text(editor(), "x");
    EXPECT_EQ(editor().toPlainText(), "Dobrý denx");
    EXPECT_FALSE(format_at(9).font().bold());

    click("uunder");
    type_text(editor(), "y");
    EXPECT_TRUE(format_at(10).font().underline());
    EXPECT_FALSE(format_at(9).font().underline());
}

TEST_F(RichPanel, SizeFieldAppliesFromEightUp)
{
    editor().setPlainText("Dobrý den");
    select(0, 5);
    const int start_size = size_field().value();

    type_size("7");
    EXPECT_EQ(size_field().value(), 7);
    EXPECT_EQ(format_at(0).font().resolve(editor().font()).pointSize(), start_size);
    EXPECT_EQ(editor().currentCharFormat().fontPointSize(), 0.0);
    EXPECT_EQ(m_panel->dialog_font().pointSize(), start_size);

    // On the way to 12 the field holds 1, which is passed over.
    type_size("12");
    EXPECT_EQ(format_at(0).fontPointSize(), 12.0);
    EXPECT_EQ(format_at(4).fontPointSize(), 12.0);
    EXPECT_EQ(format_at(6).fontPointSize(), 0.0);
    EXPECT_EQ(editor().currentCharFormat().fontPointSize(), 12.0);
    EXPECT_EQ(m_panel->dialog_font().pointSize(), 12);

    put_cursor_at_end();
    type_size("20");
    editor().setFocus();
    type_text(editor(), "!");
    EXPECT_EQ(format_at(9).fontPointSize(), 20.0);
    EXPECT_EQ(format_at(8).fontPointSize(), 0.0);
}

TEST_F(RichPanel, MovingThroughTheTextShowsItsFontWithoutChangingIt)
{
    QTextCursor cursor(&document());
    QTextCharFormat large;
    large.setFontFamilies({QStringLiteral("DejaVu Serif")});
    large.setFontPointSize(14);
    cursor.insertText("malé ");
    cursor.insertText("VELKÉ", large);
    document().setModified(false);

    select(1, 1);
    EXPECT_EQ(size_field().value(), 10);
    EXPECT_EQ(font_field(), "Arial");

    // From the small text into the large one: the fields follow, the small text stays small.
    select(1, 8);
    EXPECT_EQ(size_field().value(), 14);
    EXPECT_EQ(font_field(), "DejaVu Serif");
    EXPECT_EQ(m_panel->dialog_font().pointSize(), 14);
    EXPECT_EQ(format_at(1).fontPointSize(), 0.0);
    EXPECT_EQ(format_at(6).fontPointSize(), 14.0);
    EXPECT_FALSE(document().isModified());
}

TEST_F(RichPanel, FontDialogSetsNameAndSizeOfTheSelectionAndTheTyping)
{
    editor().setPlainText("Dobrý den");
    select(0, 5);
    auto *font_button = m_panel->findChild<QAction *>("FontComboEditButton");
    ASSERT_NE(font_button, nullptr);

    font_button->trigger();
    EXPECT_EQ(m_offered_font.family(), "Arial");
    EXPECT_EQ(format_at(0).fontPointSize(), 0.0);

    QFont chosen(QStringLiteral("DejaVu Serif"), 16);
    chosen.setBold(true);
    m_chosen_font = chosen;
    font_button->trigger();
    EXPECT_EQ(format_at(0).font().family(), "DejaVu Serif");
    EXPECT_EQ(format_at(4).fontPointSize(), 16.0);
    EXPECT_FALSE(format_at(4).font().bold());
    EXPECT_EQ(format_at(6).fontPointSize(), 0.0);
    EXPECT_EQ(editor().currentCharFormat().fontPointSize(), 16.0);
    EXPECT_EQ(font_field(), "DejaVu Serif");
    EXPECT_EQ(size_field().value(), 16);
}

TEST_F(RichPanel, AlignmentAndBulletsWorkOnTheCurrentParagraph)
{
    editor().setPlainText("první\ndruhý");
    select(1, 1);
    const std::pair<const char *, Qt::Alignment> alignments[] = {
        {"rright", Qt::AlignRight}, {"ccenter", Qt::AlignHCenter}, {"lleft", Qt::AlignLeft}};
    for (const auto &[button, alignment] : alignments) {
        click(button);
        EXPECT_EQ(document().begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                  alignment)
            << button;
    }

    click("bbulet");
    ASSERT_NE(document().begin().textList(), nullptr);
    EXPECT_EQ(document().begin().textList()->format().style(), QTextListFormat::ListDisc);
    EXPECT_EQ(document().begin().next().textList(), nullptr);
    click("bbulet");
    EXPECT_EQ(document().begin().textList(), nullptr);
    EXPECT_EQ(document().begin().blockFormat().indent(), 0);
}

TEST_F(RichPanel, QuotingPutsTheTextInGreyItalicsUnderASeparator)
{
    QTextCursor cursor(&document());
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.setBlockFormat(centred);
    cursor.createList(QTextListFormat::ListDisc);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText("Faktura 2026001", bold);
    cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    cursor.insertText("řádek dva");
    const QString original = editor().toPlainText();

    m_panel->mark_as_quoted();

    const QStringList lines = editor().toPlainText().split(u'\n');
    EXPECT_EQ(lines, QStringList(
                         {"", "----------------------------", "", "Faktura 2026001", "řádek dva"}));
    QTextBlock block = document().begin();
    for (int line = 0; line < 3; ++line, block = block.next()) {
        EXPECT_EQ(block.textList(), nullptr) << line;
        EXPECT_EQ(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        EXPECT_EQ(block.charFormat().fontPointSize(), 11.0) << line;
        EXPECT_EQ(block.charFormat().foreground().color(), QColor(Qt::black)) << line;
    }
    const QTextCharFormat separator = format_at(1);
    EXPECT_EQ(separator.fontPointSize(), 11.0);
    EXPECT_FALSE(separator.fontItalic());
    EXPECT_EQ(separator.fontWeight(), QFont::Normal);
    EXPECT_EQ(separator.foreground().color(), QColor(Qt::black));

    // The former text keeps its paragraphs and weight but is small, italic and grey.
    EXPECT_NE(block.textList(), nullptr);
    EXPECT_EQ(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    for (int position : {block.position(), block.position() + 16}) {
        const QTextCharFormat quoted = format_at(position);
        EXPECT_EQ(quoted.fontPointSize(), 8.0) << position;
        EXPECT_TRUE(quoted.fontItalic()) << position;
        EXPECT_EQ(quoted.foreground().color(), QColor(128, 128, 128)) << position;
    }
    EXPECT_TRUE(format_at(block.position()).font().bold());

    EXPECT_EQ(editor().textCursor().position(), 0);
    EXPECT_EQ(size_field().value(), 11);
    type_text(editor(), "Dobropis");
    const QTextCharFormat typed = format_at(0);
    EXPECT_EQ(typed.fontPointSize(), 11.0);
    EXPECT_FALSE(typed.fontItalic());
    EXPECT_EQ(typed.foreground().color(), QColor(Qt::black));

    // The quoting is one step back.
    editor().undo();
    editor().undo();
    EXPECT_EQ(editor().toPlainText(), original);
}

TEST_F(RichPanel, QuotingAnEmptyEditorChangesNothing)
{
    type_size("14");
    const QTextCharFormat typing = editor().currentCharFormat();
    m_panel->mark_as_quoted();
    EXPECT_TRUE(document().isEmpty());
    EXPECT_EQ(editor().currentCharFormat(), typing);
    EXPECT_EQ(size_field().value(), 14);
    EXPECT_FALSE(document().isUndoAvailable());
}

TEST_F(RichPanel, LoadTakesFormattedAndPlainTextFiles)
{
    struct Case {
        const char *name;
        QByteArray bytes;
        QString text;
        bool bold_start;
    };
    const Case cases[] = {
        {"vzor.rtf",
         "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0 Arial;}}\\f0\\fs20{\\b Dod\\'e1v\\'e1me:}\\par "
         "\\'9e\\'e1dn\\'fd \\'f8\\'e1dek\\par}",
         "Dodáváme:\nžádný řádek", true},
        {"utf8.txt", "Příliš žluťoučký\r\nkůň\r\n", "Příliš žluťoučký\nkůň\n", false},
        {"bom.txt", "\xEF\xBB\xBFÚpěl", "Úpěl", false},
        {"stary.txt", to_cp1250("Ďábelské ódy\r\nÚPĚL"), "Ďábelské ódy\nÚPĚL", false},
        // Content decides, not the name.
        {"rtf_v_txt.txt", "{\\rtf1\\ansi\\ansicpg1250 {\\b tu\\'e8n\\'e9}}", "tučné", true},
    };
    for (const Case &c : cases) {
        editor().setPlainText("původní text");
        document().setModified(false);
        m_chosen_file = write_file(QLatin1String(c.name), c.bytes);
        click("bload");
        EXPECT_EQ(editor().toPlainText(), c.text) << c.name;
        EXPECT_EQ(format_at(0).font().bold(), c.bold_start) << c.name;
        EXPECT_TRUE(document().isModified()) << c.name;
        // Loading over the wrong text can be taken back.
        editor().undo();
        EXPECT_EQ(editor().toPlainText(), "původní text") << c.name;
    }
    EXPECT_TRUE(m_messages.empty());
    ASSERT_FALSE(m_requests.empty());
    EXPECT_EQ(m_requests[0].mode, FileDialogRequest::Mode::Open);
    EXPECT_EQ(m_requests[0].filter, pattern_filter);
    EXPECT_EQ(m_requests[0].default_suffix, "rtf");
}

TEST_F(RichPanel, LoadOfAnEmptyPatternEmptiesTheEditor)
{
    editor().setPlainText("původní text");
    m_chosen_file = write_file("prazdny.rtf", "{\\rtf1\\ansi }");
    click("bload");
    EXPECT_TRUE(document().isEmpty());
}

TEST_F(RichPanel, LoadRefusedOrCancelledLeavesTheEditorAlone)
{
    editor().setPlainText("původní text");
    document().setModified(false);

    m_chosen_file.clear();
    click("bload");
    EXPECT_EQ(editor().toPlainText(), "původní text");
    EXPECT_TRUE(m_messages.empty());

    for (const auto &[name, bytes] : {std::pair{"binarni.txt", QByteArray("text\0s nulou", 12)},
                                      std::pair{"obrazek.jpg", QByteArray("tohle není JPEG")}}) {
        m_messages.clear();
        m_chosen_file = write_file(QLatin1String(name), bytes);
        click("bload");
        EXPECT_EQ(editor().toPlainText(), "původní text") << name;
        EXPECT_FALSE(document().isModified()) << name;
        ASSERT_EQ(m_messages.size(), 1u) << name;
        EXPECT_EQ(m_messages[0].title, "Chyba!");
        EXPECT_FALSE(m_messages[0].fatal);
    }
}

TEST_F(RichPanel, SaveWritesRtfThatReadsBack)
{
    QTextCursor cursor(&document());
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText("Platba ", bold);
    cursor.insertText("předem na účet.", QTextCharFormat());
    m_chosen_file = path("vzor.rtf");
    click("bsave");

    ASSERT_EQ(m_requests.size(), 1u);
    EXPECT_EQ(m_requests[0].mode, FileDialogRequest::Mode::Save);
    EXPECT_EQ(m_requests[0].filter, pattern_filter);
    EXPECT_EQ(m_requests[0].default_suffix, "rtf");
    QFile saved(m_chosen_file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray rtf = saved.readAll();
    EXPECT_TRUE(rtf.startsWith("{\\rtf1"));
    QTextDocument back;
    ASSERT_TRUE(read_rtf_into(back, rtf));
    EXPECT_EQ(back.toPlainText(), "Platba předem na účet.");
    QTextCursor start(&back);
    start.setPosition(1);
    EXPECT_TRUE(start.charFormat().font().bold());
    start.setPosition(9);
    EXPECT_FALSE(start.charFormat().font().bold());
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(RichPanel, SaveThatCannotWriteSaysSo)
{
    editor().setPlainText("text");
    m_chosen_file = path("neexistuje/vzor.rtf");
    click("bsave");
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].title, "Chyba");
    EXPECT_TRUE(m_messages[0].text.startsWith("Text nelze uložit do souboru "));
    EXPECT_FALSE(m_messages[0].fatal);
}

TEST_F(RichPanel, CzechTextSurvivesEditingStoringAndReading)
{
    const QString czech = QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy: "
                                         "áčďéěíňóřšťúůýž ÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ");
    editor().setFocus();
    type_text(editor(), czech);
    ASSERT_EQ(editor().toPlainText(), czech);
    select(0, 6);
    click("bbold");
    put_cursor_at_end();
    type_size("14");
    editor().setFocus();
    type_text(editor(), "ěščřžýáíé");

    const int document_id = 4711;
    ASSERT_TRUE(m_api->write_rtf(document_id, &document()));

    Tfr_rich reloaded;
    ASSERT_GT(m_api->read_rtf(document_id, reloaded.editor()->document()), 0);
    QTextDocument &back = *reloaded.editor()->document();
    EXPECT_EQ(back.toPlainText(), czech + "ěščřžýáíé");
    QTextCursor cursor(&back);
    cursor.setPosition(6);
    EXPECT_TRUE(cursor.charFormat().font().bold());
    cursor.setPosition(7);
    EXPECT_FALSE(cursor.charFormat().font().bold());
    cursor.movePosition(QTextCursor::End);
    EXPECT_EQ(cursor.charFormat().fontPointSize(), 14.0);
    EXPECT_TRUE(m_messages.empty());
}
