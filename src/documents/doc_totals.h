#pragma once
// The arithmetic of a document: line amounts, the total, the ten rounding modes that turn
// the total into the amount to pay, and the currency rate.

#include <QString>
#include <QStringList>
#include <vector>

// AMOUNT × COST_PER_UNIT less DISCOUNT per cent; not rounded.
double item_cost(double amount, double cost_per_unit, double discount);
// The sum of the items' COST in list order, from 0.
double document_total(const std::vector<double> &item_costs);

// ROUND_SUM from ALL_SUM by ROUND_ID 0 to 9.  An amount below zero is rounded as the
// mirror of its absolute value, so the amount to pay stays a rounding of the total; a
// mode outside 0 to 9 leaves the amount unchanged.
double round_by_mode(int mode, double amount);
// The names the editor offers, in mode order.
const QStringList &rounding_mode_names();

// Home-currency value of one unit of a currency: CURR_KURS / CURR_AMOUNT, an amount
// below 1 counting as 1.
double currency_rate(double curr_amount, double curr_kurs);
// A home-currency price in a currency of that rate; unchanged when the rate is not
// positive.
double home_price_in_currency(double home_price, double rate);

// Money compared to the cent: sums of payments carry binary noise that must not turn a
// fully paid document into a partly paid one.
long long money_cents(double amount);
