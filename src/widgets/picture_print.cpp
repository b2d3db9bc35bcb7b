#include "widgets/picture_print.h"

#include "data/messages.h"
#include "data/picture_box.h"
#include "widgets/picture_view.h"
#include "widgets/system_dialogs.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>

QPoint picture_print_position(QSize page, QSize picture)
{
    return QPoint((page.width() - picture.width()) / 2, (page.height() - picture.height()) / 8);
}

void print_picture(const PictureBox &control, const QString &title)
{
    if (control.is_empty())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    if (!choose_printer(printer, window_of(control)))
        return;

    // A bitmap on white, so that a transparent part prints as paper rather than black.
    QImage bitmap(control.picture().size(), QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    {
        QPainter copy(&bitmap);
        copy.drawImage(0, 0, control.picture());
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        show_message(QStringLiteral("Chyba"),
                     QStringLiteral("Obrázek nelze vytisknout, tiskárna tisk nepřijala."),
                     mbIconError);
        return;
    }
    const QSize page(printer.width(), printer.height());
    painter.drawImage(picture_print_position(page, bitmap.size()), bitmap);
    painter.end();
}
