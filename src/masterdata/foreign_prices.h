#pragma once
// Prices of a product in foreign currencies (PRO_CURR): at most one per currency, proposed
// from the currency list's rate, stored or deleted with a refusal reported and the program
// going on.

#include <QString>
#include <QStringList>
#include <vector>

class TdbAPI;
class TMemTable;

struct ForeignPrice {
    // 0 for a price not yet stored.
    int recid = 0;
    int product = 0;
    double cost = 0.0;
    QString currency;
};

struct CurrencyChoice {
    QString name;  // CURR_NAME
    QString title; // CURR_TITLE
    double rate = 0.0;
    double amount = 0.0;

    // "EUR, euro", as the currency list of the price editor shows it.
    QString caption() const;
};

// The price in Kč turned into the currency, cost / (rate / amount), rounded to the cent.
// 0 unless both the rate and its unit count are above 0, so a rate list with a gap never
// proposes an infinite or undefined price.
double proposed_foreign_price(double cost, double rate, double amount);

// The currencies of the list, in its order, whose name is not among `priced` (letter case
// ignored).
std::vector<CurrencyChoice> unpriced_currencies(const TMemTable &currency_list,
                                                const QStringList &priced);

// The currency names of the product's price set, in its order.
QStringList priced_currencies(const TMemTable &prices);

// Stores a new price under a new RECID, or the given one over its row.  The price's RECID,
// or 0 when the database refused (reported).
int save_foreign_price(TdbAPI &api, const ForeignPrice &price);

// Asks "Opravdu  vymazat cenu v cizí měně?" and deletes the set's current price from the
// database and from the set.  Its RECID, or 0 when nothing was deleted.
int delete_foreign_price(TMemTable *set);
