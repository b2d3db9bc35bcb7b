#pragma once
// Demo data for trying the program out, for screenshots and for benchmarks: a firm with its
// accounts, partners with addresses and contacts, products, documents of all four types
// with items and payments, and a cash journal spread over several years.  The same size
// always gives the same data.

class TdbAPI;

struct DemoSize {
    int partners = 200;
    int products = 150;
    int documents = 2000;     // of every type together
    int journal_entries = 20000; // entries not tied to a document
    int years = 10;           // ending with the year of today()
};

// Fills an empty database in one transaction; false (and nothing stored) on a failure.
bool fill_demo_data(TdbAPI &api, const DemoSize &size);
