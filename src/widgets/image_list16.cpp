#include "widgets/image_list16.h"

#include <QPainter>
#include <QPainterPath>
#include <array>
#include <cmath>
#include <vector>

namespace {

using Painter = void (*)(QPainter &p);

const QColor outline(60, 60, 70);
const QColor paper(252, 252, 248);
const QColor folder_yellow(240, 196, 80);
const QColor green(40, 150, 60);
const QColor red(200, 40, 40);
const QColor blue(40, 90, 190);

void page(QPainter &p, const QRectF &r = QRectF(3.5, 1.5, 9, 13))
{
    p.setPen(outline);
    p.setBrush(paper);
    p.drawRect(r);
    p.setPen(QColor(150, 150, 160));
    for (qreal y = r.top() + 3; y < r.bottom() - 1; y += 2)
        p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
}

void arrow(QPainter &p, QPointF from, QPointF to, const QColor &color)
{
    p.setPen(QPen(color, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    const QLineF line(to, from);
    for (const qreal turn : {35.0, -35.0}) {
        QLineF head(to, from);
        head.setLength(4);
        head.setAngle(line.angle() + turn);
        p.drawLine(head);
    }
}

void folder(QPainter &p, const QColor &fill = folder_yellow)
{
    QPainterPath path;
    path.moveTo(1.5, 3.5);
    path.lineTo(6.5, 3.5);
    path.lineTo(8, 5.5);
    path.lineTo(14.5, 5.5);
    path.lineTo(14.5, 13.5);
    path.lineTo(1.5, 13.5);
    path.closeSubpath();
    p.setPen(outline.darker(110));
    p.setBrush(fill);
    p.drawPath(path);
    p.setPen(fill.lighter(125));
    p.drawLine(QPointF(2.5, 7), QPointF(13.5, 7));
}

void letter(QPainter &p, const QString &text, const QColor &color, int pixel_size, bool bold = true)
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(pixel_size);
    font.setBold(bold);
    p.setFont(font);
    p.setPen(color);
    p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, text);
}

void coins(QPainter &p)
{
    p.setPen(QColor(150, 110, 20));
    p.setBrush(QColor(245, 200, 60));
    p.drawEllipse(QRectF(1.5, 5.5, 9, 9));
    p.drawEllipse(QRectF(5.5, 1.5, 9, 9));
    letter(p, QStringLiteral("K"), QColor(130, 90, 10), 8);
}

void notes(QPainter &p)
{
    page(p, QRectF(2.5, 1.5, 11, 13));
    p.setPen(QPen(blue, 1));
    p.drawLine(QPointF(4.5, 4.5), QPointF(11.5, 4.5));
}

void plus(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(green);
    p.drawRect(QRectF(6.5, 2, 3, 12));
    p.drawRect(QRectF(2, 6.5, 12, 3));
}

void pencil(QPainter &p)
{
    p.setPen(outline);
    p.setBrush(QColor(250, 190, 60));
    QPolygonF body({{3, 13}, {4, 10}, {11, 3}, {13, 5}, {6, 12}});
    p.drawPolygon(body);
    p.setBrush(QColor(230, 120, 120));
    p.drawPolygon(QPolygonF({{11, 3}, {12, 2}, {14, 4}, {13, 5}}));
}

void cross(QPainter &p)
{
    p.setPen(QPen(red, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4, 4), QPointF(12, 12));
    p.drawLine(QPointF(12, 4), QPointF(4, 12));
}

void printer(QPainter &p)
{
    p.setPen(outline);
    p.setBrush(paper);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(QColor(170, 170, 180));
    p.drawRect(QRectF(1.5, 6.5, 13, 6));
    p.setBrush(paper);
    p.drawRect(QRectF(4.5, 10.5, 7, 4));
}

void floppy(QPainter &p)
{
    p.setPen(outline);
    p.setBrush(QColor(60, 80, 160));
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(paper);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(QColor(200, 200, 210));
    p.drawRect(QRectF(3.5, 9.5, 9, 5));
}

void refresh(QPainter &p)
{
    p.setPen(QPen(green, 2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(3, 3, 10, 10), 30 * 16, 270 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(green);
    p.drawPolygon(QPolygonF({{10, 1}, {15, 5}, {10, 8}}));
}

void magnifier(QPainter &p)
{
    p.setPen(QPen(outline, 2));
    p.setBrush(QColor(200, 230, 250));
    p.drawEllipse(QRectF(2, 2, 8, 8));
    p.setPen(QPen(outline, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10, 10), QPointF(14, 14));
}

void door(QPainter &p)
{
    p.setPen(outline);
    p.setBrush(QColor(170, 110, 60));
    p.drawRect(QRectF(3.5, 1.5, 8, 13));
    p.setBrush(QColor(250, 220, 90));
    p.drawEllipse(QRectF(8.5, 7.5, 2, 2));
    arrow(p, {9, 8}, {15, 8}, red);
}

void eye(QPainter &p)
{
    QPainterPath lid;
    lid.moveTo(1, 8);
    lid.quadTo(8, 1, 15, 8);
    lid.quadTo(8, 15, 1, 8);
    p.setPen(outline);
    p.setBrush(paper);
    p.drawPath(lid);
    p.setBrush(blue);
    p.drawEllipse(QRectF(5.5, 5.5, 5, 5));
}

void envelope(QPainter &p)
{
    p.setPen(outline);
    p.setBrush(paper);
    p.drawRect(QRectF(1.5, 3.5, 13, 9));
    p.drawPolyline(QPolygonF({{1.5, 3.5}, {8, 9}, {14.5, 3.5}}));
}

void backup(QPainter &p)
{
    floppy(p);
    arrow(p, {12, 15}, {12, 8}, QColor(60, 200, 80));
}

void closed_folder(QPainter &p)
{
    folder(p);
}

void document(QPainter &p)
{
    page(p);
}

void house(QPainter &p)
{
    p.setPen(outline);
    p.setBrush(QColor(220, 80, 60));
    p.drawPolygon(QPolygonF({{1, 8}, {8, 1.5}, {15, 8}}));
    p.setBrush(paper);
    p.drawRect(QRectF(3.5, 8, 9, 6.5));
    p.setBrush(QColor(140, 90, 50));
    p.drawRect(QRectF(7, 10.5, 3, 4));
}

void funnel(QPainter &p)
{
    p.setPen(outline);
    p.setBrush(QColor(120, 170, 230));
    p.drawPolygon(
        QPolygonF({{1.5, 2.5}, {14.5, 2.5}, {9.5, 8.5}, {9.5, 14}, {6.5, 12.5}, {6.5, 8.5}}));
}

void calendar(QPainter &p)
{
    p.setPen(outline);
    p.setBrush(paper);
    p.drawRect(QRectF(1.5, 2.5, 13, 12));
    p.setBrush(red);
    p.drawRect(QRectF(1.5, 2.5, 13, 3));
    p.setPen(QColor(120, 120, 130));
    for (int x = 4; x <= 12; x += 4)
        for (int y = 8; y <= 12; y += 3)
            p.drawPoint(x, y);
}

void calculator(QPainter &p)
{
    p.setPen(outline);
    p.setBrush(QColor(90, 100, 120));
    p.drawRoundedRect(QRectF(2.5, 0.5, 11, 15), 1.5, 1.5);
    p.setBrush(QColor(190, 230, 190));
    p.drawRect(QRectF(4.5, 2.5, 7, 3));
    p.setPen(Qt::NoPen);
    p.setBrush(paper);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawRect(QRectF(4.5 + col * 2.5, 7.5 + row * 2.5, 1.6, 1.6));
}

void two_way(QPainter &p)
{
    folder(p, QColor(200, 215, 240));
    arrow(p, {5, 13}, {5, 6}, green);
    arrow(p, {11, 6}, {11, 13}, red);
}

void gear(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(110, 120, 140));
    p.translate(8, 8);
    for (int i = 0; i < 8; ++i) {
        p.drawRect(QRectF(-1.5, -7.5, 3, 4));
        p.rotate(45);
    }
    p.drawEllipse(QPointF(0, 0), 5, 5);
    p.setBrush(paper);
    p.drawEllipse(QPointF(0, 0), 2, 2);
    p.resetTransform();
}

void building(QPainter &p)
{
    p.setPen(outline);
    p.setBrush(QColor(180, 190, 210));
    p.drawRect(QRectF(2.5, 1.5, 11, 13));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(80, 120, 190));
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawRect(QRectF(4 + col * 3, 3 + row * 3, 2, 2));
}

void box(QPainter &p)
{
    p.setPen(outline);
    p.setBrush(QColor(210, 160, 100));
    p.drawPolygon(QPolygonF({{1.5, 5}, {8, 2}, {14.5, 5}, {14.5, 12}, {8, 15}, {1.5, 12}}));
    p.drawPolyline(QPolygonF({{1.5, 5}, {8, 8}, {14.5, 5}}));
    p.drawLine(QPointF(8, 8), QPointF(8, 15));
}

void people(QPainter &p)
{
    p.setPen(outline);
    p.setBrush(QColor(90, 140, 210));
    p.drawEllipse(QRectF(9, 2, 5, 5));
    p.drawRoundedRect(QRectF(7.5, 7.5, 8, 7), 3, 3);
    p.setBrush(QColor(230, 150, 70));
    p.drawEllipse(QRectF(3, 3, 5, 5));
    p.drawRoundedRect(QRectF(0.5, 8.5, 9, 7), 3, 3);
}

void book(QPainter &p)
{
    p.setPen(outline);
    p.setBrush(QColor(40, 120, 90));
    p.drawRect(QRectF(2.5, 1.5, 11, 13));
    p.setBrush(paper);
    p.drawRect(QRectF(4.5, 3.5, 7, 3));
    p.setPen(QColor(20, 80, 60));
    p.drawLine(QPointF(4.5, 1.5), QPointF(4.5, 14.5));
}

void invoice_out(QPainter &p)
{
    page(p, QRectF(1.5, 1.5, 9, 13));
    arrow(p, {6, 11}, {14.5, 11}, green);
}

void invoice_in(QPainter &p)
{
    page(p, QRectF(5.5, 1.5, 9, 13));
    arrow(p, {10, 11}, {1.5, 11}, blue);
}

void help(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    letter(p, QStringLiteral("?"), Qt::white, 12);
}

void windows(QPainter &p)
{
    for (const QPointF corner : {QPointF(1.5, 1.5), QPointF(5.5, 5.5)}) {
        p.setPen(outline);
        p.setBrush(paper);
        p.drawRect(QRectF(corner, QSizeF(9, 9)));
        p.setBrush(blue);
        p.drawRect(QRectF(corner, QSizeF(9, 2.5)));
    }
}

void sigma(QPainter &p)
{
    letter(p, QString(QChar(0x03A3)), QColor(150, 40, 120), 15);
}

void chart(QPainter &p)
{
    p.setPen(outline);
    p.drawLine(QPointF(1.5, 14.5), QPointF(14.5, 14.5));
    p.drawLine(QPointF(1.5, 1.5), QPointF(1.5, 14.5));
    p.setPen(Qt::NoPen);
    const QColor bars[] = {blue, green, red};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(bars[i]);
        p.drawRect(QRectF(3.5 + i * 4, 10 - i * 3, 3, 4.5 + i * 3));
    }
}

