#pragma once
// A database with accounts, categories and documents to pay, and helpers that act on the
// journal's modal windows as the user does.

#include "masterdata/ui/code_list_fixture.h"

#include <QString>
#include <functional>

class QLineEdit;
class TfPreTeDoc;
class TfTeEdit;

class JournalFixture : public CodeListFixture {
protected:
    void SetUp() override;

    // Documents of the fixture.
    static constexpr int issued_invoice = 700;   // 865.08 Kč, paid to account 502
    static constexpr int euro_invoice = 701;     // 1 000 EUR at the document's 25.0
    static constexpr int received_invoice = 702; // 500 Kč
    static constexpr int pound_invoice = 703;    // 200 GBP at 30.0, a currency not listed
    static constexpr int cash_desk = 501;
    static constexpr int bank_account = 502;

    void add_document(int id, int type, int number, double round_sum, const char *currency,
                      double rate);
    // An entry stored directly; its RECID.
    int add_entry(const QString &date, const QString &number, int category, double income,
                  double outcome, const char *currency = "Kč", double rate = 1.0, int document = 0);
    QString stored(const QString &select) const { return sqlite_shell(select).trimmed(); }
};

// Acts on the entry editor or the voucher dialog that opens next; it is cancelled unless
// the action closed it.
void answer_entry_editor(const std::function<void(TfTeEdit &)> &action);
void answer_voucher_dialog(const std::function<void(TfPreTeDoc &)> &action);
// Picks the account of the list's row, as the user does in its drop-down.
void choose_account(TfTeEdit &editor, int row);
// Replaces what the edit holds, as a user selecting it all and typing over it.
void type_over(QWidget *window, QLineEdit *edit, const QString &text);
