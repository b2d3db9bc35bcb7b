#pragma once
// A date edit bound to a date field; clearing it stores null.

#include "widgets/date_edit.h"
#include "widgets/field_data_link.h"

class TDBDateEdit : public TDateEdit, public TDataAware {
    Q_OBJECT

public:
    explicit TDBDateEdit(QWidget *parent = nullptr);

signals:
    void edited();

private:
    void show_value();
    void date_typed(const QDate &date);
};
