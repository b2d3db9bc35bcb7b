#include "calc/ui/calc_script_edit.h"

#include "calc/ui/calc_script_highlighter.h"

#include <QFontDatabase>
#include <QPainter>
#include <QTextBlock>

namespace {

const int right_margin_column = 64;

class LineNumbers : public QWidget {
public:
    explicit LineNumbers(TCalcScriptEdit *edit) : QWidget(edit), m_edit(edit) {}
    QSize sizeHint() const override { return {m_edit->line_number_width(), 0}; }

protected:
    void paintEvent(QPaintEvent *event) override { m_edit->paint_line_numbers(event); }

private:
    TCalcScriptEdit *m_edit;
};

} // namespace

TCalcScriptEdit::TCalcScriptEdit(QWidget *parent) : TDBMemo(parent), m_numbers(new LineNumbers(this))
{
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setLineWrapMode(QPlainTextEdit::NoWrap);
    new CalcScriptHighlighter(document());
    connect(this, &QPlainTextEdit::blockCountChanged, this, &TCalcScriptEdit::update_margin);
    connect(this, &QPlainTextEdit::updateRequest, this, &TCalcScriptEdit::scroll_numbers);
    update_margin();
}

int TCalcScriptEdit::line_number_width() const
{
    const int digits = int(QString::number(std::max(1, blockCount())).size());
    return 8 + fontMetrics().horizontalAdvance(u'9') * std::max(2, digits);
}

void TCalcScriptEdit::update_margin()
{
    setViewportMargins(line_number_width(), 0, 0, 0);
}

void TCalcScriptEdit::scroll_numbers(const QRect &rect, int dy)
{
    if (dy != 0)
        m_numbers->scroll(0, dy);
    else
        m_numbers->update(0, rect.y(), m_numbers->width(), rect.height());
}

void TCalcScriptEdit::resizeEvent(QResizeEvent *event)
{
    TDBMemo::resizeEvent(event);
    const QRect area = contentsRect();
    m_numbers->setGeometry(area.left(), area.top(), line_number_width(), area.height());
}

void TCalcScriptEdit::paintEvent(QPaintEvent *event)
{
    TDBMemo::paintEvent(event);
    QPainter painter(viewport());
    painter.setPen(QColor(192, 192, 192));
    const int x = int(contentOffset().x()) + int(document()->documentMargin()) +
                  fontMetrics().horizontalAdvance(u'9') * right_margin_column;
    painter.drawLine(x, 0, x, viewport()->height());
}

void TCalcScriptEdit::paint_line_numbers(QPaintEvent *event)
{
    QPainter painter(m_numbers);
    painter.fillRect(event->rect(), QColor(236, 236, 236));
    painter.setPen(QColor(120, 120, 120));
    QTextBlock block = firstVisibleBlock();
    int top = int(blockBoundingGeometry(block).translated(contentOffset()).top());
    while (block.isValid() && top <= event->rect().bottom()) {
        const int height = int(blockBoundingRect(block).height());
        if (block.isVisible() && top + height >= event->rect().top())
            painter.drawText(0, top, m_numbers->width() - 4, height, Qt::AlignRight,
                             QString::number(block.blockNumber() + 1));
        block = block.next();
        top += height;
    }
}
