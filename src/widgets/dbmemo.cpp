#include "widgets/dbmemo.h"

#include "data/memtable.h"

#include <QScopedValueRollback>
#include <QTextCursor>

TDBMemo::TDBMemo(QWidget *parent)
    : QPlainTextEdit(parent),
      TDataAware(
          this, [this] { show_value(); }, [this](bool editable) { show_editable(editable); })
{
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, &TDBMemo::text_changed);
    m_link.refresh();
}

QString TDBMemo::stored_text() const
{
    QString text = toPlainText();
    text.replace(u'\n', QLatin1String("\r\n"));
    return text;
}

void TDBMemo::show_value()
{
    QScopedValueRollback<bool> showing(m_showing, true);
    QString text = m_link.field() ? m_link.field()->as_string() : QString();
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    // The same text again would clear the document and lay it out anew, for every row a
    // window steps through.
    if (text != toPlainText())
        setPlainText(text);
}

void TDBMemo::show_editable(bool editable)
{
    // The call lays the document out again even when nothing changes.
    if (isReadOnly() == editable)
        setReadOnly(!editable);
}

void TDBMemo::drop_overflow(qsizetype excess)
{
    if (excess <= 0)
        return;
    // What does not fit is what was just typed or pasted: the text before the caret.
    const QString plain = toPlainText();
    QTextCursor cursor = textCursor();
    int start = cursor.position();
    while (excess > 0 && start > 0) {
        --start;
        excess -= plain.at(start) == u'\n' ? 2 : 1;
    }
    QScopedValueRollback<bool> trimming(m_showing, true);
    cursor.setPosition(start, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    setTextCursor(cursor);
}

void TDBMemo::text_changed()
{
    if (m_showing)
        return;
    const TField *bound = m_link.field();
    if (bound && bound->size() > 0)
        drop_overflow(stored_text().size() - bound->size());
    const QString text = stored_text();
    if (m_link.modify([&text](TField &field) { field.set_as_string(text); }))
        emit edited();
    else
        show_value();
}
