#pragma once
// The rich-text panel: a strip with its title and a small toolbar above a formatted-text
// editor.  The document editor embeds it for the document's free text, which it reads into
// and stores from editor()->document() (read_rtf, write_rtf).
//
// The editor keeps two sets of character attributes: those of the selection and the
// default ones that newly typed text gets.  The toolbar changes both and shows the default
// ones; its three style toggles keep states of their own, which are applied together
// whenever one of them is clicked.

#include <QFont>
#include <QWidget>

class QLineEdit;
class QSpinBox;
class QTextCharFormat;
class QTextEdit;
class QToolButton;

class Tfr_rich : public QWidget {
    Q_OBJECT

public:
    explicit Tfr_rich(QWidget *parent = nullptr);

    QTextEdit *editor() const { return m_editor; }
    // The strip's title, as shown.
    QString title() const;

    // Shows the font dialog's current font name and size in the toolbar.
    void refresh_font_fields();
    // Turns the text into small grey italics under an empty line, a separator line and
    // another empty line, for a credit note taking over its invoice's text; typing goes on
    // in 11-point regular black.  An empty editor stays as it is.
    void mark_as_quoted();

    // The font the font dialog starts from.
    const QFont &dialog_font() const { return m_dialog_font; }

private:
    class Caption;

    void build();
    QWidget *build_toolbar();
    QToolButton *add_button(QWidget *toolbar, const char *name, const QString &hint);

    void style_toggled();
    void align(Qt::Alignment alignment);
    void switch_bullets();
    void size_changed(int size);
    void selection_changed();
    void choose_dialog_font();
    void load_from_file();
    void save_to_file();

    // Gives the selection and the default attributes the properties set in the format.
    void apply(const QTextCharFormat &format);
    // The default attributes with the editor's font filling in what they leave open.
    QFont default_font() const;

    Caption *m_caption = nullptr;
    QTextEdit *m_editor = nullptr;
    QToolButton *m_bold = nullptr;
    QToolButton *m_italic = nullptr;
    QToolButton *m_underline = nullptr;
    QSpinBox *m_size = nullptr;
    QLineEdit *m_font_name = nullptr;
    QFont m_dialog_font;
};
