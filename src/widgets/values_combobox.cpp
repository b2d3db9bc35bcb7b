#include "widgets/values_combobox.h"

#include "data/db_api.h"
#include "data/describe_row.h"

#include <memory>

namespace {

struct FreeSet {
    void operator()(TMemTable *set) const { dbAPI->free_set(set); }
};
using ScratchSet = std::unique_ptr<TMemTable, FreeSet>;

ScratchSet select_scratch(const QString &select)
{
    return ScratchSet(dbAPI ? dbAPI->select_sql(QStringLiteral("X"), select) : nullptr);
}

} // namespace

TValuesComboBox::TValuesComboBox(QWidget *parent) : QComboBox(parent) {}

void TValuesComboBox::add_value(const QString &text, const QString &value)
{
    addItem(text, value);
}

void TValuesComboBox::fill_values(const QString &select)
{
    const ScratchSet rows = select_scratch(select);
    clear();
    if (!rows)
        return;
    const TField *recid = rows->find_field(QStringLiteral("RECID"));
    for (rows->first(); !rows->eof(); rows->next())
        add_value(describe_row(*rows), recid ? recid->as_string() : QString());
    if (count() > 0)
        select_value(itemData(0).toString());
}

void TValuesComboBox::select_by_lookup(int id, const QString &table, const QString &column)
{
    const ScratchSet row =
        select_scratch(QStringLiteral("SELECT RECID, ") + column + QStringLiteral(" FROM ") +
                       table + QStringLiteral(" WHERE RECID=") + QString::number(id));
    if (!row || row->is_empty() || row->field_count() < 2)
        select_value(0);
    else
        select_value(row->field(1).as_string());
}

void TValuesComboBox::select_value(const QString &value)
{
    const int found = findData(value);
    if (found >= 0)
        setCurrentIndex(found);
    else if (count() > 0)
        setCurrentIndex(0);
}

int TValuesComboBox::selected_value() const
{
    if (currentIndex() < 0)
        return -1;
    bool ok = false;
    const int value = currentData().toString().toInt(&ok);
    return ok ? value : -1;
}
