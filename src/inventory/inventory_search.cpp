#include "inventory/inventory_search.h"

#include <cstdio>
#include <set>

#include "basket/item_entry.h"
#include "basket/money.h"
#include "resources/resource_ids.h"

namespace {

ItemKey NumberKey(std::int64_t number) {
    ItemKey key;
    key.SetNumber(itemkey::kFirstMatch);
    key.SetSearchText(std::to_string(number));
    return key;
}

// Fetches into `current`; a failure says so and answers false.
bool Fetch(const ItemKey& key, InventoryItem& current, const InventorySteps& steps) {
    const unsigned long code = steps.fetch(key, current);
    if (code == 0) return true;
    steps.tell(NetworkErrorText(code), listmsg::kProblem);
    return false;
}

// Steps through the matches of a text search in the FIND INVENTORY dialog. False when
// nothing was accepted (no match, Cancel or a failure).
bool StepThroughMatches(InventoryItem& current, SearchKind kind, ItemKey key, bool cancelClears,
                        const InventorySteps& steps) {
    for (;;) {
        if (!Fetch(key, current, steps)) return false;
        if (current.Number() == 0) {
            steps.tell(listmsg::kNoMatch, invmsg::kSearchCaption);
            return false;
        }
        const FoundItemAnswer answer = steps.showFound(current);
        if (answer == FoundItemAnswer::Cancel && cancelClears) return false;
        if (answer != FoundItemAnswer::Next) return true;
        key.SetNumber(ContinuationNumber(kind, current.Number()));
    }
}

}  // namespace

ItemKey StartSearchKey(SearchKind kind, std::string_view text) {
    ItemKey key;
    key.SetNumber(kind == SearchKind::Sku ? itemkey::kFirstSkuMatch : itemkey::kFirstMatch);
    key.SetSearchText(text);
    return key;
}

std::int64_t ContinuationNumber(SearchKind kind, std::int64_t lastItem) {
    return kind == SearchKind::Sku ? itemkey::ContinueSkuSearch(lastItem)
                                   : itemkey::ContinueDescriptionSearch(lastItem);
}

bool CostVisible(const TerminalConfig& config) {
    const std::int64_t associate = config.CurrentAssociate();
    return associate == 1 || associate == 2 || (associate > 2 && config.Switch(invcfg::kHideCost) == 0);
}

const char* TaxText(std::int32_t taxCode) {
    switch (taxCode) {
    case 1: return "Tax 1 and 2";
    case 2: return "Tax 1";
    case 3: return "Tax 2";
    default: return "Non taxable";
    }
}

std::string DateAddedText(const std::string& stored, const LocalTime& now, DateFormatter format) {
    ClockText date = {};
    std::snprintf(date, sizeof date, "00:00%s", stored.c_str());
    return ConvertDateText(date, now, format) ? std::string(date) : stored;
}

std::string ItemListLine(const InventoryItem& item) {
    return std::to_string(item.Number()) + " " + item.Description();
}

std::vector<std::string> ListItemMatches(SearchKind kind, std::string_view text,
                                         const std::function<bool(const ItemKey&, InventoryItem&)>& fetch,
                                         bool& failed) {
    failed = false;
    std::vector<std::string> lines;
    std::set<std::int64_t> seen;
    ItemKey key = StartSearchKey(kind, text);
    for (;;) {
        InventoryItem reply;
        if (!fetch(key, reply)) {
            failed = true;
            break;
        }
        if (reply.Number() == 0 || !seen.insert(reply.Number()).second) break;
        lines.push_back(ItemListLine(reply));
        key.SetNumber(ContinuationNumber(kind, reply.Number()));
    }
    return lines;
}

void RunFindInventory(InventoryItem& current, SearchKind kind, const std::string& text, bool listOption,
                      const InventorySteps& steps) {
    ItemKey key = StartSearchKey(kind, text);
    bool direct = IsNumberSearch(text);
    if (listOption && (kind == SearchKind::Sku || !direct)) {
        std::int64_t chosen = 0;
        if (!steps.chooseFromList(kind, text, chosen)) return;
        key = NumberKey(chosen);
        direct = true;
    }
    if (!direct) {
        StepThroughMatches(current, kind, key, false, steps);
        return;
    }
    if (Fetch(key, current, steps) && current.Number() != 0) steps.showView(current);
}

void RunSearchForSale(InventoryItem& current, SearchKind kind, const std::string& text, bool listOption,
                      const InventorySteps& steps) {
    bool chosen = false;
    if (listOption) {
        std::int64_t number = 0;
        chosen = steps.chooseFromList(kind, text, number) && Fetch(NumberKey(number), current, steps);
    } else {
        chosen = StepThroughMatches(current, kind, StartSearchKey(kind, text), true, steps);
    }
    if (!chosen) current.SetNumber(0);
}

BoxTexts FoundItemBoxes(const InventoryItem& item, const TerminalConfig& config, const LocalTime& now,
                            DateFormatter format) {
    return {
        {IDC_INV_NUMBER, std::to_string(item.Number())},
        {IDC_INV_DESCRIPTION, item.Description()},
        {IDC_INV_SKU1, item.Sku(1)},
        {IDC_INV_SKU2, item.Sku(2)},
        {IDC_INV_SKU3, item.Sku(3)},
        {IDC_INV_SKU4, item.Sku(4)},
        {IDC_INV_COST, CostVisible(config) ? FormatMoney(item.CostPrice()) : std::string()},
        {IDC_INV_PRICE, FormatMoney(item.Price())},
        {IDC_INV_CATEGORY, config.CategoryCode(item.Category())},
        {IDC_INV_IN_STOCK, std::to_string(item.InStock())},
        {IDC_INV_TAX, TaxText(item.TaxCode())},
        {IDC_INV_DATE_ADDED, DateAddedText(item.DateAdded(), now, format)},
    };
}

BoxTexts ItemViewBoxes(const InventoryItem& item, const TerminalConfig& config, const LocalTime& now,
                           DateFormatter format) {
    BoxTexts boxes = FoundItemBoxes(item, config, now, format);
    const BoxTexts more = {
        {IDC_INV_TRADE_PRICE, FormatMoney(item.TradePrice())},
        {IDC_INV_ORDER_CODE, item.OrderCode()},
        {IDC_INV_ON_ORDER, std::to_string(item.OnOrder())},
        {IDC_INV_ORDER_QUANTITY, std::to_string(item.OrderQuantity())},
        {IDC_INV_MINIMUM_ORDER, std::to_string(item.MinimumOrder())},
        {IDC_INV_RESTOCK_LEVEL, std::to_string(item.RestockLevel())},
        {IDC_INV_NOTES, item.Notes()},
        {IDC_INV_DELIVERY, FormatMoney(item.Delivery())},
        {IDC_INV_WEIGHT, FormatMoney(item.Weight())},
        {IDC_INV_COMMITTED, std::to_string(item.Committed())},
        {IDC_INV_DELIVERY_LEAD, std::to_string(item.DeliveryLead())},
        {IDC_INV_LABELS, std::to_string(item.LabelsToPrint())},
        {IDC_INV_SOR, item.SaleOrReturn() == 1 ? "YES" : "NO"},
    };
    boxes.insert(boxes.end(), more.begin(), more.end());
    return boxes;
}
