#pragma once
// The settings page "Číselné řady": the counters of the number series (GENER_NO) — the last
// number used by each document series and by the journal, with the journal's prefix, and
// the first number and step of the partner and product series.

#include <QWidget>
#include <map>

class QLineEdit;
class QPushButton;
class QSpinBox;

class TSetupSeriesPage : public QWidget {
    Q_OBJECT

public:
    explicit TSetupSeriesPage(QWidget *parent = nullptr);

    // The counter of a series (1 to 4, 128, 1024, 1025) and the step of 1024 and 1025.
    QSpinBox *counter(int series) const;
    QSpinBox *step(int series) const;
    QLineEdit *prefix() const { return m_prefix; }
    QPushButton *save_button() const { return m_save; }

    // Asks, then writes the series in order in one transaction; false when the user declined
    // or a write failed, and then no series has changed.
    bool save();

private:
    void create_controls();
    void load();
    bool write_all_series();

    std::map<int, QSpinBox *> m_counters;
    std::map<int, QSpinBox *> m_steps;
    // The series that have their row; a missing one is inserted when written.
    std::map<int, bool> m_stored;
    QLineEdit *m_prefix = nullptr;
    QPushButton *m_save = nullptr;
};
