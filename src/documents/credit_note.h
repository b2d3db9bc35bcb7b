#pragma once
// What a credit note takes over from the invoice it corrects.

#include <QString>

class TdbAPI;

struct CreditNoteSource {
    int invoice_id = 0; // becomes the credit note's ID_LINK for good
    int id_address = 0;
    QString curr_name;
    int curr_amount = 1;
    double curr_kurs = 1.0;
    double all_sum = 0.0;
    double round_sum = 0.0;
    QString var_s;
    QString const_s;
};

// Reads the invoice (type 1 for an issued credit note, 2 for a received one) with its
// payment details; false when there is no such invoice.
bool read_credit_note_source(TdbAPI &api, int invoice_id, int credit_type, CreditNoteSource &out);
