#pragma once
// The head of the guide and of the about box: the program's icon, its name, the version
// text and the maker's line, which opens the maker's web page when clicked.

#include <QWidget>

class QLabel;

class TProgramBanner : public QWidget {
    Q_OBJECT

public:
    explicit TProgramBanner(QWidget *parent = nullptr);

    QLabel *version_label() const { return m_version; }
    QLabel *maker_line() const { return m_maker; }

private:
    QLabel *m_version = nullptr;
    QLabel *m_maker = nullptr;
};

// The maker's web page.
QString maker_web_page();
