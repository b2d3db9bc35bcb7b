#pragma once
// The calculator runner: a small borderless window that asks for the inputs of a user
// calculator and shows its result.  In choice mode (from a number field's calculator
// button) it offers a list of calculators and hands the accepted result back to the field;
// in test mode (from the calculators window) it runs one script and only computes.

#include "calc/ui/choice_window.h"
#include "calc/user_calculator.h"

#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TfCalc : public ChoiceWindow {
    Q_OBJECT

public:
    explicit TfCalc(double starting_value, QWidget *parent = nullptr);

    void add_choice(const QString &name, const QString &script);
    // Test mode: no list, the header shows the script's title.
    void hide_list();
    // Replaces the inputs, the result and the fault text with those of the script.
    void load_script(const QString &script);
    void compute();
    // Waits for the user; the result when accepted, otherwise the starting value.
    double run();

    QComboBox *calculator_list() const { return m_list; }
    QLabel *header() const { return m_header; }
    const std::vector<QLineEdit *> &inputs() const { return m_fields; }
    const std::vector<QLabel *> &prompts() const { return m_labels; }
    QLabel *fault_label() const { return m_fault; }
    QLabel *result_label() const { return m_result; }
    QPushButton *result_button() const { return m_compute; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void create_layout();
    void clear_inputs();
    void add_input(const CalcScriptVariable &variable, int top);
    void result_pressed();
    void show_answer(const CalcAnswer &answer);
    void fit_height();
    bool test_mode() const;

    UserCalculator m_calculator;
    DragHeader *m_header = nullptr;
    QComboBox *m_list = nullptr;
    QWidget *m_panel = nullptr;
    QLabel *m_fault = nullptr;
    QLabel *m_result = nullptr;
    QPushButton *m_compute = nullptr;
    QPushButton *m_close = nullptr;
    QPushButton *m_help = nullptr;
    std::vector<QLineEdit *> m_fields;
    std::vector<QLabel *> m_labels;
};

// A runner standing at the anchor's left edge, 20 pixels below its top edge.
TfCalc *open_calculator(QWidget *anchor, double starting_value);
void add_calculator_choice(TfCalc *runner, const QString &name, const QString &script);
// Shows the runner and waits: the result when accepted, else the starting value.  Frees
// the runner.
double run_calculator(TfCalc *runner);
// Runs one script in test mode; a help context of 0 keeps the runner's own.
double run_calculator_script(TfCalc *runner, const QString &script, int help_context);
