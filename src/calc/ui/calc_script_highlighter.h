#pragma once
// Colours of a calculator script: remarks after ";" green, numbers red, quoted text maroon,
// the keywords and function names blue in any letter case.

#include <QSyntaxHighlighter>

class CalcScriptHighlighter : public QSyntaxHighlighter {
    Q_OBJECT

public:
    explicit CalcScriptHighlighter(QTextDocument *document);

protected:
    void highlightBlock(const QString &text) override;
};
