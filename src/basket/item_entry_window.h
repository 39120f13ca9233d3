// Item entry on screen: the lookup behind the "Please wait.." box, the messages,
// the basket list and the totals area around the rules of basket/item_entry.h.
#pragma once
#include <cstdint>
#include <string>

#include "link/records.h"

// The current item record: the last item looked up (also after a failure),
// read by the price, inventory and picture-button code.
InventoryItem& CurrentItem();

// Adds the item to the live basket. number <= 0 takes the number from the item
// text buffer (the last text entered, or else the item box); mode as in
// basket/item_entry.h.
void AddItemToBasket(std::int64_t number, std::int32_t mode);

// The item box's Enter: the text (at most kItemTextMax characters kept) becomes
// the item text buffer and is looked up in normal mode.
void EnterItemText(const std::string& text);
// A picture button, search result or repeat: the item by its number (in repeat
// mode while a repeat is running).
void AddItemFromButton(std::int64_t item);
