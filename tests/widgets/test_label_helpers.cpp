#include "data/memtable.h"
#include "widgets/dbcheckbox.h"
#include "widgets/dbdate_edit.h"
#include "widgets/dbedit.h"
#include "widgets/label_helpers.h"

#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

TEST(LabelHelpers, CaptionsComeFromTheBoundFieldsDisplayLabels)
{
    TMemTable set;
    set.add_field("ICO", FieldType::Text, 16).display_label = QStringLiteral("IČO");
    set.add_field("IS_VAT", FieldType::Text, 1).display_label = QStringLiteral("Plátce DPH");
    set.add_field("DATE_D", FieldType::DateTime).display_label = QStringLiteral("Datum");
    set.open();

    QWidget window;
    TDBEdit ico(&window);
    ico.bind(&set, QStringLiteral("ico"));
    TDBDateEdit date(&window);
    date.bind(&set, QStringLiteral("DATE_D"));
    TDBCheckBox vat(&window);
    vat.bind(&set, QStringLiteral("IS_VAT"));
    QLineEdit plain(&window);

    QLabel ico_label(QStringLiteral("?"), &window);
    ico_label.setBuddy(&ico);
    label_from_field(ico_label);
    EXPECT_EQ(ico_label.text(), "IČO");

    QLabel date_label(&window);
    date_label.setBuddy(&date);
    label_from_field(date_label);
    EXPECT_EQ(date_label.text(), "Datum");

    check_caption_from_field(vat);
    EXPECT_EQ(vat.text(), "Plátce DPH");

    QLabel colon(&window);
    label_with_colon(colon, ico);
    EXPECT_EQ(colon.text(), "IČO:");

    // A control bound to nothing leaves the caption as the window made it.
    QLabel unbound(QStringLiteral("Poznámka"), &window);
    unbound.setBuddy(&plain);
    label_from_field(unbound);
    label_with_colon(unbound, plain);
    EXPECT_EQ(unbound.text(), "Poznámka");
    QLabel no_buddy(QStringLiteral("Text"), &window);
    label_from_field(no_buddy);
    EXPECT_EQ(no_buddy.text(), "Text");
}
