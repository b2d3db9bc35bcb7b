#include "grid_moves.h"

#include "widgets/dbgrid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>

double move_down(TDBGrid &grid, int moves)
{
    grid.table()->first();
    QApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < moves; ++i) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(&grid, &press);
    }
    return timer.nsecsElapsed() / 1e6 / moves;
}

double bare_grid_move(TMemTable *set, QSize size, int moves)
{
    TDBGrid grid;
    grid.resize(size);
    grid.set_table(set);
    grid.show();
    grid.setFocus();
    const double ms = move_down(grid, moves);
    grid.set_table(nullptr);
    return ms;
}
