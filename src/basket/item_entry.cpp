#include "basket/item_entry.h"

#include <algorithm>
#include <cctype>
#include <cinttypes>
#include <cstdio>
#include <limits>

#include "basket/basket.h"
#include "basket/money.h"

namespace {

double TradePercentage(const TerminalConfig& config) { return config.Double(cfg::kTradeValues); }

// The kits being expanded, outermost first.
using KitPath = std::vector<std::int64_t>;

EntryResult AddAtDepth(ItemEntry& entry, std::int64_t number, std::int32_t mode, KitPath& path);

// Adds the kit's components; the kit itself gets no line. A component that is
// refused is not tried again for its remaining quantity. A kit that is already
// being expanded (it contains itself) or nested too deep is not valid and ends
// the whole expansion.
EntryResult ExpandKit(ItemEntry& entry, KitPath& path) {
    const std::int64_t kit = entry.current.Number();
    if (path.size() >= static_cast<std::size_t>(kMaxKitDepth) ||
        std::find(path.begin(), path.end(), kit) != path.end()) {
        entry.port.Problem(entrymsg::kInvalidEntry);
        return EntryResult::kStopped;
    }
    const std::vector<KitPart> parts = KitParts(entry.current);  // each lookup overwrites the record
    const int before = BasketLineCount(entry.basket);
    path.push_back(kit);
    EntryResult result = EntryResult::kRefused;
    for (const KitPart& part : parts) {
        for (std::int32_t i = 0; i < part.quantity && result != EntryResult::kStopped; ++i) {
            const EntryResult r = AddAtDepth(entry, part.item, part.mode, path);
            if (r == EntryResult::kStopped) result = r;
            if (r == EntryResult::kRefused) break;
        }
        if (result == EntryResult::kStopped) break;
    }
    path.pop_back();
    if (result == EntryResult::kStopped) return result;
    return BasketLineCount(entry.basket) > before ? EntryResult::kAdded : EntryResult::kRefused;
}

EntryResult AddAtDepth(ItemEntry& entry, std::int64_t number, std::int32_t mode, KitPath& path) {
    if (BasketIsFull(entry.basket)) {
        entry.port.Problem(entrymsg::kLineLimit);
        return EntryResult::kStopped;
    }
    const bool textLookup = entry.config.Switch(entrycfg::kTextLookup) == entrycfg::kTextLookupOn;
    const std::optional<ItemKey> key = BuildItemKey(number, entry.itemText, textLookup);
    if (!key) {
        entry.port.Problem(entrymsg::kInvalidEntry);
        return EntryResult::kRefused;
    }
    if (const unsigned long failure = entry.port.Fetch(*key, entry.current)) {
        entry.port.NetworkError(NetworkErrorText(failure));
        return EntryResult::kStopped;
    }
    const InventoryItem& item = entry.current;
    if (item.Number() == 0) {
        entry.port.Problem(entrymsg::kInvalidEntry);
        return EntryResult::kRefused;
    }
    if (IsKit(item)) return ExpandKit(entry, path);
    if (!StockAllowsAnotherLine(item, entry.basket, entry.config)) {
        entry.port.Problem(entrymsg::kOutOfStock);
        return EntryResult::kRefused;
    }
    const std::optional<double> price = ChooseLinePrice(item, entry.config, entry.basket, mode);
    if (!price) {
        entry.port.Problem(entrymsg::kNoTradePrice);
        return EntryResult::kRefused;
    }
    const std::optional<std::string> entryText = AddPricedLine(entry.basket, entry.config, item, *price);
    if (!entryText) {
        entry.port.Problem(entrymsg::kLineLimit);
        return EntryResult::kStopped;
    }
    const int line = BasketLineCount(entry.basket) - 1;
    const double lineTotal = entry.basket.LineTotal(line);
    const std::string description = entry.basket.LineDescription(line);
    const bool ageAlert = RaisesAgeAlert(item, mode);
    const std::int32_t ageLimit = item.AgeLimit();
    entry.port.LineAdded(*entryText);
    if (ageAlert) entry.port.AgeAlert(AgeAlertText(ageLimit));
    if (entry.config.Switch(basketcfg::kPoleFitted) != 0 && !entry.repeating)
        entry.port.PoleLine(description, lineTotal);
    return EntryResult::kAdded;
}

}  // namespace

std::string BoundedItemText(std::string_view text) { return std::string(text.substr(0, kItemTextMax)); }

