#pragma once
// What the program's fixed-size dialogs are built from.

#include <QString>
#include <Qt>

class QPushButton;
class QWidget;

// A dialog window of fixed size with a caption and a close button.
inline constexpr Qt::WindowFlags fixed_dialog_flags =
    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
    Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint;

// A button that Enter does not press just because it has the focus: in these windows Enter
// moves to the next field, and a dialog's default button is chosen on purpose.
QPushButton *command_button(const QString &caption, const QString &object_name, QWidget *parent);
