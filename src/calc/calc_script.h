#pragma once
// The script of a user calculator, as stored in USER_CALC.FORMULA, read line by line:
//   ; a remark                  (empty lines and lines beginning with ";" are skipped;
//                                elsewhere a ";" starts a remark to the end of the line)
//   title: Plocha               the calculator's title
//   var                         opens the inputs: one "name: prompt" line per value
//   a: "strana a"
//   formula                     the next other line is the formula; reading ends there
//   a*b
// Keywords are matched at the start of a line in any letter case.  Names, prompts and the
// title lose their double quotes and apostrophes, surrounding spaces and doubled spaces.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// More inputs than this are not a calculator anyone fills in but a runaway script; its
// window would not fit any screen.
inline constexpr int kMaxCalcVariables = 100;

struct CalcScriptVariable {
    // What the formula calls the value.
    QString name;
    // Shown beside the input.
    QString prompt;
    // The name as written, before it was tidied: the input's tooltip.
    QString hint;
};

struct CalcScript {
    // Absent without a title line; a title line with nothing after "title:" gives "".
    std::optional<QString> title;
    // In the order the formula takes their values.
    std::vector<CalcScriptVariable> variables;
    // Absent when no formula line follows "formula": then nothing can be computed.
    std::optional<QString> formula;
    // What makes the script unusable, one Czech sentence each; the formula itself is
    // judged by the evaluator when the calculator is loaded.
    QStringList errors;
};

CalcScript parse_calc_script(const QString &text);

// What the calculator shows when the evaluator refuses the script's formula.
QString rejected_formula_text(const QString &formula);
