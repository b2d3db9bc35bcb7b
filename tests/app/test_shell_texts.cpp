#include "widgets/localize.h"
#include "app/status_hint.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <gtest/gtest.h>

TEST(StatusHint, CaptionAndKeysSplitAtTheFirstBar)
{
    struct Case {
        QString text, window, keys;
    };
    const Case cases[] = {
        {"Partneři|F2 - nový, Del - výmaz", "Partneři", "F2 - nový, Del - výmaz"},
        {"A|b|c", "A", "b|c"},
        {"|jen klávesy", "", "|jen klávesy"},
        {"bez oddělovače", "", "bez oddělovače"},
        {"Okno|", "Okno", ""},
    };
    for (const Case &c : cases) {
        const StatusHint hint = split_status_hint(c.text);
        EXPECT_EQ(hint.window, c.window) << c.text.toStdString();
        EXPECT_EQ(hint.keys, c.keys) << c.text.toStdString();
    }
}

TEST(TranslateText, TrimsAndExplainsUniqueFailuresOfTheLibrary)
{
    QObject owner;
    EXPECT_EQ(translate_text(&owner, QStringLiteral("  Uložit ")), "Uložit");
    EXPECT_EQ(translate_text(&owner, QStringLiteral("UNIQUE constraint failed")),
              "UNIQUE constraint failed");
    EXPECT_EQ(translate_text(nullptr, QStringLiteral(" unique constraint failed: PAR.PARTNER_NO")),
              "Číslo partnera, produktu, nebo kód měny, musí být originální. To, které jste "
              "zadali, je již použito.");
}

TEST(LocalizeComponent, CommandsWithoutHintTakeTheirCaption)
{
    QMainWindow window;
    window.setWindowTitle(QStringLiteral(" Okno "));
    auto *command = new QAction(QStringLiteral(" Uložit "), &window);
    auto *menu = new QMenu(QStringLiteral("Soubor"), &window);
    QAction *item = menu->addAction(QStringLiteral("Konec "));

    localize_component(&window);

    EXPECT_EQ(window.windowTitle(), "Okno");
    EXPECT_EQ(command->text(), "Uložit");
    EXPECT_EQ(command->statusTip(), "Uložit");
    EXPECT_EQ(item->text(), "Konec");
    EXPECT_TRUE(item->statusTip().isEmpty()) << "a menu item keeps an empty hint";
}
