#include "app/program_icon.h"

#include <QPainter>
#include <QPixmap>

namespace {

QPixmap drawn_icon(int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(side / 64.0, side / 64.0);

    painter.setPen(QPen(QColor(20, 60, 120), 2));
    painter.setBrush(QColor(40, 100, 180));
    painter.drawRoundedRect(QRectF(6, 3, 52, 58), 6, 6);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(250, 250, 244));
    painter.drawRect(QRectF(16, 9, 36, 46));
    painter.setPen(QPen(QColor(180, 190, 205), 1.5));
    for (int y = 20; y <= 50; y += 6)
        painter.drawLine(QPointF(20, y), QPointF(48, y));

    QFont font;
    font.setFamilies({QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    font.setPixelSize(40);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(200, 40, 40));
    painter.drawText(QRectF(16, 8, 36, 48), Qt::AlignCenter, QStringLiteral("T"));
    painter.end();
    return QPixmap::fromImage(image);
}

} // namespace

QIcon program_icon()
{
    QIcon icon;
    for (const int side : {16, 32, 48, 64, 128})
        icon.addPixmap(drawn_icon(side));
    return icon;
}
