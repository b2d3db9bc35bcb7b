#pragma once
// The settings page "Typ nápovědy": which kind of context help the program opens.  The
// choice counts at once, for the next help request.

#include <QWidget>

class QButtonGroup;

class TSetupHelpPage : public QWidget {
    Q_OBJECT

public:
    explicit TSetupHelpPage(QWidget *parent = nullptr);

    QButtonGroup *help_types() const { return m_types; }

    // Writes "HELP_TYPE"; false (and the reason told) when the file cannot be written.
    bool save();

private:
    QButtonGroup *m_types = nullptr;
};
