#pragma once
// A number edit bound to a float or integer field.  Without the focus it shows the value in
// its display format ("### ### ##0.00 Kč"); with the focus the plain number with the
// process decimal separator, typed with either decimal mark.  An optional button at the
// right asks for a calculator.

#include "widgets/dbedit.h"

class QAction;

class TDBNumberEdit : public TDBEdit {
    Q_OBJECT

public:
    explicit TDBNumberEdit(QWidget *parent = nullptr);

    // Empty: the field's own display format.
    QString display_format() const { return m_display_format; }
    void set_display_format(const QString &format);

    void show_calculator_button(const QString &hint);
    QAction *calculator_action() const { return m_calculator; }

    // Writes a value as if the user had typed it (a calculator's result).
    void set_value(double value);

signals:
    void calculator_requested();

protected:
    void changeEvent(QEvent *event) override;
    QString resting_text(const TField &field) const override;

private:
    QString m_display_format;
    QAction *m_calculator = nullptr;
};