void star(QPainter &p)
{
    QPolygonF points;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = i % 2 ? 3 : 7.5;
        const qreal angle = -M_PI / 2 + i * M_PI / 5;
        points << QPointF(8 + radius * std::cos(angle), 8.5 + radius * std::sin(angle));
    }
    p.setPen(QColor(170, 120, 0));
    p.setBrush(QColor(250, 210, 50));
    p.drawPolygon(points);
}

void padlock(QPainter &p)
{
    p.setPen(QPen(QColor(120, 120, 130), 2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(4, 1.5, 8, 9), 0, 180 * 16);
    p.drawLine(QPointF(4, 6), QPointF(4, 8));
    p.drawLine(QPointF(12, 6), QPointF(12, 8));
    p.setPen(outline);
    p.setBrush(QColor(230, 180, 40));
    p.drawRect(QRectF(2.5, 7.5, 11, 7));
}

void key(QPainter &p)
{
    p.setPen(QPen(QColor(170, 130, 20), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(1.5, 1.5, 6, 6));
    p.drawLine(QPointF(6.5, 6.5), QPointF(14, 14));
    p.drawLine(QPointF(11, 11), QPointF(13, 9));
}

void information(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 120, 200));
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    letter(p, QStringLiteral("i"), Qt::white, 12);
}

