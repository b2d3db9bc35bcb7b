#pragma once
// A check box bound to a yes/no field: ticked for "T", "F" written when the user clears it.
// A null field shows unticked.

#include "widgets/field_data_link.h"

#include <QCheckBox>

class TDBCheckBox : public QCheckBox, public TDataAware {
    Q_OBJECT

public:
    explicit TDBCheckBox(QWidget *parent = nullptr);

signals:
    void edited();

private:
    void set_editable(bool editable);
    void show_value();
    void user_clicked(bool checked);
};
