#pragma once
// A picture at full size in a modal window of its own: as large as the picture, but never
// larger than the main window, with scroll bars for the rest.  A click on the picture or
// Esc closes it.

#include <QDialog>

class PictureBox;
class QLabel;
class QScrollArea;

class Tfm_image : public QDialog {
    Q_OBJECT

public:
    Tfm_image(const QImage &picture, const QString &caption, QWidget *parent = nullptr);

    // The picture's size and room for the window around it, each side at most the limit's.
    static QSize window_size(QSize picture, QSize limit);

    QScrollArea *scroll_box() const { return m_scroll_box; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void scroll_by_wheel(int angle);

    QScrollArea *m_scroll_box = nullptr;
    QLabel *m_picture = nullptr;
    // What the wheel turned short of a whole notch.
    int m_wheel_rest = 0;
};

// Shows the control's picture in the window, centred on the main window, and returns when
// the window is closed.  An empty picture shows nothing.
void show_picture(const PictureBox &control, const QString &caption);
