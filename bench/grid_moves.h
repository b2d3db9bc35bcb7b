#pragma once
// Stepping through a grid with the Down key, as a user holding it does: what the windows'
// row changes are measured by, and what the grid alone costs of them.

#include <QSize>

class TDBGrid;
class TMemTable;

// Milliseconds per row for `moves` Down keys from the first row of the grid's set.
double move_down(TDBGrid &grid, int moves);

// The same moves in a grid of the given size alone over `set`: the grid's own share of a
// window's figure, which the floor of raw selects does not have.
double bare_grid_move(TMemTable *set, QSize size, int moves);
