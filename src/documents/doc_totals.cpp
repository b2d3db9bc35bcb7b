#include "documents/doc_totals.h"

#include <cmath>

double item_cost(double amount, double cost_per_unit, double discount)
{
    const double a = amount * cost_per_unit;
    return a + (a / 100.0) * (0.0 - discount);
}

double document_total(const std::vector<double> &item_costs)
{
    double total = 0.0;
    for (const double cost : item_costs)
        total += cost;
    return total;
}

namespace {

// The fraction added to the whole part for h hundredths (1 to 100).
double rounding_step(int mode, int h)
{
    switch (mode) {
    case 1:
        return h >= 50 ? 1.0 : 0.0;
    case 2:
        return h < 25 ? 0.0 : (h < 75 ? 0.5 : 1.0);
    case 3:
        return h >= 95 ? 1.0 : ((h + 5) / 10) / 10.0;
    case 4:
        return h == 100 ? 1.0 : 0.0;
    case 5:
        return h >= 50 ? 0.5 : 0.0;
    case 6:
        return (h / 10) / 10.0;
    case 7:
        return 1.0;
    case 8:
        return h <= 50 ? 0.5 : 1.0;
    case 9:
        return ((h + 9) / 10) / 10.0;
    default:
        return 0.0;
    }
}

double round_non_negative(int mode, double x)
{
    const double w = std::trunc(x);
    // nearbyint under the default rounding mode breaks ties to the even neighbour.
    const int h = static_cast<int>(std::nearbyint((x - w) * 100.0));
    if (h == 0)
        return w;
    return w + rounding_step(mode, h);
}

} // namespace

double round_by_mode(int mode, double amount)
{
    if (mode < 1 || mode > 9 || !std::isfinite(amount))
        return amount;
    if (amount < 0.0)
        return -round_non_negative(mode, -amount);
    return round_non_negative(mode, amount);
}

const QStringList &rounding_mode_names()
{
    static const QStringList names = {
        QStringLiteral("nezaokrouhlovat"),
        QStringLiteral("matematicky na celé koruny"),
        QStringLiteral("matematicky na padesátihaléře"),
        QStringLiteral("matematicky na desetníky"),
        QStringLiteral("na celé koruny dolů"),
        QStringLiteral("na padesátihaléře dolů"),
        QStringLiteral("na desetníky dolů"),
        QStringLiteral("na celé koruny nahoru"),
        QStringLiteral("na padesátihaléře nahoru"),
        QStringLiteral("na desetníky nahoru"),
    };
    return names;
}

double currency_rate(double curr_amount, double curr_kurs)
{
    return curr_kurs / (curr_amount < 1 ? 1.0 : curr_amount);
}

double home_price_in_currency(double home_price, double rate)
{
    return rate > 0.0 ? home_price / rate : home_price;
}

long long money_cents(double amount)
{
    return std::llround(amount * 100.0);
}
