// The basket on screen: the basket list, the totals area, the sounds, and the
// basket commands that change the live basket (g_app.basket). The arithmetic
// is in basket/basket.h.
#pragma once
#include <string>

// Appends an entry to the basket list and selects it (the new last entry).
void AppendBasketEntry(const std::string& text);
// Replaces the last entry of the basket list (a line whose price changed) and selects it.
void ReplaceLastBasketEntry(const std::string& text);

// How many entries the basket list holds.
int BasketListCount();
// The sale is over or gone: the basket list emptied and the record zeroed, quietly
// (no totals refresh, no sound).
void ForgetBasket();
// Repaints the totals area at once, puts the pole display's idle text up when a
// pole display is fitted, and plays sound 151 unless sounds are off or a
// repeat is running. Everything that changes the basket calls it.
void RefreshTotals();

// "Empty basket": when the list holds entries, empties it, zeroes the basket,
// refreshes the totals and plays sound 150. An empty basket is left alone.
void ClearBasket();

// "Void": removes the selected line (the last one when none is selected).
void RemoveSelectedBasketLine();

// "Repeat": adds the last line's item again, as many times as the number in
// the item box (once when there is none), through item entry.
void RepeatLastBasketLine();
// True only while "Repeat" is adding its copies: item entry then sends no pole
// display line and RefreshTotals plays no sound.
bool IsRepeatingLine();

// Parks the live basket on the current table and brings back table `table`
// (1..16), rebuilding the basket list.
void SwitchToBasketTable(int table);
