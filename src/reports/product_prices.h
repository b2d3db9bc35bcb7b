#pragma once
// The product's prices in foreign currencies, one line each, as its catalogue sheet prints
// them.

#include <QString>

class TdbAPI;

// "12.50 EUR" lines, each ending in CR LF; "-  " when the product has no foreign price.
QString product_price_list(TdbAPI &api, int product);
