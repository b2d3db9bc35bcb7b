#pragma once
// Qt's own dialogs (file, colour, font, print) and standard buttons speak Czech like the
// rest of the program, from the translations Debian ships with Qt.

// Loads the Czech Qt texts into the running application; false when they are not installed,
// and Qt then keeps its English texts.
bool install_czech_qt_texts();
