// Inventory search: the walk through replies and dialogs for Find, Find by SKU and
// the search for sale; what the item dialogs show.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "inventory/inventory_search.h"
#include "resources/resource_ids.h"

namespace {

InventoryItem Item(std::int64_t number, const char* description = "KINGSBRIDGE VODKA") {
    InventoryItem item;
    item.SetNumber(number);
    item.SetDescription(description);
    return item;
}

// A search run against scripted answers, recording what it showed and the keys sent.
struct Script {
    std::deque<InventoryItem> replies;  // an empty queue is a failed call (code 0x6ba)
    std::deque<FoundItemAnswer> answers = {};
    std::int64_t listChoice = 0;        // 0 cancels the list
    std::vector<std::string> shown = {};
    std::vector<std::string> keys = {};  // "number text"

    InventorySteps Steps() {
        InventorySteps s;
        s.chooseFromList = [this](SearchKind kind, const std::string& text, std::int64_t& chosen) {
            shown.push_back(std::string(kind == SearchKind::Sku ? "sku" : "description") + " list of " + text);
            chosen = listChoice;
            return listChoice != 0;
        };
        s.fetch = [this](const ItemKey& key, InventoryItem& item) -> unsigned long {
            keys.push_back(std::to_string(key.Number()) + " " + key.SearchText());
            if (replies.empty()) return 0x6ba;
            item = replies.front();
            replies.pop_front();
            return 0;
        };
        s.showFound = [this](const InventoryItem& item) {
            shown.push_back("found " + std::to_string(item.Number()));
            const FoundItemAnswer a = answers.front();
            answers.pop_front();
            return a;
        };
        s.showView = [this](const InventoryItem& item) { shown.push_back("view " + std::to_string(item.Number())); };
        s.tell = [this](const std::string& text, const char*) { shown.push_back(text); };
        return s;
    }
};

TEST(InventorySearch, WalksRepliesAndDialogs) {
    const InventoryItem none, i40 = Item(40), i41 = Item(41);
    const std::string networkError = "Network error: (0x6ba)\n";
    using A = FoundItemAnswer;
    using V = std::vector<std::string>;
    constexpr auto D = SearchKind::Description, S = SearchKind::Sku;
    struct Row {
        const char* why;
        bool forSale;
        SearchKind kind;
        const char* text;
        bool listOption;
        Script script;
        V shown;
        std::int64_t current;
        V keys;
    };
    Row rows[] = {
        {"Find by SKU with a number shows the first match directly", false, S, "5012340010019", false, {{i40}},
         {"view 40"}, 40, {"-2 5012340010019"}},
        {"a direct search finding nothing is silent", false, D, "77", false, {{none}}, {}, 0, {"-1 77"}},
        {"a description search steps on from the item shown", false, D, "VOD", false,
         {{i40, i41, none}, {A::Next, A::Next}}, {"found 40", "found 41", invmsg::kNoMatch}, 0,
         {"-1 VOD", "40 VOD", "41 VOD"}},
        {"an SKU search continues with minus the number minus 2", false, S, "KB", false, {{i40, i41}, {A::Next, A::Ok}},
         {"found 40", "found 41"}, 41, {"-2 KB", "-42 KB"}},
        {"Cancel in Find keeps the item shown", false, D, "VOD", false, {{i40}, {A::Cancel}}, {"found 40"}, 40,
         {"-1 VOD"}},
        {"with the list option a number typed skips the list", false, D, "40", true, {{i40}, {}, 41}, {"view 40"},
         40, {"-1 40"}},
        {"with the list option Find by SKU always lists", false, S, "40", true, {{i41}, {}, 41},
         {"sku list of 40", "view 41"}, 41, {"-1 41"}},
        {"a cancelled list fetches nothing", false, D, "VOD", true, {{}, {}, 0}, {"description list of VOD"}, 99, {}},
        {"a failure shows the exception's code", false, D, "VOD", false, {{}}, {networkError}, 99, {"-1 VOD"}},
        {"for sale a number typed is searched as text", true, D, "40", false, {{i40}, {A::Ok}}, {"found 40"}, 40,
         {"-1 40"}},
        {"for sale Cancel leaves nothing to sell", true, D, "VOD", false, {{i40}, {A::Cancel}}, {"found 40"}, 0,
         {"-1 VOD"}},
        {"for sale no match leaves nothing to sell", true, S, "XYZ", false, {{none}}, {invmsg::kNoMatch}, 0,
         {"-2 XYZ"}},
        {"for sale the item chosen in the list is fetched by number, no view", true, D, "VOD", true, {{i41}, {}, 41},
         {"description list of VOD"}, 41, {"-1 41"}},
        {"for sale a cancelled list does not sell the previous item", true, D, "VOD", true, {{}, {}, 0},
         {"description list of VOD"}, 0, {}},
        {"for sale a failure does not sell the previous item", true, D, "VOD", false, {{}}, {networkError}, 0,
         {"-1 VOD"}},
    };
    for (Row& r : rows) {
        InventoryItem current = Item(99);
        if (r.forSale)
            RunSearchForSale(current, r.kind, r.text, r.listOption, r.script.Steps());
        else
            RunFindInventory(current, r.kind, r.text, r.listOption, r.script.Steps());
        EXPECT_EQ(r.script.shown, r.shown) << r.why;
        EXPECT_EQ(current.Number(), r.current) << r.why;
        EXPECT_EQ(r.script.keys, r.keys) << r.why;
    }
}

TEST(InventorySearch, ListStopsAtTheEndOrARepeat) {
    struct Row { std::vector<std::int64_t> replies; bool fails; std::vector<std::string> lines; const char* why; };
    const Row rows[] = {
        {{40, 41, 0}, false, {"40 KINGSBRIDGE VODKA", "41 KINGSBRIDGE VODKA"}, "ends at number 0"},
        {{40, 41, 40}, false, {"40 KINGSBRIDGE VODKA", "41 KINGSBRIDGE VODKA"}, "a repeated item ends the list"},
        {{40}, true, {"40 KINGSBRIDGE VODKA"}, "a failure keeps the lines so far"},
    };
    for (const Row& r : rows) {
        std::deque<std::int64_t> replies(r.replies.begin(), r.replies.end());
        std::vector<std::int64_t> keys;
        bool failed = false;
        const auto lines = ListItemMatches(SearchKind::Sku, "501", [&](const ItemKey& key, InventoryItem& item) {
            keys.push_back(key.Number());
            if (replies.empty()) return false;
            item = Item(replies.front());
            replies.pop_front();
            return true;
        }, failed);
        EXPECT_EQ(lines, r.lines) << r.why;
        EXPECT_EQ(failed, r.fails) << r.why;
        EXPECT_EQ(keys.front(), -2) << r.why;
        if (keys.size() > 1) {
            EXPECT_EQ(keys[1], -42) << "an SKU list continues after item 40";
        }
    }
}

TEST(InventorySearch, CostIsShownOnlyToThoseAllowed) {
    struct Row { std::int64_t associate; std::int32_t hideCost; bool visible; };
    const Row rows[] = {{0, 0, false}, {1, 1, true}, {2, 1, true}, {3, 0, true}, {3, 1, false}, {-4, 0, false}};
    for (const Row& r : rows) {
        TerminalConfig config;
        config.SetCurrentAssociate(r.associate);
        config.SetSwitch(invcfg::kHideCost, r.hideCost);
        EXPECT_EQ(CostVisible(config), r.visible) << "associate " << r.associate << " hide " << r.hideCost;
    }
}

int NumericDate(const LocalTime& t, const char*, char* out, int size) {
    return std::snprintf(out, static_cast<std::size_t>(size), "%d.%d.%d", t.day, t.month, t.year);
}

TEST(InventorySearch, DialogsShowTheItem) {
    InventoryItem item = Item(1001, "KINGSBRIDGE VODKA 70CL");
    item.SetCostPrice(9.8);
    item.SetPrice(15.83);
    item.SetTaxCode(2);
    item.SetSaleOrReturn(1);
    item.SetDateAdded("03/02/2025");
    TerminalConfig config;
    ApplyDefaults(config, LocalTime{});
    config.SetCurrentAssociate(0);
    struct Row { std::int32_t category; std::int32_t tax; const char* dateAdded; const char* categoryText;
                 const char* taxText; const char* dateText; const char* why; };
    const Row rows[] = {
        {0, 1, "03/02/2025", "ALC", "Tax 1 and 2", "3.2.2025", "first code of the first table; day first"},
        {17, 2, "", "WIN", "Tax 1", "", "category 17 is the ninth code of the second table"},
        {18, 3, "SOON", "", "Tax 2", "SOON", "category 18 shows nothing; a date that cannot be converted stays"},
        {-1, 4, "31/13/2025", "", "Non taxable", "31/13/2025", "negative category shows nothing; month 13"},
    };
    for (const Row& r : rows) {
        item.SetCategory(r.category);
        item.SetTaxCode(r.tax);
        item.SetDateAdded(r.dateAdded);
        std::map<int, std::string> view;
        for (const auto& [id, text] : ItemViewBoxes(item, config, LocalTime{}, NumericDate)) view[id] = text;
        EXPECT_EQ(view[IDC_INV_CATEGORY], r.categoryText) << r.why;
        EXPECT_EQ(view[IDC_INV_TAX], r.taxText) << r.why;
        EXPECT_EQ(view[IDC_INV_DATE_ADDED], r.dateText) << r.why;
        EXPECT_EQ(view[IDC_INV_COST], "") << "associate 0 never sees the cost";
        EXPECT_EQ(view[IDC_INV_PRICE], "15.83") << r.why;
        EXPECT_EQ(view[IDC_INV_SOR], "YES") << r.why;
    }
    const auto found = FoundItemBoxes(item, config, LocalTime{}, NumericDate);
    EXPECT_EQ(found.size(), 12u) << "FIND INVENTORY fills number, description, 4 SKUs, cost, price, category, "
                                    "stock, tax and date";
}

}  // namespace
