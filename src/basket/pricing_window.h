// The price dialogs on screen: "Adjust item price", "Adjust by weight", the
// transaction discount and the non-inventory sale. Their decisions are in
// basket/price_adjust.h and basket/non_inventory.h.
#pragma once

// "Adjust price of last item" (1008), "Adjust price of last item by weight" (2427)
// and "Add discount" (2409): each opens its modeless dialog beside the main window,
// unless the basket is empty (the item box gets the focus) or another entry dialog
// is open (nothing happens).
void StartPriceAdjust();
void StartWeightAdjust();
void StartDiscount();

// "Sell an item not in the database" (2408): the modal on-screen keyboard; true when
// a line was added.
bool SellNonInventoryItem();
