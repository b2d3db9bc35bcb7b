#pragma once
// The picture control of the partner, product, logo and stamp windows: it shows the
// picture its box holds at the box's shown size, and says when it is clicked.  The data
// layer fills the box (read_picture, write_picture, fit_picture).

#include <QLabel>

class PictureBox;

class TPictureView : public QLabel {
    Q_OBJECT

public:
    explicit TPictureView(QWidget *parent = nullptr);

    PictureBox *box() const { return m_box; }

    QSize sizeHint() const override;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void show_box();

    PictureBox *m_box = nullptr;
};

// The window a picture control stands in, for the windows and dialogs it opens; the main
// window when the control has none; null without either.
QWidget *window_of(const PictureBox &control);
