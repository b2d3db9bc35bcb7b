#pragma once
// What a journal amount input accepts: a number typed with either decimal mark and
// grouping spaces, never below zero (the journal keeps incomes and expenses apart, each as
// a positive amount), and, for a payment, never above what remains to be paid.

#include <QValidator>
#include <optional>

class AmountValidator : public QValidator {
    Q_OBJECT

public:
    explicit AmountValidator(std::optional<double> limit, QObject *parent = nullptr);

    std::optional<double> limit() const { return m_limit; }
    State validate(QString &input, int &position) const override;

private:
    std::optional<double> m_limit;
};
