#pragma once
// What the demo data are made of: the names, places, banks, goods, services, bills and
// cash-journal entries of a small Czech building tradesman who keeps cash-basis tax records
// and is not a VAT payer.

#include <QDate>
#include <QString>
#include <vector>

namespace demo {

struct City {
    QString name;
    int postal_code;    // 40001 for "400 01"
    bool local;         // within a short drive of the firm
    QString phone_area; // the first three digits of a landline there
};

struct Person {
    QString first_name;
    QString surname;
};

// A customer over the border, who pays in euro.
struct ForeignCustomer {
    QString name;
    QString street;
    QString city;
    QString postal_code;
};

struct Bank {
    int code;
    QString name;
    QString swift;
};

// A product sold by the firm: goods by the piece, the kilogram, the metre ..., work by the
// hour.  Prices are in hellers per unit; quantities are what one invoice line takes.
struct ProductKind {
    QString name;
    std::vector<QString> variants;
    QString unit;
    bool service;
    int price_low;
    int price_high;
    int quantity_low;
    int quantity_high;
};

// A kind of received invoice or of cash-journal entry: its texts, its tax category, its
// amount in whole koruny and whether it goes through the cash desk.  "%1" in a text takes
// the month ("03/2025"), and such a text comes at most once a month; "%2" takes a number of
// an order or delivery note.
struct EntryKind {
    std::vector<QString> texts;
    int category;
    bool income;
    int amount_low;
    int amount_high;
    bool cash;
    int weight;
};

const std::vector<City> &cities();
const std::vector<QString> &streets();
const std::vector<Person> &men();
const std::vector<Person> &women();
const std::vector<QString> &company_trades();
const std::vector<QString> &sole_trader_trades();
const std::vector<ForeignCustomer> &foreign_customers();
const std::vector<Bank> &banks();
const std::vector<ProductKind> &product_kinds();

// Texts of issued invoices and of credit notes ("%1" the corrected invoice's number).
const std::vector<QString> &issued_invoice_titles();
const std::vector<QString> &credit_note_titles();
// Bills from suppliers; their category decides the category of their payment.
const std::vector<EntryKind> &received_invoice_kinds();
// A year of a small firm's own cash journal holds a few hundred entries of these ...
const std::vector<EntryKind> &journal_entry_kinds();
// ... and a journal with more entries than that gets the rest from these small cash ones.
const std::vector<EntryKind> &petty_entry_kinds();
constexpr double journal_entries_per_year = 400;

// The category of the transfers between the bank account and the cash desk.
constexpr int transfer_category = 8;

// The Czech National Bank's rate of one euro in koruny on a day, near the yearly averages
// of the real rates and moving through each year.
double eur_rate(const QDate &day);

} // namespace demo
