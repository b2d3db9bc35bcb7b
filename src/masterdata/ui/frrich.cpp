#include "masterdata/ui/frrich.h"

#include "widgets/image_list16.h"
#include "widgets/localize.h"
#include "text/cp1250.h"
#include "data/db_api.h"
#include "data/messages.h"
#include "data/rtf_reader.h"
#include "data/rtf_writer.h"
#include "widgets/system_dialogs.h"

#include <QAction>
#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QSaveFile>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QTextList>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString strip_title = QStringLiteral("   Text, obsah dokladu");
const QString text_filter = QStringLiteral(
    "formátovaný text (*.rtf)|*.rtf|prostý text (*.txt)|*.txt|libovolný soubor (*.*)|*.*");
const QString text_suffix = QStringLiteral("rtf");
const QString separator_line = QString(28, u'-');

// Typing "12" passes through "1"; sizes below this one are taken for such steps.
const int smallest_applied_size = 8;
const int largest_size = 72;
const int quoted_size = 8;
const int size_after_quote = 11;
const QColor quoted_colour(128, 128, 128);

enum class Glyph { AlignLeft, AlignRight, AlignCenter, Bullets };

QIcon glyph_icon(Glyph glyph)
{
    QPixmap pixmap(ImageList16::size, ImageList16::size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QColor(60, 60, 70));
    const int lengths[] = {12, 8, 12, 6};
    for (int line = 0; line < 4; ++line) {
        const int y = 3 + line * 3;
        int length = lengths[line];
        int x = 2;
        switch (glyph) {
        case Glyph::AlignLeft:
            break;
        case Glyph::AlignRight:
            x = 14 - length;
            break;
        case Glyph::AlignCenter:
            x = 8 - length / 2;
            break;
        case Glyph::Bullets:
            painter.fillRect(2, y - 1, 2, 2, QColor(40, 90, 190));
            x = 6;
            length = 8;
            break;
        }
        painter.drawLine(x, y, x + length - 1, y);
    }
    return QIcon(pixmap);
}

// Text files of older programs are in Windows-1250; a file with a byte-order mark or one
// that is valid UTF-8 is read as such.
QString plain_text_of(const QByteArray &bytes)
{
    if (const std::optional<QStringConverter::Encoding> marked =
            QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*marked);
        return decoder(bytes);
    }
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8(bytes);
    return utf8.hasError() ? from_cp1250(bytes) : text;
}

void read_text_file(QTextDocument &document, const QByteArray &bytes)
{
    if (read_rtf_into(document, bytes))
        return;
    QString text = plain_text_of(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    document.setPlainText(text);
}

// One undoable step, so that a pattern loaded by mistake does not cost the text typed.
void replace_content(QTextEdit &editor, const QTextDocument &loaded)
{
    QTextCursor cursor(editor.document());
    cursor.select(QTextCursor::Document);
    if (loaded.isEmpty())
        cursor.removeSelectedText();
    else
        cursor.insertFragment(QTextDocumentFragment(&loaded));
    editor.moveCursor(QTextCursor::Start);
}

QTextCharFormat quoted_format()
{
    QTextCharFormat format;
    format.setFontPointSize(quoted_size);
    format.setFontItalic(true);
    format.setForeground(quoted_colour);
    return format;
}

// 11-point regular black in the family of the text it stands above.
QTextCharFormat format_after_quote(QTextCharFormat format)
{
    format.setFontPointSize(size_after_quote);
    format.setFontWeight(QFont::Normal);
    format.setFontItalic(false);
    format.setFontUnderline(false);
    format.setFontStrikeOut(false);
    format.setForeground(QColor(Qt::black));
    return format;
}

void make_plain_paragraph(QTextBlock block, const QTextCharFormat &format)
{
    if (QTextList *list = block.textList())
        list->remove(block);
    QTextCursor cursor(block);
    cursor.setBlockFormat(QTextBlockFormat());
    cursor.setBlockCharFormat(format);
}

} // namespace

// The title keeps its leading spaces, which indent it; the interface-text pass trims the
// texts of labels, so the strip draws its title itself.
class Tfr_rich::Caption : public QWidget {
public:
    Caption(const QString &text, QWidget *parent) : QWidget(parent), m_text(text)
    {
        QFont bold = font();
        bold.setBold(true);
        setFont(bold);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    }

    const QString &text() const { return m_text; }

    QSize sizeHint() const override
    {
        const QFontMetrics metrics(font());
        return QSize(metrics.horizontalAdvance(m_text) + 16, metrics.height());
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter, m_text);
    }

private:
    QString m_text;
};

Tfr_rich::Tfr_rich(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frRich"));
    build();
    localize_component(this);
    selection_changed();
}

QString Tfr_rich::title() const
{
    return m_caption->text();
}

