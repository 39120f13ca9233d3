// The basket of the transaction in progress: the arithmetic of its lines and
// totals, the parked baskets of the sixteen basket tables, and the texts of the
// basket list. The basket is one TransactionRecord image; line i is element i
// of its per-line arrays, at most txn::kMaxLines (400) of them. Nothing here
// touches Windows: the basket window code drives the list box, the totals area
// and the sounds around these functions.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "link/records.h"
#include "shell/terminal_config.h"

// Configuration entries the basket arithmetic reads.
namespace basketcfg {
inline constexpr int kTax1Enabled = 29;    // option: non-zero = tax 1 charged
inline constexpr int kTax2Enabled = 31;    // option: non-zero = tax 2 charged
inline constexpr int kTax1Rate = 33;       // option: hundredths of a per cent
inline constexpr int kTax2Rate = 35;       // option: hundredths of a per cent
inline constexpr int kTaxOnTax = 37;       // option: non-zero = tax 2 on price plus tax 1
inline constexpr int kThresholdMode = 120; // switch: 2 = tax 1 only above amount [0]
inline constexpr int kThresholdAmount = 0; // amount
inline constexpr int kSoundsOff = 16;      // switch
inline constexpr int kPoleFitted = 100;    // switch
inline constexpr int kEntryWithNumber = 129;  // switch: list entries start with the item number
inline constexpr std::int32_t kThresholdModeOn = 2;
}  // namespace basketcfg

// The line count as a usable index bound: the stored count clamped to 0..400.
int BasketLineCount(const TransactionRecord& basket);
inline bool BasketIsFull(const TransactionRecord& basket) { return BasketLineCount(basket) >= txn::kMaxLines; }

// Prices a new line at index line count: writes its total, discount (0), cost,
// non-taxable or taxable amount and taxes, and adds them to the totals. The
// caller writes the item number and description and then increments the line
// count. Tax codes: 0 not taxable, 2 tax 1 only, 3 tax 2 only, anything else
// both taxes. Returns false, changing nothing, when the basket already holds
// 400 lines.
bool PriceLineIntoTotals(TransactionRecord& basket, const TerminalConfig& config, double price,
                         std::int32_t taxCode, double cost, bool roundDown);

// Takes line `line` out of the totals and out of the basket: a line in the
// middle closes the gap (the later lines move up one place); the last line has
// its amounts zeroed. A line outside 0..count-1 means the last line. When the
// count returns to 0 the whole record is zeroed (customer and note included).
// Returns false, changing nothing, when the basket is empty.
bool RemoveBasketLine(TransactionRecord& basket, int line);

// Spreads a discount of `amount` over the totals (no line changes): the
// non-taxable part in proportion to the sub total, taxes following the
// taxable total.
void ApplyDiscountToTotals(TransactionRecord& basket, const TerminalConfig& config, double amount);

// The "Repeat" command's count: the leading decimal integer of the item box
// text (at most its first 37 characters, leading blanks and a sign allowed,
// saturated to the int range), or 1 when that is 0.
int RepeatCount(std::string_view itemBoxText);

enum class RepeatCheck {
    kNoItems,        // "No items"
    kOverLimit,      // "Transaction limit 400 items"
    kAllowed,        // add the last line's item `count` times (none when count < 0)
};
RepeatCheck CheckRepeat(const TransactionRecord& basket, int count);

// The basket tables: the live basket plus sixteen parked images held in one
// block of 16 * 43406 bytes.
inline constexpr int kBasketTableCount = 16;
inline constexpr std::size_t kBasketTablesSize = kBasketTableCount * txn::kSize;

enum class TableSwitchCheck {
    kInvalid,        // "Basket not valid"
    kCurrent,        // already the current table: nothing to do
    kNoStore,        // "Insufficient memory available"
    kSwitch,
};
// `store` shorter than kBasketTablesSize counts as missing.
TableSwitchCheck CheckTableSwitch(int table, int currentTable, std::span<const std::uint8_t> store);
// Copies the live basket into the slot of `table` (1..16); false when the table
// or the store is not usable.
bool ParkBasket(const TransactionRecord& basket, int table, std::span<std::uint8_t> store);
// Copies the slot of `table` (1..16) into the live basket; false as above.
bool UnparkBasket(TransactionRecord& basket, int table, std::span<const std::uint8_t> store);

// Basket list entry texts, at most kBasketEntryTextMax characters.
inline constexpr std::size_t kBasketEntryTextMax = 127;
// A line added from the inventory: "number  description (stock)  total" with
// switch [129], else "description (stock)  total".
std::string InventoryEntryText(std::int64_t itemNumber, std::string_view description, std::int32_t stock,
                               double lineTotal, bool withItemNumber);
// A non-inventory line: "description  total".
std::string NonInventoryEntryText(std::string_view description, double lineTotal);
// An entry rebuilt from a stored basket (no stock quantity): "number  description
// total" with switch [129], else "description  total".
std::string StoredEntryText(const TransactionRecord& basket, int line, bool withItemNumber);

