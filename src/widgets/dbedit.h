#pragma once
// A one-line edit bound to a field.  While it has the focus it shows the value as it is
// typed; otherwise the field's display text (hooks, display formats).  A text field limits
// the length to the field's size; number fields take no letters.

#include "widgets/field_data_link.h"

#include <QLineEdit>

class TDBEdit : public QLineEdit, public TDataAware {
    Q_OBJECT

public:
    explicit TDBEdit(QWidget *parent = nullptr);

    void bind(TMemTable *table, const QString &field_name) override;

signals:
    // The user changed the text and the field holds it.
    void edited();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    // The text shown while the edit does not have the focus.
    virtual QString resting_text(const TField &field) const;
    void show_value();

private:
    void text_typed(const QString &text);
};
