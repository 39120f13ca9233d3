// Committing the live basket to the shop server and finishing a paid sale: the
// remote call with its "Please wait.." box, the messages, the sale's day-log entry,
// and the basket emptied afterwards. The decisions are in payment/commit.h.
#pragma once
#include <cstdint>

#include "payment/tender.h"

// Tendered and change of the last payment: set by every payment path before the
// commit, read afterwards by the receipt and the pole display, never cleared.
extern TenderResult g_saleTender;

// Sends g_app.basket with CommitSale and logs the sale. Returns the server's answer r
// (20 or more) when the sale is accepted, 0 on every failure: nothing to send, an
// empty basket list ("No items", record zeroed), a network failure (basket kept), a
// refusal (basket emptied). A day log that cannot be opened does not undo the sale.
std::int32_t CommitTransaction();

// Ends a payment of `kind` with `tender`: payment fields, number, time, date and clerk
// into the record, the commit, then the after-sale step, the emptied basket and the
// next transaction number. The entry dialog, if any, must already be closed.
void FinishSale(PaymentKind kind, const TenderResult& tender);
