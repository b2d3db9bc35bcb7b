#pragma once
// A picture control's picture printed on one page, one picture pixel per printer dot.

#include <QPoint>
#include <QSize>
#include <QString>

class PictureBox;

// Where the picture's top left corner goes on the printable page, both in printer dots:
// centred across, an eighth of the free height down.  Halves and eighths are whole numbers
// rounded toward zero, so a picture larger than the page starts left of or above it.
QPoint picture_print_position(QSize page, QSize picture);

// Asks for the printer and prints the picture in a print job with the title.  Nothing
// happens for an empty picture or when the user cancels the print dialog.
void print_picture(const PictureBox &control, const QString &title);
