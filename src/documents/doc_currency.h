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
