#pragma once
// The formula evaluator of the user calculators: a formula text is parsed once into an
// expression tree, which is then evaluated as often as needed for different values of its
// variables.  Every fault is thrown as CalcError: "Error in formula." when a formula is
// assigned, an arithmetic fault's own message when it is evaluated.

#include "calc/calc_error.h"
#include "calc/calc_node.h"
#include "text/format_settings.h"

#include <QString>
#include <QStringList>
#include <vector>

class TCalcExpress {
public:
    explicit TCalcExpress(QChar decimal_separator = ::decimal_separator());

    // The formula as assigned, lower-cased; "0" for a new evaluator.
    const QString &formula() const { return m_formula; }
    // Keeps the text even when it is refused; evaluate() then refuses too until a valid
    // formula is assigned.
    void set_formula(const QString &text);

    // Names whose values evaluate() takes, in this order.  Lookup ignores letter case and
    // the first equal name wins.
    const QStringList &variables() const { return m_variables; }
    // Names are resolved to positions while parsing, so the formula is parsed again.
    void set_variables(const QStringList &names);
    // Change the list without parsing again: they take effect at the next set_formula().
    void add_variable(const QString &name);
    void clear_variables();

    // Numbers of the formulas assigned from now on use this separator.
    QChar decimal_separator() const { return m_decimal_separator; }
    void set_decimal_separator(QChar separator) { m_decimal_separator = separator; }

    // `values` holds one number per variable, in the order of variables().
    long double evaluate(const std::vector<long double> &values) const;

private:
    void parse();

    QString m_formula;
    QStringList m_variables;
    QChar m_decimal_separator;
    CalcProgram m_program;
};
