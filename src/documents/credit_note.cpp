#include "documents/credit_note.h"

#include "data/db_api.h"
#include "documents/doc_types.h"

bool read_credit_note_source(TdbAPI &api, int invoice_id, int credit_type, CreditNoteSource &out)
{
    const int invoice_type = credit_type == dtIssuedCredit ? dtIssuedInvoice : dtReceivedInvoice;
    TMemTable *head = api.select_sql(
        QStringLiteral("X"),
        QStringLiteral("SELECT H.ID_ADDRESS, H.CURR_NAME, H.CURR_AMOUNT, H.CURR_KURS, H.ALL_SUM, "
                       "H.ROUND_SUM, D.VAR_S, D.CONST_S FROM DOC_HEAD H LEFT JOIN DOC_DRS%1 D "
                       "ON D.RECID = H.RECID WHERE H.RECID=%2 AND H.ID_DOC_TYPE=%1")
            .arg(invoice_type)
            .arg(invoice_id));
    const bool found = head && !head->is_empty();
    if (found) {
        out.invoice_id = invoice_id;
        out.id_address = head->field(0).as_integer();
        out.curr_name = head->field(1).as_string();
        out.curr_amount = head->field(2).as_integer();
        out.curr_kurs = head->field(3).as_float();
        out.all_sum = head->field(4).as_float();
        out.round_sum = head->field(5).as_float();
        out.var_s = head->field(6).as_string();
        out.const_s = head->field(7).as_string();
    }
    api.free_set(head);
    return found;
}
