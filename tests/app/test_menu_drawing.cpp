#include "widgets/image_list16.h"
#include "app/menu_drawing.h"

#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

QImage drawn(const MenuItemLook &item, const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    draw_menu_item(painter, QRect(QPoint(0, 0), size), item, QApplication::palette());
    return image;
}

} // namespace

TEST(MenuDrawing, SelectedItemFillsTheBandRightOfTheMargin)
{
    MenuItemLook item;
    item.caption = QStringLiteral("&Daňová evidence");
    item.hint = QStringLiteral("Peněžní deník.");
    item.icon = ImageList16::icon(24);
    item.selected = true;
    const QImage image = drawn(item, {menu_item_width, menu_item_height});
    const QColor highlight = QApplication::palette().color(QPalette::Active, QPalette::Highlight);

    EXPECT_EQ(image.pixelColor(10, 16), QColor(219, 224, 232)) << "margin";
    EXPECT_EQ(image.pixelColor(menu_margin_width - 1, 16), QColor(143, 158, 184)) << "border";
    EXPECT_EQ(image.pixelColor(menu_item_width - 2, 2), highlight);
    EXPECT_NE(image.pixelColor(menu_margin_width + 12, 16), highlight) << "the image";

    item.selected = false;
    const QImage plain = drawn(item, {menu_item_width, menu_item_height});
    EXPECT_EQ(plain.pixelColor(menu_item_width - 2, 2),
              QApplication::palette().color(QPalette::Active, QPalette::Button));
}

TEST(MenuDrawing, SeparatorIsALineAtMidHeight)
{
    MenuItemLook separator;
    separator.separator = true;
    const QImage image = drawn(separator, {menu_item_width, menu_separator_height});
    const int middle = menu_separator_height / 2;
    EXPECT_EQ(image.pixelColor(150, middle), QColor(143, 158, 184));
    EXPECT_NE(image.pixelColor(150, middle - 3), QColor(143, 158, 184));
}

TEST(MenuDrawing, AttachedMenusMeasureTheirItems)
{
    QMenu menu;
    menu.addAction(QStringLiteral("Adresář, obchodní partneři"))->setStatusTip(QStringLiteral("x"));
    menu.addSeparator();
    QMenu *sub = menu.addMenu(QStringLiteral("Faktury vydané"));
    sub->addAction(QStringLiteral("Kniha vydaných faktur"));
    attach_menu_drawing(&menu);

    const QList<QAction *> actions = menu.actions();
    EXPECT_EQ(menu.actionGeometry(actions[0]).size(), QSize(menu_item_width, menu_item_height));
    EXPECT_EQ(menu.actionGeometry(actions[1]).height(), menu_separator_height);
    EXPECT_EQ(sub->actionGeometry(sub->actions()[0]).height(), menu_item_height);
}
