// The non-inventory sale ("nbox"): a line for something the server does not stock,
// typed on an on-screen keyboard as a description and the price the customer pays,
// with tax 1 and tax 2 worked out of that price. What the dialog shows and decides.
#pragma once
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "link/records.h"
#include "shell/terminal_config.h"

namespace noninvmsg {
inline constexpr const char* kShortDescription = "Description must be at least two characters";
}  // namespace noninvmsg

namespace noninvcfg {
inline constexpr int kDefaultTaxes = 131;  // switch: tick the taxes that are on when the dialog opens
inline constexpr const char* kDefaultCaptions[4] = {"Misc", "Lottery", "Accessories", "Loose items"};
}  // namespace noninvcfg

// The description takes 38 characters, the price 19.
inline constexpr std::size_t kNonInventoryDescriptionMax = 38;
inline constexpr std::size_t kNonInventoryPriceMax = 19;

struct NonInventoryState {
    std::string description;             // 1101
    std::string price;                   // 1102, typed with its decimal point
    bool tax1 = false, tax2 = false;     // check boxes 2800, 2801
    std::string nett, tax1Text, tax2Text, total;  // 1106, 1103, 1104, 1105
    std::array<std::string, 4> categories;        // captions of the buttons 2408..2411
};

// The dialog as it opens: the default taxes when switch [131] is set, and any empty
// category caption of the live configuration set to its default there.
NonInventoryState OpenNonInventory(TerminalConfig& live);

// The keyboard: letters and space go to the description, digits and the point to the
// price; each "DELETE" removes the last character of its field.
void TypeDescription(NonInventoryState& state, char c);
void EraseDescription(NonInventoryState& state);
void TypePrice(NonInventoryState& state, const TerminalConfig& config, char c);
void ErasePrice(NonInventoryState& state, const TerminalConfig& config);
// A category button: its caption becomes the description.
void ChooseCategory(NonInventoryState& state, int index);
// A price button ("1.00" ... "20.00") or any text set into the price field.
void SetPrice(NonInventoryState& state, const TerminalConfig& config, std::string_view price);
void SetTaxes(NonInventoryState& state, const TerminalConfig& config, bool tax1, bool tax2);

// The price buttons 2400..2405 and 2407, in that order.
inline constexpr const char* kPriceButtons[7] = {"1.00", "2.00", "3.00", "4.00", "5.00", "10.00", "20.00"};

// What "Add" leaves the dialog to do.
struct NonInventoryOutcome {
    enum Action { kStay, kAdded, kFull } action = kStay;
    const char* message = nullptr;  // kStay and kFull: shown under "Problem"
    bool focusPrice = false;        // kStay: the field to focus, else the description
    std::string entry;              // kAdded: the new basket list entry
};
// Adds the line (item number 0) to the basket and the totals, or says why not.
NonInventoryOutcome PressAdd(const NonInventoryState& state, TransactionRecord& basket, const TerminalConfig& config);
