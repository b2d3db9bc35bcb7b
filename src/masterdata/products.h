#pragma once
// The product catalogue's rules: the number a new product is proposed, the uniqueness of
// product numbers, and storing or deleting one product.  A refused write is reported and
// the program goes on, so an editor can stay open with what the user typed.

#include <QString>

class TdbAPI;
class TMemTable;

struct ProductRecord {
    // 0 for a product not yet stored.
    int recid = 0;
    int number = 0;
    QString name;
    int group = 0;
    QString unit;
    double cost = 0.0;
    QString note;
};

// The highest product number plus the step of series 1025, or the series' first number
// for an empty catalogue; never below the first number.  0 when the series could not be
// read (reported).
int next_product_number(TdbAPI &api);

// Whether a product other than `recid` (any product for 0) has the number.  A check that
// cannot run answers "in use".
bool product_number_in_use(TdbAPI &api, int recid, int number);

// Stores a new product under a new RECID, or the given one over its row, after checking
// that its number is free.  The product's RECID, or 0 when nothing was stored: the number
// is taken or the database refused (both reported).
int save_product(TdbAPI &api, const ProductRecord &product);

// Asks "Opravdu  vymazat vybraný produkt?" and deletes the set's current product from the
// database and from the set; the product's foreign prices and picture go with it.  Its
// RECID, or 0 when nothing was deleted (a product on stored invoices stays, with the
// schema's reason).
int delete_product(TMemTable *set);
