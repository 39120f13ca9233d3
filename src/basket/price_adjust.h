// Changing the money of a basket that already holds lines: a new price for the last
// line ("Adjust item price"), its price from a weight ("Adjust by weight"), and a
// discount off the total ("Discountwo") or before tax ("Discoun2"). What the dialogs
// show and decide, as plain state and events; the dialogs move text between their
// controls and these functions.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/records.h"
#include "shell/terminal_config.h"

namespace pricemsg {
inline constexpr const char* kInvalidPrice = "Invalid price";
inline constexpr const char* kDiscountExceeds = "Discount exceeds transaction";
inline constexpr const char* kInvalidDiscount = "Invalid discount";
}  // namespace pricemsg

// Configuration entries the price dialogs read.
namespace pricecfg {
inline constexpr int kDiscountOffTotal = 28;  // switch: non-zero "Discountwo", 0 "Discoun2"
inline constexpr int kCostForManagersOnly = 139;  // switch: cost shown only to associates 1 and 2
}  // namespace pricecfg

// Tax 1 and tax 2 of a line price, as the price dialogs work them out: the rates
// and switches of the configuration and the item's tax code and round-down flag; no
// threshold.
struct LineTaxes {
    double tax1 = 0;
    double tax2 = 0;
};
LineTaxes TaxesOnPrice(const TerminalConfig& config, double price, std::int32_t taxCode, bool roundDown);

// Boxes 1106..1110 of the price and weight dialogs: the last line's figures.
struct LineFigures {
    std::string nonTaxable, taxable, tax1, tax2, total;
};

// "Adjust item price" and "Adjust by weight".
struct LineAdjustState {
    bool itemFound = false;      // the opening lookup gave the line's item; else the boxes are empty
    int line = -1;               // the last line when the dialog opened
    std::string itemNumber;      // 1102
    std::string description;     // 1103
    std::string cost;            // 1104, empty when the associate may not see it
    std::string listPrice;       // 1105
    LineFigures figures;         // 1106..1110
    std::string typedPrice;      // 1101 of the price dialog, typed without the point
    std::string weight;          // 1101 of the weight dialog, a whole number
    std::string priceBeforeTax;  // 1111 of the weight dialog
    InventoryItem item;          // the line's item as the server gave it
};

// The cost price is shown to associates 1 and 2, and to everybody unless switch [139] is set.
bool CostVisible(const TerminalConfig& config, std::int64_t associate);

// The dialog as it opens on the basket's last line; `fetched` is the line's item, or
// nothing when the lookup failed.
LineAdjustState OpenLineAdjust(const TransactionRecord& basket, const std::optional<InventoryItem>& fetched,
                               bool showCost);
LineAdjustState OpenWeightAdjust(const TransactionRecord& basket, const std::optional<InventoryItem>& fetched,
                                 bool showCost);

// The line figures for a price: total, and on a taxable line taxable and taxes;
// on a non-taxable line only the non-taxable amount and the total.
void RecomputeFigures(LineAdjustState& state, const TerminalConfig& config, double price);

// Box 1101 of the price dialog changed: a typed amount above 0 recomputes the figures.
void TypeAdjustedPrice(LineAdjustState& state, const TerminalConfig& config, std::string_view typed);
// "Zero": every figure 0; the caller goes on as OK.
void PressZero(LineAdjustState& state);

// Box 1101 of the weight dialog changed: a weight of 1..100000 sets the price before
// tax (list price / 100 * weight) and the figures follow.
void TypeWeight(LineAdjustState& state, const TerminalConfig& config, std::string_view typed);
// Entry `index` of the weight list (weights 1..2000) does the same with weight index + 1.
void ChooseWeight(LineAdjustState& state, const TerminalConfig& config, int index);
inline constexpr int kWeightListSize = 2000;
inline constexpr int kWeightListShown = 99;  // the entry of weight 100
// Box 1111 changed: a price above 0 recomputes the figures.
void ChangePriceBeforeTax(LineAdjustState& state, const TerminalConfig& config, std::string_view text);

// What OK leaves the dialog to do.
struct AdjustOutcome {
    bool write = false;            // write the figures back and close
    const char* message = nullptr; // else show this under "Problem" and stay
};
AdjustOutcome PressPriceOk(const LineAdjustState& state, const TransactionRecord& basket);
AdjustOutcome PressWeightOk(const LineAdjustState& state);

// Writes the figures into the line the dialog opened on and moves the totals by the
// differences (not rounded). Returns the line's new basket list entry.
std::string WriteLineFigures(TransactionRecord& basket, const LineAdjustState& state, bool withItemNumber);

// ---------------------------------------------------------------------------------
// The transaction discount.
struct DiscountState {
    bool offTotal = false;        // "Discountwo"; else "Discoun2", before tax
    double discountBefore = 0;    // D0: the discount total on opening
    double totalBefore = 0;       // T0
    double subTotalBefore = 0;    // S0
    std::array<std::string, 5> totals;  // non taxable, taxable, tax 1, tax 2, total
    std::string typed;            // 1101, typed without the point
    std::string amended;          // 1112
    std::vector<std::string> percents;  // the percent list: "0.00", "0.50", ...
};
DiscountState OpenDiscount(const TransactionRecord& basket, bool offTotal);
void TypeDiscount(DiscountState& state, const TransactionRecord& basket, std::string_view typed);
// The discount in hundredths that percent entry `index` puts into box 1101.
std::string PercentDiscountTyped(const DiscountState& state, const TransactionRecord& basket, int index);

struct DiscountOutcome {
    bool close = false;            // the discount (if any) is applied: close
    const char* message = nullptr; // else show this under "Problem" and stay
};
DiscountOutcome PressDiscountOk(const DiscountState& state, TransactionRecord& basket, const TerminalConfig& config);
