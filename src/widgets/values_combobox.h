#pragma once
// A drop-down list that keeps beside each shown text a value, as a rule a record id
// written as text.

#include <QComboBox>

class TValuesComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit TValuesComboBox(QWidget *parent = nullptr);

    void add_value(const QString &text, const QString &value);

    // One entry per row of the select: the row described on one line, valued by its RECID;
    // the first entry is selected.  The select runs as a scratch set named "X".
    void fill_values(const QString &select);
    // Selects the id that the row `id` of `table` holds in `column`; 0 when there is none.
    void select_by_lookup(int id, const QString &table, const QString &column);
    // The entry with the value; the first entry when no entry has it.
    void select_value(const QString &value);
    void select_value(int value) { select_value(QString::number(value)); }
    // The selected entry's value as a number: -1 when it is none or nothing is selected.
    int selected_value() const;
};
