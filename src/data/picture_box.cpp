#include "data/picture_box.h"

#include <algorithm>
#include <cmath>

void PictureBox::show(const QImage &picture, QSize shown_size)
{
    m_picture = picture;
    m_shown_size = shown_size;
    emit changed();
}

void PictureBox::clear()
{
    m_picture = QImage();
    m_shown_size = QSize();
    emit changed();
}

QSize fitted_picture_size(QSize picture)
{
    const int width = 185;
    if (picture.width() <= 0 || picture.height() <= 0)
        return QSize(width, 0);
    const double height = double(picture.height()) / picture.width() * width;
    return QSize(width, std::min(225, static_cast<int>(std::nearbyint(height))));
}
