#include "widgets/dbdate_edit.h"

#include "data/memtable.h"
#include "data/tdatetime.h"

TDBDateEdit::TDBDateEdit(QWidget *parent)
    : TDateEdit(parent),
      TDataAware(
          this, [this] { show_value(); }, [this](bool editable) { setReadOnly(!editable); })
{
    connect(this, &TDateEdit::date_edited, this, &TDBDateEdit::date_typed);
    m_link.refresh();
}

void TDBDateEdit::show_value()
{
    const TField *bound = m_link.field();
    set_date(bound && !bound->is_null() ? date_from_days(bound->as_datetime()) : QDate());
}

void TDBDateEdit::date_typed(const QDate &date)
{
    const bool written = m_link.modify([&date](TField &field) {
        if (date.isValid())
            field.set_as_datetime(days_from_date(date));
        else
            field.clear();
    });
    if (written)
        emit edited();
    else
        show_value();
}