void Tfr_rich::build()
{
    m_editor = new QTextEdit(this);
    m_editor->setObjectName(QStringLiteral("RichEdit"));
    m_editor->setAcceptRichText(true);
    // Set on the editor, so that a window changing its own font leaves the text's alone.
    m_editor->setFont(QFont(QStringLiteral("Arial"), 10));
    connect(m_editor, &QTextEdit::cursorPositionChanged, this, &Tfr_rich::selection_changed);
    connect(m_editor, &QTextEdit::selectionChanged, this, &Tfr_rich::selection_changed);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(build_toolbar());
    layout->addWidget(m_editor, 1);
}

QToolButton *Tfr_rich::add_button(QWidget *toolbar, const char *name, const QString &hint)
{
    auto *button = new QToolButton(toolbar);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(hint);
    button->setAutoRaise(true);
    button->setFixedSize(24, 22);
    toolbar->layout()->addWidget(button);
    return button;
}

QWidget *Tfr_rich::build_toolbar()
{
    auto *strip = new QFrame(this);
    strip->setObjectName(QStringLiteral("pnlToolbar"));
    strip->setFrameShape(QFrame::StyledPanel);
    auto *row = new QHBoxLayout(strip);
    row->setContentsMargins(0, 2, 4, 2);
    row->setSpacing(1);
    m_caption = new Caption(strip_title, strip);
    row->addWidget(m_caption);

    const auto style_toggle = [&](const char *name, const QString &caption, const QString &hint,
                                  void (QFont::*set_style)(bool)) {
        QToolButton *button = add_button(strip, name, hint);
        button->setText(caption);
        QFont look = button->font();
        (look.*set_style)(true);
        button->setFont(look);
        button->setCheckable(true);
        connect(button, &QToolButton::clicked, this, &Tfr_rich::style_toggled);
        return button;
    };
    m_bold =
        style_toggle("bbold", QStringLiteral("B"), QStringLiteral("tučné písmo"), &QFont::setBold);
    m_italic =
        style_toggle("iital", QStringLiteral("/"), QStringLiteral("kurzíva"), &QFont::setItalic);
    m_underline = style_toggle("uunder", QStringLiteral("u"), QStringLiteral("podtržené písmo"),
                               &QFont::setUnderline);
    row->addSpacing(6);

    const auto command = [&](const char *name, const QString &hint, const QIcon &icon,
                             auto action) {
        QToolButton *button = add_button(strip, name, hint);
        button->setIcon(icon);
        connect(button, &QToolButton::clicked, this, action);
    };
    command("lleft", QStringLiteral("zarovnání vlevo"), glyph_icon(Glyph::AlignLeft),
            [this] { align(Qt::AlignLeft); });
    command("rright", QStringLiteral("zarovnání vpravo"), glyph_icon(Glyph::AlignRight),
            [this] { align(Qt::AlignRight); });
    command("ccenter", QStringLiteral("zarovnání na střed"), glyph_icon(Glyph::AlignCenter),
            [this] { align(Qt::AlignHCenter); });
    command("bbulet", QStringLiteral("Odrážky"), glyph_icon(Glyph::Bullets),
            [this] { switch_bullets(); });
    row->addSpacing(6);
    command("bload", QStringLiteral("načti ze vzoru"), ImageList16::icon(13),
            [this] { load_from_file(); });
    command("bsave", QStringLiteral("ulož jako vzor"), ImageList16::icon(6),
            [this] { save_to_file(); });
    row->addSpacing(6);

    m_size = new QSpinBox(strip);
    m_size->setObjectName(QStringLiteral("ComboSize"));
    m_size->setToolTip(QStringLiteral("velikost písma"));
    m_size->setRange(1, largest_size);
    m_size->setFixedWidth(52);
    connect(m_size, &QSpinBox::valueChanged, this, &Tfr_rich::size_changed);
    row->addWidget(m_size);
    row->addSpacing(2);

    m_font_name = new QLineEdit(strip);
    m_font_name->setObjectName(QStringLiteral("FontComboEdit"));
    m_font_name->setToolTip(QStringLiteral("font"));
    m_font_name->setReadOnly(true);
    m_font_name->setFixedWidth(170);
    QAction *font_button =
        m_font_name->addAction(ImageList16::icon(3), QLineEdit::TrailingPosition);
    font_button->setObjectName(QStringLiteral("FontComboEditButton"));
    font_button->setToolTip(QStringLiteral("font"));
    connect(font_button, &QAction::triggered, this, &Tfr_rich::choose_dialog_font);
    row->addWidget(m_font_name);
    row->addStretch(1);
    return strip;
}

QFont Tfr_rich::default_font() const
{
    return m_editor->currentCharFormat().font().resolve(m_editor->document()->defaultFont());
}

