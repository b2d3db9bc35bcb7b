#pragma once
// What the partner of a document's address brings to it: who the partner is and the
// standing discount that new items of an issued invoice start from.

class TdbAPI;

// The partner the address belongs to; 0 for none.
int partner_of_address(TdbAPI &api, int address_id);
// The partner's discount in per cent (VIEW_DISCOUNT), 0 when it has none.
double partner_discount(TdbAPI &api, int partner_id);
