#include "widgets/owner_window.h"

#include "app/fmain.h"

#include <QApplication>

QWidget *owner_window()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return fm_main;
}
