#include "documents/document_partner.h"

#include "data/db_api.h"

int partner_of_address(TdbAPI &api, int address_id)
{
    if (address_id == 0)
        return 0;
    return api.lookup_int(address_id, QStringLiteral("PAR_ADDR"), QStringLiteral("ID_PARTNER"));
}

double partner_discount(TdbAPI &api, int partner_id)
{
    ScopedSet row = api.select_scoped(
        QStringLiteral("X"), QStringLiteral("SELECT RECID, PERCENT FROM VIEW_DISCOUNT WHERE RECID=") +
                                 QString::number(partner_id));
    if (!row || row->is_empty() || row->field(1).is_null())
        return 0.0;
    return row->field(1).as_float();
}
