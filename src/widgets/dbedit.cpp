#include "widgets/dbedit.h"

#include "data/memtable.h"
#include "widgets/field_text.h"

#include <QFocusEvent>
#include <QValidator>

TDBEdit::TDBEdit(QWidget *parent)
    : QLineEdit(parent),
      TDataAware(
          this, [this] { show_value(); }, [this](bool editable) { setReadOnly(!editable); })
{
    connect(this, &QLineEdit::textEdited, this, &TDBEdit::text_typed);
    m_link.refresh();
}

void TDBEdit::bind(TMemTable *table, const QString &field_name)
{
    m_link.bind(table, field_name);
    const TField *bound = m_link.field();
    setMaxLength(bound && bound->type() == FieldType::Text && bound->size() > 0 ? bound->size()
                                                                                : 32767);
    delete validator();
    setValidator(bound ? number_validator(*bound, this) : nullptr);
    setAlignment(bound ? bound->alignment : Qt::AlignLeft | Qt::AlignVCenter);
    m_link.refresh();
}

void TDBEdit::show_value()
{
    const TField *bound = m_link.field();
    const QString shown = !bound       ? QString()
                          : hasFocus() ? bound->as_string()
                                       : resting_text(*bound);
    // Laying the text out again is most of what moving through a set costs a form, and a
    // reloaded set announces itself twice.
    if (shown != text())
        setText(shown);
}

QString TDBEdit::resting_text(const TField &field) const
{
    return field.display_text();
}

void TDBEdit::text_typed(const QString &text)
{
    if (m_link.modify([&text](TField &bound) { write_typed_text(bound, text); }))
        emit edited();
    else
        show_value();
}

void TDBEdit::focusInEvent(QFocusEvent *event)
{
    if (event->reason() != Qt::PopupFocusReason)
        show_value();
    QLineEdit::focusInEvent(event);
}

void TDBEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason)
        show_value();
}
