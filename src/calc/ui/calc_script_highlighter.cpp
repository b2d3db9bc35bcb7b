#include "calc/ui/calc_script_highlighter.h"

#include <QRegularExpression>

namespace {

QTextCharFormat colored(const QColor &color, bool bold = false)
{
    QTextCharFormat format;
    format.setForeground(color);
    if (bold)
        format.setFontWeight(QFont::Bold);
    return format;
}

const QRegularExpression &keywords()
{
    static const QRegularExpression words(
        QStringLiteral("\\b(ABS|ARCCOS|ARCCTG|ARCSIN|ARCTAN|ARCTG|COS|COSH|COTH|CTG|CTH|EXP|"
                       "FORMULA|HEAVISIDE|CH|LN|NAME|SGN|SH|SIGN|SIN|SINH|SQRT|TANH|TG|TH|"
                       "TITLE|VAR)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    return words;
}

const QRegularExpression &numbers()
{
    static const QRegularExpression digits(
        QStringLiteral("(?<![A-Za-z_0-9])\\d+([.,]\\d+)?([eE][+-]?\\d+)?"));
    return digits;
}

} // namespace

CalcScriptHighlighter::CalcScriptHighlighter(QTextDocument *document)
    : QSyntaxHighlighter(document)
{
}

void CalcScriptHighlighter::highlightBlock(const QString &text)
{
    const qsizetype remark = text.indexOf(u';');
    const QString code = remark < 0 ? text : text.left(remark);
    for (auto match = keywords().globalMatch(code); match.hasNext();) {
        const auto word = match.next();
        setFormat(int(word.capturedStart()), int(word.capturedLength()), colored(Qt::blue, true));
    }
    for (auto match = numbers().globalMatch(code); match.hasNext();) {
        const auto number = match.next();
        setFormat(int(number.capturedStart()), int(number.capturedLength()), colored(Qt::red));
    }
    for (qsizetype open = code.indexOf(u'"'); open >= 0;) {
        const qsizetype close = code.indexOf(u'"', open + 1);
        const qsizetype end = close < 0 ? code.size() : close + 1;
        setFormat(int(open), int(end - open), colored(QColor(128, 0, 0)));
        open = close < 0 ? -1 : code.indexOf(u'"', close + 1);
    }
    if (remark >= 0)
        setFormat(int(remark), int(text.size() - remark), colored(QColor(0, 128, 0)));
}
