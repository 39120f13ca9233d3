// Item entry: turns an item number or a piece of typed or scanned text into a
// basket line. The key for the server lookup, the stock checks against the lines
// already in the basket, the choice of the line price (retail, trade, a
// percentage off retail, free), the offer rules, kit expansion and the age alert
// are decided here with no Windows in sight; the window side supplies the
// lookup, the messages and the basket list through ItemEntryPort.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/records.h"
#include "shell/terminal_config.h"

// Configuration entries item entry reads.
namespace entrycfg {
inline constexpr int kTextLookup = 6;         // switch: 2 = look the entered text up as text
inline constexpr std::int32_t kTextLookupOn = 2;
inline constexpr int kSellWithoutStock = 34;  // option: non-zero = no stock checks
inline constexpr int kTradePrices = 42;       // option: 2 = trade prices active
inline constexpr std::int64_t kTradePricesOn = 2;
inline constexpr int kTradeByPercentage = 22; // switch: in trade mode, non-zero = percentage off retail
// The trade percentage: entry [0] of the double[10] at cfg::kTradeValues.
}  // namespace entrycfg

// The modes of an entry; kit components pass their stored mode, of which only
// these two change anything.
namespace entrymode {
inline constexpr std::int32_t kNormal = 0;
inline constexpr std::int32_t kFree = 2;    // the line's price is 0
inline constexpr std::int32_t kRepeat = 4;  // no age alert
}  // namespace entrymode

// The offer rules of an item (kit term [12]).
namespace offerrule {
inline constexpr std::int32_t kSecondFree = 2;  // 2nd, 4th, 6th ... free
inline constexpr std::int32_t kThirdFree = 4;   // 3rd, 6th, 9th ... free
}  // namespace offerrule

namespace entrymsg {
inline constexpr const char* kProblem = "Problem";
inline constexpr const char* kInvalidEntry = "Invalid entry";
inline constexpr const char* kOutOfStock = "Item out of stock";
inline constexpr const char* kNoTradePrice = "Trade price option active, no trade price";
inline constexpr const char* kLineLimit = "Transaction limit 400 items";
inline constexpr const char* kAgeAlert = "Age alert";
}  // namespace entrymsg

// The item text buffer holds at most this many characters of what was typed.
inline constexpr std::size_t kItemTextMax = 37;
// Kits inside kits are expanded this many levels deep at most. A kit found
// deeper, or one that contains itself directly or through another kit, is not
// valid ("Invalid entry") and ends the expansion; lines added before stay.
inline constexpr int kMaxKitDepth = 4;
// Kit component numbers outside 1..10^17 are ignored.
inline constexpr std::int64_t kLargestComponentNumber = 100000000000000000LL;

// The first kItemTextMax characters of the text.
std::string BoundedItemText(std::string_view text);

// The leading decimal integer of the (bounded) text as the C library reads it:
// leading blanks and a sign allowed, digits up to the first other character,
// 0 when there are none, saturated to the 64-bit range.
std::int64_t LeadingItemNumber(std::string_view text);

// The lookup key. In text lookup mode with number 0 the key searches by the
// text; otherwise a number of 0 or less is taken from the text, and the key asks
// for that number (kFirstMatch with the number as decimal text). Empty when the
// number is negative ("Invalid entry").
std::optional<ItemKey> BuildItemKey(std::int64_t number, std::string_view itemText, bool textLookupMode);

// The number of basket lines holding this item number, free lines included.
int LinesWithItem(const TransactionRecord& basket, std::int64_t item);

// Whether another line of the item may be sold: always when selling without
// stock is allowed; otherwise the stock must be at least 1 and cover the lines
// of the item already in the basket plus this one.
bool StockAllowsAnotherLine(const InventoryItem& item, const TransactionRecord& basket, const TerminalConfig& config);

// The price before mode and offer rules: retail, or in trade mode the trade
// price (empty when the item has none: "Trade price option active, no trade
// price") or the retail price less the trade percentage, rounded to cents.
std::optional<double> ListPrice(const InventoryItem& item, const TerminalConfig& config);

// The price after the offer rule, given how many lines of the item the basket
// already holds.
double OfferPrice(double price, std::int32_t rule, int linesAlready);

// The line price of one more line of the item: ListPrice, 0 in free mode, then
// the offer rule. Empty as ListPrice.
std::optional<double> ChooseLinePrice(const InventoryItem& item, const TerminalConfig& config,
                                      const TransactionRecord& basket, std::int32_t mode);

// The components of a kit that are added: number between 1 and 10^17 and a
// quantity above 0, in component order, copied out of the record.
struct KitPart {
    std::int64_t item = 0;
    std::int32_t mode = 0;
    std::int32_t quantity = 0;
};
std::vector<KitPart> KitParts(const InventoryItem& kit);
inline bool IsKit(const InventoryItem& item) { return item.KitFlag() == item::kIsKit; }

// The age alert: an age limit of 2 or more, except on a repeat.
bool RaisesAgeAlert(const InventoryItem& item, std::int32_t mode);
std::string AgeAlertText(std::int32_t ageLimit);  // "%d"
std::string NetworkErrorText(unsigned long code); // "Network error: (0x%x)\n"

// Writes the line at index line count (item number, description, prices and
// taxes), adds it to the totals and increments the line count. Returns the
// basket list entry of the new line, or nothing when the basket is full.
std::optional<std::string> AddPricedLine(TransactionRecord& basket, const TerminalConfig& config,
                                         const InventoryItem& item, double price);

// What item entry needs from the window side.
class ItemEntryPort {
public:
    virtual ~ItemEntryPort() = default;
    // Looks the key up into item; 0 or the code of the remote failure.
    virtual unsigned long Fetch(const ItemKey& key, InventoryItem& item) = 0;
    // A message with caption "Problem".
    virtual void Problem(const char* text) = 0;
    // The network error message (caption "Problem", no owner window).
    virtual void NetworkError(const std::string& text) = 0;
    // A line is in the basket record: show its entry and the new totals.
    virtual void LineAdded(const std::string& entryText) = 0;
    // The age alert (caption "Age alert"), after the line is shown.
    virtual void AgeAlert(const std::string& text) = 0;
    // The new line for the pole display (only when one is fitted, outside a repeat).
    virtual void PoleLine(const std::string& description, double lineTotal) = 0;
};

// One entry: the live basket and configuration, the current item record (every
// lookup overwrites it), the item text buffer and whether a repeat is running.
struct ItemEntry {
    TransactionRecord& basket;
    const TerminalConfig& config;
    InventoryItem& current;
    std::string itemText;
    bool repeating = false;
    ItemEntryPort& port;
};

enum class EntryResult {
    kAdded,    // at least one line added
    kRefused,  // nothing added, with its message
    kStopped,  // nothing more can be added: basket full, network failure, kit nested too deep
};

// Adds the item (number <= 0: from the item text buffer) in the given mode,
// expanding kits. Every refusal shows its own message through the port.
EntryResult AddItemToBasket(ItemEntry& entry, std::int64_t number, std::int32_t mode);
