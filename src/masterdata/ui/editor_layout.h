#pragma once
// The layout of the catalogue's editors: their fields above, and below them "Nápověda" at
// the left and "OK" (the default button) and "Storno" at the right, wired to the editor's
// help, accept and reject.  The window keeps the size its contents need.

class QDialog;
class QLayout;
class QPushButton;

// Returns the OK button.
QPushButton *lay_out_editor(QDialog &editor, QLayout *fields);
