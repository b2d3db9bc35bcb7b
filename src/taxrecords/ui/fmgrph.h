#pragma once
// The graphs of one accounting year: pies of income and expenses by tax category and lines
// of their course over the days, chosen from a list, a menu or the toolbar, and printed.
// While it is open the decimal separator is '.'.

#include "text/format_settings.h"

#include <QDialog>

class QAction;
class QChart;
class QChartView;
class QComboBox;
class QMenuBar;
class TMemTable;

class Tfgrph : public QDialog {
    Q_OBJECT

public:
    static constexpr int help_topic = 109;

    // The year as the year dialog left it.
    explicit Tfgrph(const QString &year_text, QWidget *parent = nullptr);
    ~Tfgrph() override;

    void build_chart(int index);
    void actPrintExecute();

    QChart *chart() const { return m_chart; }
    QChartView *chart_view() const { return m_view; }
    QComboBox *chart_list() const { return m_list; }
    TMemTable *record_set() const { return m_set; }

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void create_commands();
    void free_set();
    void add_pie();
    void add_line(bool income);

    DecimalPointGuard m_decimal_point;
    QString m_year;
    QChart *m_chart = nullptr;
    QChartView *m_view = nullptr;
    QComboBox *m_list = nullptr;
    QMenuBar *m_menu_bar = nullptr;
    QAction *m_print = nullptr;
    QList<QAction *> m_chart_actions;
    TMemTable *m_set = nullptr;
};

// Asks the year; when the user confirms, the window opens modally on the income pie.
void show_graphs();
