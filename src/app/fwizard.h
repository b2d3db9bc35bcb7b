#pragma once
// The guide: a small window beside the main window, on top of the others, that leads a new
// user to the settings and lists to fill in before work starts.  An entry opens its page
// through the main window's command code 8.  Not modal; it frees itself when closed.

#include <QWidget>

class QCheckBox;

class TfmWizard : public QWidget {
    Q_OBJECT

public:
    explicit TfmWizard(QWidget *parent = nullptr);
    ~TfmWizard() override;

    // "Do not show again"; it starts ticked when the settings say the guide is off.
    QCheckBox *hide_box() const { return m_hide; }

    // Asks the main window for the page or list of the entry's tag.
    void open_entry(int tag);

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void create_controls();
    QWidget *create_entry(int index);
    void place();
    void show_topic(int topic);
    void store_choice();

    QCheckBox *m_hide = nullptr;
    bool m_choice_stored = false;
};

// Shows a new guide (the main window keeps it to one).
void show_guide();
