#pragma once
// The window that a new modal window of the master-data module belongs to: the modal window
// in front (an editor opening a code list or a selector), otherwise the main window.  A
// window parented elsewhere would be blocked by the modal one.

class QWidget;

QWidget *owner_window();
