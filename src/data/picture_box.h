#pragma once
// The content of a picture control: the picture itself and the size at which it is shown.
// Core code fills it; the window's picture widget shows what it holds.

#include <QImage>
#include <QObject>
#include <QSize>

class PictureBox : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    const QImage &picture() const { return m_picture; }
    QSize shown_size() const { return m_shown_size; }
    bool is_empty() const { return m_picture.isNull(); }

    void show(const QImage &picture, QSize shown_size);
    void clear();

signals:
    void changed();

private:
    QImage m_picture;
    QSize m_shown_size;
};

// The program's picture size: 185 pixels wide, the height in proportion (a half rounded
// to the even neighbour), at most 225.
QSize fitted_picture_size(QSize picture);
