#pragma once
// One document as its editor holds it: the header row (the current row of a book's
// VIEW_DOC set or of a scratch DOC_HEAD set, being inserted or edited), the item set of an
// issued invoice, the payment details, the currency and the free text.  The editor's
// widgets are bound to the two sets; the totals and the save live here, so that every rule
// of them runs without a window.

#include "documents/credit_note.h"
#include "documents/doc_currency.h"

#include <QString>

class QTextDocument;
class TdbAPI;
class TMemTable;

struct DocumentCurrency {
    QString name = home_currency;
    int amount = 1;
    double kurs = 1.0;
};

// The row of the type's DOC_DRS table.  ID_LINK: the delivery address (type 1), an own
// invoicing address (type 2), the corrected invoice (types 3 and 4).
struct PaymentDetails {
    QString var_s;
    QString const_s;
    int id_link = 0;
    int id_bank = 0;
};

class TDocument {
public:
    enum class SaveResult { Saved, BelowPaid, Failed };

    // `items` is the item set of an issued invoice, null for the other types.  `id` is the
    // stored document's RECID, 0 for a new one.
    TDocument(TdbAPI &api, int type, TMemTable &header, TMemTable *items, int id);

    int type() const { return m_type; }
    int id() const { return m_id; }
    bool is_new() const { return m_id == 0; }
    TMemTable &header() const { return m_header; }
    TMemTable *items() const { return m_items; }
    // The payment-details table of the type, "DOC_DRS1" to "DOC_DRS4".
    QString details_table() const;

    DocumentCurrency currency;
    PaymentDetails details;
    // Credit notes: the invoice they correct, which also is their ID_LINK.
    int linked_invoice = 0;
    // The free text, stored after the save when it was changed; null for none.
    QTextDocument *free_text = nullptr;
    bool text_changed = false;

    // A new document's proposals, the header row being inserted: the next number of the
    // type's series, today, the type's rounding mode, and for an issued invoice its number
    // as variable symbol.
    void propose_new();
    // A new credit note takes over its invoice's currency, totals, address and symbols.
    void take_over(const CreditNoteSource &invoice);
    // The currency of a stored document, from its header row.
    void currency_from_header();
    // A foreign-currency invoice: the rate-list row's name, unit count and rate; false
    // when there is no such row (the home currency stays).
    bool currency_from_list(int curr_list_id);

    // Reads the stored payment details into `details`; false when the document has no row
    // (the details then stay as they were).
    bool read_details();

    // True while the document has items: its total is theirs and cannot be typed.
    bool has_items() const;
    double items_total() const;
    // ALL_SUM := the items' total when there are items, then ROUND_SUM from ALL_SUM and
    // ROUND_ID.  The header row must be in its edit.
    void apply_items_total();
    void update_round_sum();

    // Writes header, items, payment details and the series stamp in one transaction, then
    // the changed free text.  A correction below the amount already paid is refused with
    // its message and nothing is written; a failed write is rolled back and reported.  On
    // success the document has its RECID; the header row is left in its edit for the
    // caller to post.
    SaveResult save();

private:
    bool write_header(int id);
    bool write_items(int id);
    bool write_details(int id);
    bool correction_below_paid() const;

    TdbAPI &m_api;
    int m_type;
    TMemTable &m_header;
    TMemTable *m_items;
    int m_id;
};

// The message shown when a document could not be stored.
extern const QString document_save_failed;
