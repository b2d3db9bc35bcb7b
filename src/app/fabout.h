#pragma once
// The about box: the program's name, version and maker, and what the program keeps.

#include <QDialog>

class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget *parent = nullptr);
};

// Shows the box modally, centred on the main window.
void show_about();
