#pragma once
// Enter acting as Tab in an editor window: Enter or Return pressed in one of the window's
// controls is consumed and the focus moves on to the next control; in a dialog's last
// field it presses the dialog's enabled default button instead.  Some controls keep
// Enter for themselves: an editable multi-line text, where it breaks the line; a grid,
// where it opens the row; a push or tool button, which Enter presses.  Pop-ups (an open
// drop-down list, a calendar) are windows of their own and keep Enter too.

#include <QObject>

class QWidget;

class TEnterAsTab : public QObject {
    Q_OBJECT

public:
    explicit TEnterAsTab(QWidget &window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget &m_window;
};

// Installs the behaviour for the window's lifetime.
void enter_as_tab(QWidget &window);