std::int64_t LeadingItemNumber(std::string_view text) { return LeadingNumber(text.substr(0, kItemTextMax)); }

std::optional<ItemKey> BuildItemKey(std::int64_t number, std::string_view itemText, bool textLookupMode) {
    ItemKey key;
    if (textLookupMode && number == 0) {
        key.SetNumber(itemkey::kByText);
        key.SetSearchText(BoundedItemText(itemText));
        return key;
    }
    if (number <= 0) number = LeadingItemNumber(itemText);
    if (number < 0) return std::nullopt;
    char text[24];
    std::snprintf(text, sizeof text, "%" PRId64, number);
    key.SetNumber(itemkey::kFirstMatch);
    key.SetSearchText(text);
    return key;
}

int LinesWithItem(const TransactionRecord& basket, std::int64_t item) {
    const int n = BasketLineCount(basket);
    int count = 0;
    for (int i = 0; i < n; ++i)
        if (basket.LineItemNumber(i) == item) ++count;
    return count;
}

bool StockAllowsAnotherLine(const InventoryItem& item, const TransactionRecord& basket, const TerminalConfig& config) {
    if (config.Option(entrycfg::kSellWithoutStock) != 0) return true;
    const std::int32_t stock = item.InStock();
    if (stock < 1) return false;
    return 1 + LinesWithItem(basket, item.Number()) <= stock;
}

std::optional<double> ListPrice(const InventoryItem& item, const TerminalConfig& config) {
    double p = item.Price();
    if (config.Option(entrycfg::kTradePrices) != entrycfg::kTradePricesOn) return p;
    if (config.Switch(entrycfg::kTradeByPercentage) == 0) {
        if (!(item.TradePrice() > 0)) return std::nullopt;
        return item.TradePrice();
    }
    const double percentage = TradePercentage(config);
    if (percentage != 0) p = RoundMoney(p - percentage / 100 * p);
    return p;
}

double OfferPrice(double price, std::int32_t rule, int linesAlready) {
    if (rule == offerrule::kSecondFree && linesAlready % 2 == 1) return 0;
    if (rule == offerrule::kThirdFree && linesAlready % 3 == 2) return 0;
    return price;
}

std::optional<double> ChooseLinePrice(const InventoryItem& item, const TerminalConfig& config,
                                      const TransactionRecord& basket, std::int32_t mode) {
    std::optional<double> p = ListPrice(item, config);
    if (!p) return p;
    if (mode == entrymode::kFree) p = 0.0;
    return OfferPrice(*p, item.OfferRule(), LinesWithItem(basket, item.Number()));
}

std::vector<KitPart> KitParts(const InventoryItem& kit) {
    std::vector<KitPart> parts;
    for (int n = 1; n <= item::kKitComponentCount; ++n) {
        const std::string text = kit.KitComponent(n);
        if (text.empty()) continue;
        const std::int64_t number = LeadingItemNumber(text);
        const std::int32_t quantity = kit.KitQuantity(n);
        if (number < 1 || number > kLargestComponentNumber || quantity <= 0) continue;
        parts.push_back({number, kit.KitEntryMode(n), quantity});
    }
    return parts;
}

bool RaisesAgeAlert(const InventoryItem& item, std::int32_t mode) {
    return item.AgeLimit() >= 2 && mode != entrymode::kRepeat;
}

std::string AgeAlertText(std::int32_t ageLimit) { return std::to_string(ageLimit); }

std::string NetworkErrorText(unsigned long code) {
    char text[48];
    std::snprintf(text, sizeof text, "Network error: (0x%lx)\n", code);
    return text;
}

std::optional<std::string> AddPricedLine(TransactionRecord& basket, const TerminalConfig& config,
                                         const InventoryItem& item, double price) {
    const int n = BasketLineCount(basket);
    if (!PriceLineIntoTotals(basket, config, price, item.TaxCode(), item.CostPrice(), item.TaxRoundDown() != 0))
        return std::nullopt;
    basket.SetLineItemNumber(n, item.Number());
    basket.SetLineDescription(n, item.Description());
    basket.SetLineCount(n + 1);
    return InventoryEntryText(item.Number(), basket.LineDescription(n), item.InStock(), basket.LineTotal(n),
                              config.Switch(basketcfg::kEntryWithNumber) != 0);
}

EntryResult AddItemToBasket(ItemEntry& entry, std::int64_t number, std::int32_t mode) {
    KitPath path;
    return AddAtDepth(entry, number, mode, path);
}
