#pragma once
// The appearance values every window shares: the colours of dialogs, grids, the grid's
// ruler rows, the books' preview panels and the menu tree, whether the tree is shown and
// which help the program opens.  They come from section SETUP of the settings file; the
// main window reads them again after the settings window closes.

#include <QColor>

class QWidget;

struct Appearance {
    QColor dialog_color;
    QColor grid_color;
    QColor ruler_color;
    QColor view_color;
    QColor tree_color;
    bool tree_visible = true;
    int help_type = 0;
};

// The values last read; read at first use.
const Appearance &appearance();
void reload_appearance();

// A stored colour: red + 256 * green + 65536 * blue, or a negative system colour, which the
// application palette supplies.  Invalid for a value that is neither.
QColor color_from_setting(int value);

// Background of a grid row that is not highlighted: the ruler colour on odd row numbers
// (1-based), the grid colour on even ones.  A highlighted cell keeps the highlight, which an
// invalid colour leaves to the view.
QColor grid_row_color(int row_number, bool highlighted);

// Editors and dialogs take the dialog colour when they are created.
void apply_dialog_color(QWidget &window);
