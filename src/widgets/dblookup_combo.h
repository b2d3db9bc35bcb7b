#pragma once
// A drop-down bound to a reference field (ID_...): it lists one column of a lookup set and
// stores the chosen row's key (RECID unless told otherwise) into the field.  A value that
// no lookup row has shows nothing.  The list follows the lookup set when rows are added to
// it (a new partner type added from the editor appears at once).

#include "widgets/field_data_link.h"

#include <QComboBox>
#include <QPointer>

class TDBLookupCombo : public QComboBox, public TDataAware {
    Q_OBJECT

public:
    explicit TDBLookupCombo(QWidget *parent = nullptr);

    void set_lookup(TMemTable *lookup, const QString &list_field,
                    const QString &key_field = QStringLiteral("RECID"));

    void showPopup() override;

signals:
    void edited();

private:
    void fill();
    void show_value();
    void chosen(int item);

    QPointer<TMemTable> m_lookup;
    QString m_list_field;
    QString m_key_field;
    bool m_editable = false;
};
