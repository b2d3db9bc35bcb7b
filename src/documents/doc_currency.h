#pragma once
// Prices of the catalogue in a document's currency.

#include <QString>

class TdbAPI;

// The home currency's name.
inline const QString home_currency = QStringLiteral("Kč");

// The unit price of a product in a document of currency `curr_name`: the home price for
// "Kč"; else the product's own price in that currency (PRO_CURR); else the home price
// converted by the rate list (CURR_LIST), or unchanged when the list has no usable rate.
double price_in_currency(TdbAPI &api, int product_id, double home_price, const QString &curr_name);

// Remembers a confirmed unit price as the product's price in a foreign currency, so that the
// next pick of the product in that currency proposes it: the product's row of the currency
// in PRO_CURR is updated, or inserted when there is none.  False when the database refused
// (reported); nothing is written for the home currency.
bool remember_price_in_currency(TdbAPI &api, int product_id, double price,
                                const QString &curr_name);