void puzzle(QPainter &p)
{
    QPainterPath piece;
    piece.addRect(QRectF(2.5, 4.5, 10, 10));
    piece.addEllipse(QRectF(5.5, 1, 4, 4));
    piece.addEllipse(QRectF(11, 7.5, 4, 4));
    p.setPen(outline);
    p.setBrush(QColor(120, 190, 90));
    p.drawPath(piece.simplified());
}

// Numbered as the windows refer to them; 13 and 14 double as "expense" and "income" in
// the tax categories and 19 as "both".
constexpr std::array<Painter, ImageList16::count> painters = {
    coins,     notes,       plus,        pencil,   cross,   printer,       floppy,   refresh,
    magnifier, door,        eye,         envelope, backup,  closed_folder, document, house,
    funnel,    calendar,    calculator,  two_way,  gear,    building,      box,      people,
    book,      invoice_out, invoice_in,  help,     windows, sigma,         chart,    star,
    padlock,   key,         information, puzzle,
};

const std::vector<QPixmap> &pixmaps()
{
    static const std::vector<QPixmap> drawn = [] {
        std::vector<QPixmap> list;
        list.reserve(painters.size());
        for (const Painter paint : painters) {
            QImage image(ImageList16::size, ImageList16::size, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            paint(painter);
            painter.end();
            list.push_back(QPixmap::fromImage(image));
        }
        return list;
    }();
    return drawn;
}

} // namespace

namespace ImageList16 {

QPixmap pixmap(int index)
{
    if (index < 0 || index >= count)
        return {};
    return pixmaps()[static_cast<size_t>(index)];
}

QIcon icon(int index)
{
    const QPixmap image = pixmap(index);
    return image.isNull() ? QIcon() : QIcon(image);
}

} // namespace ImageList16
