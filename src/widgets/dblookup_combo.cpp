#include "widgets/dblookup_combo.h"

#include "data/memtable.h"

#include <QtDebug>

TDBLookupCombo::TDBLookupCombo(QWidget *parent)
    : QComboBox(parent),
      TDataAware(
          this, [this] { show_value(); }, [this](bool editable) { m_editable = editable; })
{
    setMaxVisibleItems(8);
    connect(this, &QComboBox::activated, this, &TDBLookupCombo::chosen);
    m_link.refresh();
}

void TDBLookupCombo::set_lookup(TMemTable *lookup, const QString &list_field,
                                const QString &key_field)
{
    if (m_lookup)
        disconnect(m_lookup, nullptr, this, nullptr);
    m_lookup = lookup;
    m_list_field = list_field;
    m_key_field = key_field;
    if (lookup) {
        connect(lookup, &TMemTable::layout_changed, this, &TDBLookupCombo::fill);
        connect(lookup, &TMemTable::row_changed, this, &TDBLookupCombo::fill);
        connect(lookup, &QObject::destroyed, this, &TDBLookupCombo::fill);
    }
    fill();
}

void TDBLookupCombo::fill()
{
    const QSignalBlocker quiet(this);
    clear();
    const TField *shown = m_lookup ? m_lookup->find_field(m_list_field) : nullptr;
    const TField *key = m_lookup ? m_lookup->find_field(m_key_field) : nullptr;
    if (m_lookup && (!shown || !key)) {
        qWarning("TDBLookupCombo: set %s lacks column %s or %s", qUtf8Printable(m_lookup->name),
                 qUtf8Printable(m_list_field), qUtf8Printable(m_key_field));
        return;
    }
    if (m_lookup && m_lookup->active())
        for (int row = 0; row < m_lookup->record_count(); ++row)
            addItem(m_lookup->cell_display_text(row, shown->index()),
                    m_lookup->cell_value(row, key->index()));
    show_value();
}

void TDBLookupCombo::show_value()
{
    const TField *bound = m_link.field();
    const QSignalBlocker quiet(this);
    setCurrentIndex(bound && !bound->is_null() ? findData(bound->as_integer()) : -1);
}

void TDBLookupCombo::chosen(int item)
{
    const QVariant key = itemData(item);
    if (m_link.modify([&key](TField &field) { field.set_as_integer(key.toInt()); }))
        emit edited();
    else
        show_value();
}

void TDBLookupCombo::showPopup()
{
    if (m_editable)
        QComboBox::showPopup();
}
