// What the shell's shared dialogs decide: the basket-table buttons, the item-search
// type and the lengths of the texts they hand back, the texts of the "Please select:"
// list, and the boxes a dialog fills when it opens. Portable: the dialogs are in
// shared_dialogs.cpp.
#pragma once
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "basket/basket.h"  // kBasketTableCount
#include "shell/terminal_config.h"

// What the customer and item searches and their "Please select:" list tell the associate.
namespace listmsg {
inline constexpr const char* kNoMatch = "No match found";
inline constexpr const char* kNetworkError = "Network error";
inline constexpr const char* kProblem = "Problem";
}  // namespace listmsg

// Control id and text of each box a dialog fills when it opens.
using BoxTexts = std::vector<std::pair<int, std::string>>;

// The table a "BASKETBOX" button chooses, 1..16; 0 for any other control.
int BasketTableOfButton(int controlId);
// The button of a table, 0 when the table is not 1..16.
int BasketButtonOfTable(int table);
// The label of the current table's button: ">%d<".
std::string CurrentBasketTableLabel(int table);

// Longest texts the dialogs return (the edit boxes take no more either).
inline constexpr std::size_t kNoteLength = 79;             // "PESTER"
inline constexpr std::size_t kSearchTextLength = 38;       // "PICBOX"
inline constexpr std::size_t kPromptValueLength = 34;      // "EDITBOX"
inline constexpr std::size_t kTwoFieldFirstLength = 29;    // "EDIT2BOX" edit 1101
inline constexpr std::size_t kTwoFieldSecondLength = 7;    // "EDIT2BOX" field 1102

// The item search's default type lives in switch [32]: non-zero is "Within SKUs".
inline constexpr int kSearchTypeSwitch = 32;
bool SearchWithinSkusByDefault(const TerminalConfig& config);
// The radio button of a search type.
int SearchTypeButton(bool withinSkus);
// After OK: a ticked "Keep search type as default" stores the chosen type.
void KeepSearchType(TerminalConfig& config, bool keep, bool withinSkus);
