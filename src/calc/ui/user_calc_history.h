#pragma once
// What an input field of an editor gets beside it: a number field a calculator button that
// runs one of the public user calculators and writes its result into the field, a text
// field a history button that drops down the texts the field was saved with.  The Down
// arrow in the field does what the button does.  Attaching is one line in the editor,
// after the field has its object name (the name is the history's key and never changes):
//
//     attach_calculator(RxDBCalcEdit4);              // number field
//     m_title_history = attach_text_history(edit_doc_title);   // text field
//     ...
//     m_title_history->store_history();              // after the editor saved
//
// The attachment belongs to the field and goes with it.

#include <QObject>

class QAction;
class QLineEdit;

class TUserCalcHistory : public QObject {
    Q_OBJECT

public:
    enum class Kind { Calculator, TextHistory };

    TUserCalcHistory(QAction *button, QLineEdit *field, Kind kind);

    Kind kind() const { return m_kind; }
    QAction *button() const { return m_button; }
    // What the button does: runs a calculator or drops the history down.
    void open();
    // Remembers the field's text in its history (text kind only); false when the insert
    // failed (reported).
    bool store_history() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void run_calculator_at_field();
    void drop_history_down();

    QAction *m_button;
    QLineEdit *m_field;
    Kind m_kind;
};

TUserCalcHistory *attach_calculator(QLineEdit *field);
TUserCalcHistory *attach_text_history(QLineEdit *field);
