// The inventory commands of the main window: Find and Find by SKU with the item view
// and its pictures, the search for sale behind item entry's Item search, and the
// picture buttons filled from the server.
#pragma once
#include <string>

#include "inventory/inventory_search.h"
#include "inventory/pictures.h"

// Find (F2, descriptions) and Find by SKU (F3): the item found is shown, nothing sold.
void FindInventory(SearchKind kind);
// The search for the text typed in Item search; the item chosen is sold.
void SearchInventoryForSale(const std::string& text, SearchKind kind);

// Brings a picture file from the server into the data directory, saying what went wrong.
TransferResult TransferPictureFile(const std::string& name);

// Start-up and a new server connection: the stock pictures, then the picture buttons.
void TransferPicturesAndLoadButtons();
// The picture buttons of the current category from its first page (not offline).
void RefillPictureButtons();
// The next or previous page of picture buttons.
void ScrollPictureButtons(bool forwards);
// Repaints the category buttons when they are showing.
void RepaintCategoryButtons();
