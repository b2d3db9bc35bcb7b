#include "widgets/label_helpers.h"

#include "data/memtable.h"
#include "widgets/dbcheckbox.h"
#include "widgets/field_data_link.h"

#include <QLabel>

void label_from_field(QLabel &label)
{
    if (const TField *field = bound_field(label.buddy()))
        label.setText(field->display_label);
}

void check_caption_from_field(TDBCheckBox &check_box)
{
    if (const TField *field = check_box.field())
        check_box.setText(field->display_label);
}

void label_with_colon(QLabel &label, const QWidget &control)
{
    if (const TField *field = bound_field(&control))
        label.setText(field->display_label + u':');
}
