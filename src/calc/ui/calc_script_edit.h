#pragma once
// The script of a user calculator bound to its FORMULA field: monospaced, coloured, with
// line numbers in a margin on the left and a line at 64 characters, beyond which a script
// line no longer fits the calculators window.

#include "widgets/dbmemo.h"

class TCalcScriptEdit : public TDBMemo {
    Q_OBJECT

public:
    explicit TCalcScriptEdit(QWidget *parent = nullptr);

    int line_number_width() const;
    void paint_line_numbers(QPaintEvent *event);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void update_margin();
    void scroll_numbers(const QRect &rect, int dy);

    QWidget *m_numbers;
};
