#pragma once
// A borderless window that asks one question and waits for the answer in an event loop of
// its own: the calculator runner and the history drop-down.  The wait ends when the user
// decides, and also when the window is closed or destroyed some other way, loses the
// activation or the program quits, so that no caller ever hangs on an unanswered window.
// While it waits, the windows beneath cannot be used or closed.

#include <QLabel>
#include <QPoint>
#include <QWidget>

class ChoiceWindow : public QWidget {
    Q_OBJECT

public:
    enum State { Undecided = 0, Chosen = 1, Cancelled = 2 };

    explicit ChoiceWindow(QWidget *parent = nullptr);

    State state() const { return m_state; }

signals:
    void decided();

protected:
    // The first decision counts; the window hides once it is made.
    void decide(State state);
    // Shows the window in front and returns once it is decided.  False when the window was
    // destroyed meanwhile: the caller must not touch it then.
    bool wait_for_choice();
    // Keeps the whole window on the screen it stands on.
    void keep_on_screen();

    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    State m_state = Undecided;
};

// The caption strip of a borderless window, by which the user drags the window around.
class DragHeader : public QLabel {
    Q_OBJECT

public:
    DragHeader(const QString &text, QWidget *parent);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QPoint m_grab;
};
