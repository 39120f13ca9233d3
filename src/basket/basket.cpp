#include "basket/basket.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>

#include "basket/money.h"

namespace {

using namespace basketcfg;

struct LineArray {
    std::size_t offset;
    std::size_t width;
};
// All nine per-line fields.
constexpr LineArray kLineArrays[] = {
    {txn::kLineItemNumbers, 8},    {txn::kLineDescriptions, txn::kLineDescriptionWidth},
    {txn::kLineNonTaxable, 8},     {txn::kLineTaxable, 8},
    {txn::kLineTax1, 8},           {txn::kLineTax2, 8},
    {txn::kLineCost, 8},           {txn::kLineDiscount, 8},
    {txn::kLineTotal, 8},
};

bool ThresholdMode(const TerminalConfig& config) { return config.Switch(kThresholdMode) == kThresholdModeOn; }

// Description texts in list entries: what a line's description field can hold.
std::string_view BoundedDescription(std::string_view description) {
    return description.substr(0, std::min(description.size(), txn::kLineDescriptionWidth - 1));
}

std::string BoundedEntry(std::string text) {
    if (text.size() > kBasketEntryTextMax) text.resize(kBasketEntryTextMax);
    return text;
}

bool StoreUsable(std::size_t size) { return size >= kBasketTablesSize; }
bool TableInRange(int table) { return table >= 1 && table <= kBasketTableCount; }

}  // namespace

int BasketLineCount(const TransactionRecord& basket) {
    return std::clamp(basket.LineCount(), 0, txn::kMaxLines);
}

bool PriceLineIntoTotals(TransactionRecord& basket, const TerminalConfig& config, double price,
                         std::int32_t taxCode, double cost, bool roundDown) {
    if (BasketIsFull(basket)) return false;
    const int n = BasketLineCount(basket);
    const double p = price;

    // Every amount of the new line is written, whatever its slot held before.
    basket.SetLineTotal(n, p);
    basket.SetLineDiscount(n, 0);
    basket.SetLineCost(n, cost);
    basket.SetLineNonTaxable(n, 0);
    basket.SetLineTaxable(n, 0);
    basket.SetLineTax1(n, 0);
    basket.SetLineTax2(n, 0);

    if (taxCode == 0) {
        basket.SetLineNonTaxable(n, p);
        basket.SetNonTaxableTotal(RoundMoney(basket.NonTaxableTotal() + p));
        basket.SetTotal(RoundMoney(basket.Total() + p));
    } else {
        double t1 = 0;
        const std::int64_t rate1 = config.Option(kTax1Rate);
        if (config.Option(kTax1Enabled) != 0 && rate1 > 0 && taxCode != 3) {
            const bool threshold = ThresholdMode(config);
            const double limit = config.Amount(kThresholdAmount);
            const double before = basket.TaxableTotal();
            t1 = static_cast<double>(rate1) * p / 10000;
            if (threshold && p + before >= limit && limit > before) {
                t1 = (p + before - limit) * static_cast<double>(rate1) / 10000;
            }
            t1 = RoundTax(t1, roundDown);
            if (threshold && limit > p + before) t1 = 0;
            basket.SetTax1Total(RoundMoney(basket.Tax1Total() + t1));
            basket.SetLineTax1(n, t1);
        }

        basket.SetLineTaxable(n, p);
        basket.SetTaxableTotal(RoundMoney(basket.TaxableTotal() + p));

        double t2 = 0;
        const std::int64_t rate2 = config.Option(kTax2Rate);
        if (config.Option(kTax2Enabled) != 0 && rate2 > 0 && taxCode != 2) {
            const double base = config.Option(kTaxOnTax) != 0 ? p + t1 : p;
            t2 = static_cast<double>(rate2) * base / 10000;
        }
        t2 = RoundTax(t2, roundDown);
        basket.SetTax2Total(RoundMoney(basket.Tax2Total() + t2));
        basket.SetLineTax2(n, t2);

        basket.SetTotal(RoundMoney(basket.Total() + p + t1 + t2));
        basket.SetLineTotal(n, p + t1 + t2);
    }

    basket.SetCostTotal(basket.CostTotal() + cost);
    basket.SetSubTotal(RoundMoney(basket.SubTotal() + p));
    return true;
}

bool RemoveBasketLine(TransactionRecord& basket, int line) {
    const int n = BasketLineCount(basket);
    if (n < 1) return false;
    const int s = (line >= 0 && line < n) ? line : n - 1;

    basket.SetTax1Total(RoundMoney(basket.Tax1Total() - basket.LineTax1(s)));
    basket.SetTax2Total(RoundMoney(basket.Tax2Total() - basket.LineTax2(s)));
    basket.SetCostTotal(basket.CostTotal() - basket.LineCost(s));
    basket.SetDiscountTotal(basket.DiscountTotal() - basket.LineDiscount(s));
    if (const double amount = basket.LineNonTaxable(s); amount > 0) {
        basket.SetNonTaxableTotal(RoundMoney(basket.NonTaxableTotal() - amount));
        basket.SetSubTotal(RoundMoney(basket.SubTotal() - amount));
    }
    if (const double amount = basket.LineTaxable(s); amount > 0) {
        basket.SetTaxableTotal(RoundMoney(basket.TaxableTotal() - amount));
        basket.SetSubTotal(RoundMoney(basket.SubTotal() - amount));
    }
    basket.SetTotal(RoundMoney(basket.Total() - basket.LineTotal(s)));

    // Close the gap (lines s+1 .. n-1 move up one place, every field of them), then
    // clear the freed last slot: the next line priced there must start from nothing.
    const auto moved = static_cast<std::size_t>(n - 1 - s);
    for (const auto& a : kLineArrays) {
        std::uint8_t* at = basket.data() + a.offset + static_cast<std::size_t>(s) * a.width;
        std::memmove(at, at + a.width, moved * a.width);
        std::memset(basket.data() + a.offset + static_cast<std::size_t>(n - 1) * a.width, 0, a.width);
    }

    basket.SetLineCount(n - 1);
    if (n - 1 == 0) basket.bytes.fill(0);
    return true;
}