void Tfr_rich::apply(const QTextCharFormat &format)
{
    // With text selected Qt gives it the format, and typing over it continues in it;
    // without, the format is what typing gets.
    m_editor->mergeCurrentCharFormat(format);
}

void Tfr_rich::style_toggled()
{
    QTextCharFormat style;
    style.setFontWeight(m_bold->isChecked() ? QFont::Bold : QFont::Normal);
    style.setFontItalic(m_italic->isChecked());
    style.setFontUnderline(m_underline->isChecked());
    apply(style);
    const QFont typing = default_font();
    m_dialog_font.setBold(typing.bold());
    m_dialog_font.setItalic(typing.italic());
    m_dialog_font.setUnderline(typing.underline());
}

void Tfr_rich::align(Qt::Alignment alignment)
{
    m_editor->setAlignment(alignment);
}

void Tfr_rich::switch_bullets()
{
    QTextCursor cursor = m_editor->textCursor();
    cursor.beginEditBlock();
    if (cursor.currentList()) {
        QTextDocument *document = m_editor->document();
        const QTextBlock last = document->findBlock(cursor.selectionEnd());
        for (QTextBlock block = document->findBlock(cursor.selectionStart()); block.isValid();
             block = block.next()) {
            if (QTextList *list = block.textList()) {
                list->remove(block);
                QTextBlockFormat unindented;
                unindented.setIndent(0);
                QTextCursor(block).mergeBlockFormat(unindented);
            }
            if (block == last)
                break;
        }
    } else {
        cursor.createList(QTextListFormat::ListDisc);
    }
    cursor.endEditBlock();
}

void Tfr_rich::size_changed(int size)
{
    if (size < smallest_applied_size)
        return;
    m_dialog_font.setPointSize(size);
    QTextCharFormat format;
    format.setFontPointSize(size);
    apply(format);
}

void Tfr_rich::selection_changed()
{
    const QFont typing = default_font();
    m_dialog_font.setFamilies(typing.families());
    m_dialog_font.setPointSizeF(typing.pointSizeF());
    refresh_font_fields();
}

void Tfr_rich::refresh_font_fields()
{
    m_font_name->setText(m_dialog_font.family());
    // Showing a size is no request to apply it.
    const QSignalBlocker quiet(m_size);
    m_size->setValue(qRound(m_dialog_font.pointSizeF()));
}

void Tfr_rich::choose_dialog_font()
{
    QFont chosen = m_dialog_font;
    if (!choose_font(chosen, this))
        return;
    m_dialog_font = chosen;
    QTextCharFormat format;
    format.setFontFamilies({chosen.family()});
    format.setFontPointSize(chosen.pointSizeF());
    apply(format);
    refresh_font_fields();
}

void Tfr_rich::load_from_file()
{
    const QString file =
        choose_file(this, {FileDialogRequest::Mode::Open, QStringLiteral("Načíst text ze vzoru"),
                           text_filter, text_suffix, {}});
    if (file.isEmpty() || !dbAPI || !dbAPI->blob_file_ok(file))
        return;
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        show_message(QStringLiteral("Chyba"),
                     QStringLiteral("Soubor ") + file + QStringLiteral(" nelze přečíst: ") +
                         in.errorString(),
                     mbIconError);
        return;
    }
    QTextDocument loaded;
    loaded.setDefaultFont(m_editor->document()->defaultFont());
    read_text_file(loaded, in.readAll());
    replace_content(*m_editor, loaded);
}

void Tfr_rich::save_to_file()
{
    const QString file =
        choose_file(this, {FileDialogRequest::Mode::Save, QStringLiteral("Uložit text jako vzor"),
                           text_filter, text_suffix, {}});
    if (file.isEmpty())
        return;
    // Written aside and then put in place, so that a failed save leaves the old file whole.
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(rtf_from_document(*m_editor->document())) < 0 || !out.commit()) {
        show_message(QStringLiteral("Chyba"),
                     QStringLiteral("Text nelze uložit do souboru ") + file + QStringLiteral(": ") +
                         out.errorString(),
                     mbIconError);
    }
}

void Tfr_rich::mark_as_quoted()
{
    QTextDocument *document = m_editor->document();
    if (document->isEmpty())
        return;
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.mergeCharFormat(quoted_format());

    cursor.setPosition(0);
    const QTextCharFormat plain = format_after_quote(cursor.charFormat());
    cursor.insertText(QStringLiteral("\n") + separator_line + QStringLiteral("\n\n"), plain);
    // The new lines took the first paragraph's alignment and list; they stand on their own.
    QTextBlock block = document->begin();
    for (int line = 0; line < 3; ++line, block = block.next())
        make_plain_paragraph(block, plain);
    cursor.endEditBlock();

    QTextCursor top(document);
    m_editor->setTextCursor(top);
    m_editor->setCurrentCharFormat(plain);
    selection_changed();
}
