#include "widgets/system_dialogs.h"

#include <gtest/gtest.h>

TEST(QtNameFilters, ProgramFiltersBecomeQtFilters)
{
    struct Case {
        QString filter;
        QStringList expected;
    };
    const Case cases[] = {
        {"formátovaný text (*.rtf)|*.rtf|prostý text (*.txt)|*.txt|libovolný soubor (*.*)|*.*",
         {"formátovaný text (*.rtf)", "prostý text (*.txt)", "libovolný soubor (*)"}},
        {"obrázky (*.jpg)|*.jpg", {"obrázky (*.jpg)"}},
        {"obrázky JPEG|*.jpg;*.jpeg", {"obrázky JPEG (*.jpg *.jpeg)"}},
        {"", {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(qt_name_filters(c.filter), c.expected) << qPrintable(c.filter);
}
