#include "app/menu_drawing.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

namespace {

const QColor margin_color(219, 224, 232);
const QColor line_color(143, 158, 184);
const int image_size = 16;
const int text_indent = 6;

QFont arial(int points, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

// The caption of an item: without the shortcut column and without its first "&".
QString menu_caption(const QString &text)
{
    QString caption = text.section(u'\t', 0, 0);
    const qsizetype ampersand = caption.indexOf(u'&');
    if (ampersand >= 0)
        caption.remove(ampersand, 1);
    return caption;
}

class MenuItemStyle : public QProxyStyle {
public:
    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                           const QWidget *widget) const override
    {
        if (type == CT_MenuItem) {
            const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
            const bool separator = item && item->menuItemType == QStyleOptionMenuItem::Separator;
            return {menu_item_width, separator ? menu_separator_height : menu_item_height};
        }
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    }

    int pixelMetric(PixelMetric metric, const QStyleOption *option,
                    const QWidget *widget) const override
    {
        if (metric == PM_MenuHMargin || metric == PM_MenuVMargin)
            return 0;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
        if (element != CE_MenuItem || !item) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        MenuItemLook look;
        look.separator = item->menuItemType == QStyleOptionMenuItem::Separator;
        look.caption = menu_caption(item->text);
        look.icon = item->icon;
        look.selected = item->state & State_Selected;
        look.enabled = item->state & State_Enabled;
        look.has_submenu = item->menuItemType == QStyleOptionMenuItem::SubMenu;
        if (const auto *menu = qobject_cast<const QMenu *>(widget)) {
            if (const QAction *action = menu->actionAt(item->rect.center()))
                look.hint = action->statusTip();
        }
        painter->save();
        draw_menu_item(*painter, item->rect, look, item->palette);
        painter->restore();
    }
};

} // namespace

void draw_menu_item(QPainter &painter, const QRect &rect, const MenuItemLook &item,
                    const QPalette &palette)
{
    painter.fillRect(rect, palette.color(QPalette::Active, QPalette::Button));
    const QRect margin(rect.left(), rect.top(), menu_margin_width, rect.height());
    painter.fillRect(margin, margin_color);
    painter.setPen(line_color);
    painter.drawLine(margin.topRight(), margin.bottomRight());

    const QRect band = rect.adjusted(menu_margin_width, 0, 0, 0);
    if (item.separator) {
        const int middle = rect.top() + rect.height() / 2;
        painter.drawLine(band.left() + 2, middle, band.right() - 2, middle);
        return;
    }
    if (item.selected && item.enabled)
        painter.fillRect(band, palette.color(QPalette::Active, QPalette::Highlight));

    const QRect image(band.left() + 4, rect.top() + (rect.height() - image_size) / 2, image_size,
                      image_size);
    if (!item.icon.isNull())
        item.icon.paint(&painter, image, Qt::AlignCenter,
                        item.enabled ? QIcon::Normal : QIcon::Disabled);

    QColor text_color = item.selected ? palette.color(QPalette::Active, QPalette::HighlightedText)
                                      : QColor(Qt::black);
    if (!item.enabled)
        text_color = palette.color(QPalette::Disabled, QPalette::Text);
    painter.setPen(text_color);

    const int arrow_room = 14;
    const QRect text_area(image.right() + 1 + text_indent, rect.top() + 1,
                          band.right() - image.right() - text_indent - arrow_room,
                          rect.height() - 2);
    const int half = text_area.height() / 2;
    const QRect caption_area(text_area.left(), text_area.top(), text_area.width(), half + 1);
    const QRect hint_area(text_area.left(), text_area.top() + half, text_area.width(),
                          text_area.height() - half);

    const QFont caption_font = arial(9, true);
    painter.setFont(caption_font);
    painter.drawText(
        caption_area, Qt::AlignLeft | Qt::AlignBottom,
        QFontMetrics(caption_font).elidedText(item.caption, Qt::ElideRight, caption_area.width()));
    const QFont hint_font = arial(8, false);
    painter.setFont(hint_font);
    painter.drawText(
        hint_area, Qt::AlignLeft | Qt::AlignTop,
        QFontMetrics(hint_font).elidedText(item.hint, Qt::ElideRight, hint_area.width()));

    if (item.has_submenu) {
        const int middle = rect.top() + rect.height() / 2;
        const int tip = band.right() - 6;
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(text_color);
        painter.drawPolygon(QPolygon(
            {QPoint(tip - 4, middle - 4), QPoint(tip, middle), QPoint(tip - 4, middle + 4)}));
    }
}

void attach_menu_drawing(QMenu *menu)
{
    if (!menu)
        return;
    auto *style = new MenuItemStyle;
    style->setParent(menu);
    menu->setStyle(style);
    for (QAction *action : menu->actions()) {
        if (QMenu *sub = action->menu())
            attach_menu_drawing(sub);
    }
}
