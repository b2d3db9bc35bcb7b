#pragma once
// A database with one customer-and-supplier partner, one invoicing address, a rate list and
// helpers that write documents and their payments as the editor and the journal would.

#include "support/db_fixture.h"

class DocumentBookFixture : public DbFixture {
protected:
    void SetUp() override;

    // The document's RECID.
    int add_document(int type, int number, double round_sum, const QString &currency = "Kč");
    // A journal entry carrying the document; its RECID.
    int pay(int document, double income, double outcome = 0, const QString &date = "2026-03-10");
    int add_currency(const QString &name, const QString &title);
    void set_foreign_currency(bool on);

    int m_partner = 0;
    int m_address = 0;
};
