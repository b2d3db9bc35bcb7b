#include "widgets/owner_window.h"

#include "widgets/window_host.h"

#include <QApplication>

QWidget *owner_window()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return window_host().host_window();
}