void ApplyDiscountToTotals(TransactionRecord& basket, const TerminalConfig& config, double amount) {
    const double d = amount;
    const double nonTaxable = basket.NonTaxableTotal();
    const double taxable = basket.TaxableTotal();
    const double subTotal = basket.SubTotal();
    const double tax1 = basket.Tax1Total();
    const double tax2 = basket.Tax2Total();

    basket.SetDiscountTotal(basket.DiscountTotal() + d);
    basket.SetSubTotal(subTotal - d);
    if (taxable == 0) {
        // Nothing taxable: the whole discount comes off the non-taxable amount.
        basket.SetNonTaxableTotal(nonTaxable - d);
        basket.SetTotal(basket.Total() - d);
        return;
    }

    double newTaxable = taxable - d;
    if (nonTaxable != 0) {
        // Mixed basket: the non-taxable share of the discount in proportion to
        // the sub total, the taxable part takes the rest.
        double newNonTaxable = nonTaxable;
        if (subTotal != 0) newNonTaxable = RoundMoney(nonTaxable - nonTaxable / subTotal * d);
        basket.SetNonTaxableTotal(newNonTaxable);
        newTaxable = taxable - (d - (nonTaxable - newNonTaxable));
    }
    basket.SetTaxableTotal(newTaxable);

    if (tax1 > 0) {
        if (ThresholdMode(config) && config.Amount(kThresholdAmount) >= newTaxable) {
            basket.SetTax1Total(0);
        } else {
            basket.SetTax1Total(RoundMoney(tax1 / taxable * newTaxable));
        }
    }
    if (tax2 > 0) basket.SetTax2Total(RoundMoney(tax2 / taxable * newTaxable));
    basket.SetTotal(basket.SubTotal() + basket.Tax1Total() + basket.Tax2Total());
}

int RepeatCount(std::string_view itemBoxText) {
    std::string_view text = itemBoxText.substr(0, std::min<std::size_t>(itemBoxText.size(), 37));
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min<long long>(value * 10 + (text[i] - '0'), static_cast<long long>(INT_MAX) + 1);
    }
    if (negative) value = -value;
    const int count = static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
    return count == 0 ? 1 : count;
}

RepeatCheck CheckRepeat(const TransactionRecord& basket, int count) {
    const int n = BasketLineCount(basket);
    if (n < 1) return RepeatCheck::kNoItems;
    if (count > txn::kMaxLines - n) return RepeatCheck::kOverLimit;
    return RepeatCheck::kAllowed;
}

TableSwitchCheck CheckTableSwitch(int table, int currentTable, std::span<const std::uint8_t> store) {
    if (!TableInRange(table)) return TableSwitchCheck::kInvalid;
    if (table == currentTable) return TableSwitchCheck::kCurrent;
    if (!StoreUsable(store.size())) return TableSwitchCheck::kNoStore;
    return TableSwitchCheck::kSwitch;
}

bool ParkBasket(const TransactionRecord& basket, int table, std::span<std::uint8_t> store) {
    if (!TableInRange(table) || !StoreUsable(store.size())) return false;
    std::memcpy(store.data() + static_cast<std::size_t>(table - 1) * txn::kSize, basket.data(), txn::kSize);
    return true;
}

bool UnparkBasket(TransactionRecord& basket, int table, std::span<const std::uint8_t> store) {
    if (!TableInRange(table) || !StoreUsable(store.size())) return false;
    std::memcpy(basket.data(), store.data() + static_cast<std::size_t>(table - 1) * txn::kSize, txn::kSize);
    return true;
}

std::string InventoryEntryText(std::int64_t itemNumber, std::string_view description, std::int32_t stock,
                               double lineTotal, bool withItemNumber) {
    std::string text;
    if (withItemNumber) text = std::to_string(itemNumber) + "  ";
    text += BoundedDescription(description);
    text += " (" + std::to_string(stock) + ")  " + FormatMoney(lineTotal);
    return BoundedEntry(std::move(text));
}

std::string NonInventoryEntryText(std::string_view description, double lineTotal) {
    std::string text(BoundedDescription(description));
    text += "  " + FormatMoney(lineTotal);
    return BoundedEntry(std::move(text));
}

std::string StoredEntryText(const TransactionRecord& basket, int line, bool withItemNumber) {
    std::string text;
    if (withItemNumber) text = std::to_string(basket.LineItemNumber(line)) + "  ";
    text += BoundedDescription(basket.LineDescription(line));
    text += "  " + FormatMoney(basket.LineTotal(line));
    return BoundedEntry(std::move(text));
}
