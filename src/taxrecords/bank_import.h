#pragma once
// A bank statement turned into payments: the statement's account is found among the firm's
// accounts, each movement is proposed as a payment of the open document that carries its
// variable symbol (a credit pays issued invoices and received credit notes, a debit the
// others), and the accepted proposals are booked as journal entries by the rules of a
// typed payment.  Each booked movement is remembered by its bank's id, so a statement read
// twice books nothing twice.

#include "taxrecords/bank_statement.h"

#include <QByteArray>
#include <QString>
#include <vector>

class TdbAPI;

// One line of the review: a movement, or the part of it that pays one document.
struct ImportProposal {
    int movement = 0; // index into the statement's movements
    long long amount_cents = 0;
    int doc_id = 0; // 0: the line is "bez vazby"
    int doc_type = 0;
    QString doc_no;
    long long remaining_cents = 0; // what the document still awaited before this line
    int grp_id = 0;                // the entry's category; 0 until one is chosen
    bool booked_before = false;
    bool skipped = false;

    // A movement of nothing (an information line of some banks) books nothing.
    bool will_book() const { return !booked_before && !skipped && grp_id != 0 && amount_cents > 0; }
    // "faktura vydaná 2026001" or "bez vazby"; "již zaúčtováno" for a booked movement.
    QString proposal_text() const;
    // "plně uhrazeno" or "částečně uhrazeno" once this line is booked; empty without a document.
    QString state_after() const;
};

struct BankImport {
    BankStatement statement;
    int cash_id = 0;
    QString account_name;
    std::vector<ImportProposal> proposals;

    const BankMovement &movement_of(const ImportProposal &proposal) const
    {
        return statement.movements[size_t(proposal.movement)];
    }
};

struct ImportReading {
    BankImport import;
    QString error; // Czech, naming the line and the field or the unknown account
    bool ok() const { return error.isEmpty(); }
};

// GPC or camt.053, told apart by the content.
StatementReading read_bank_statement(const QByteArray &bytes);

// The firm's account (CONF_BANKCASH) whose MNO or IBAN is the statement's; 0 when none.
int statement_account(TdbAPI &api, const QString &account);

// Proposals for every movement of a statement of a known account.
ImportReading propose_bank_import(TdbAPI &api, const BankStatement &statement);
ImportReading prepare_bank_import(TdbAPI &api, const QByteArray &bytes);

// The open documents a movement may pay, by variable symbol: RECID, ID_DOC_TYPE, DOC_NO,
// ROUND_SUM, CURR_NAME and the amount PAID so far.  The symbol is compared without its
// leading zeros through the index on the payment details.
QString documents_by_symbol_select(bool credit, const QString &symbol);

// The categories a movement of the direction may be booked in, in the editor's order.
struct ImportCategory {
    int recid = 0;
    QString name;
};
std::vector<ImportCategory> import_categories(TdbAPI &api, bool credit);

// Makes the proposal pay the open document numbered `doc_no` of the movement's direction and
// currency, up to what it still awaits; the rest of the line becomes a line "bez vazby".
// False, with the Czech reason, when no such document awaits a payment.
bool assign_document(TdbAPI &api, BankImport &import, int row, const QString &doc_no,
                     QString &error);
// The proposal pays no document; it needs a category before it is booked.
void detach_document(BankImport &import, int row);

// Books every proposal that will_book() in one transaction.  The number of journal entries
// written, or -1 when nothing was written: the user has been told why.
int book_bank_import(TdbAPI &api, const BankImport &import);
