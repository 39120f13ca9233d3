#include "basket/item_entry.h"

#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "basket/basket.h"

namespace {

InventoryItem MakeItem(std::int64_t number, const char* description, double price, std::int32_t stock = 50,
                       double trade = 0, std::int32_t offer = 0, std::int32_t age = 0) {
    InventoryItem item;
    item.SetNumber(number), item.SetDescription(description), item.SetPrice(price), item.SetCostPrice(price / 2);
    item.SetInStock(stock), item.SetTradePrice(trade), item.SetOfferRule(offer), item.SetAgeLimit(age);
    return item;
}

struct Component { std::string number; std::int32_t quantity; std::int32_t mode = entrymode::kNormal; };
InventoryItem MakeKit(std::int64_t number, const std::vector<Component>& components) {
    InventoryItem kit = MakeItem(number, "Kit", 99);
    kit.SetKitFlag(item::kIsKit);
    for (int n = 1; n <= static_cast<int>(components.size()); ++n) {
        const Component& c = components[n - 1];
        kit.SetKitComponent(n, c.number), kit.SetKitQuantity(n, c.quantity), kit.SetKitEntryMode(n, c.mode);
    }
    return kit;
}

TEST(ItemEntryRules, KeysAndLeadingNumbers) {
    const auto key = [](std::int64_t number, const std::string& text, bool textMode) {
        const auto k = BuildItemKey(number, text, textMode);
        return k ? std::to_string(k->Number()) + " " + k->SearchText() : "refused";
    };
    const std::string first = std::to_string(itemkey::kFirstMatch) + " ";
    EXPECT_EQ(key(-1, "VODKA", false), first + "0") << "a number below 1 reads the text";
    EXPECT_EQ(key(-3, "-1", true), "refused") << "a given number below 0 reads the text even in text mode";
    EXPECT_EQ(key(100000000000000000LL, "", false), first + "100000000000000000");
    EXPECT_EQ(key(0, std::string(50, 'K'), true), std::to_string(itemkey::kByText) + " " + std::string(37, 'K'));
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    const std::pair<std::string, std::int64_t> numbers[] = {{" +42x", 42}, {"99999999999999999999", kMax},
        {"-99999999999999999999", -kMax - 1}, {std::string(36, ' ') + "7", 7}, {std::string(37, ' ') + "7", 0}};
    for (const auto& [text, number] : numbers) EXPECT_EQ(LeadingItemNumber(text), number) << "'" << text << "'";
}

// A shop of a few items and kits behind the port, an empty basket, tax 1 at 20 %.
struct Till : ItemEntryPort {
    Till() {
        config.SetOption(basketcfg::kTax1Enabled, 2), config.SetOption(basketcfg::kTax1Rate, 2000);
        using namespace offerrule;
        for (const InventoryItem& item :
             {MakeItem(1001, "Vodka", 15.83, 14), MakeItem(12, "Milk", 0.89), MakeItem(9, "Tea", 9.99, 50, 7.5),
              MakeItem(4, "Rare", 1.0, 2, 0, kSecondFree), MakeItem(5, "Crisps", 1.2, 50, 0, kSecondFree),
              MakeItem(6, "Dip", 2.5), MakeItem(7, "Soap", 0.99, 50, 0, kThirdFree), MakeItem(8, "Ice", 2, 0),
              MakeItem(30, "Cola", 1.5), MakeItem(1002, "Gin", 18.33, 50, 0, 0, 18),
              MakeItem(13, "Cider", 3, 50, 0, 0, 2), MakeItem(14, "Shandy", 2, 50, 0, 0, 1)})
            items[item.Number()] = item;
        items[1001].SetTaxCode(1);
        items[900] = MakeKit(900, {{"1001", 2}, {"0", 1}, {"30", 1, entrymode::kFree}});
        items[910] = MakeKit(910, {{"8", 1000}, {"41", 1000}, {"30", 2}});
        items[920] = MakeKit(920, {{"30", 1}, {"920", 1000}, {"30", 1}});
        items[921] = MakeKit(921, {{"922", 50}});
        items[922] = MakeKit(922, {{"921", 50}});
        for (int d = 0; d < 4; ++d) items[800 + d] = MakeKit(800 + d, {{d < 3 ? std::to_string(801 + d) : "30", 1}});
        for (int d = 0; d < 5; ++d) items[810 + d] = MakeKit(810 + d, {{d < 4 ? std::to_string(811 + d) : "30", 1}});
    }
    // Finds an item by its number as decimal text, or by its description.
    unsigned long Fetch(const ItemKey& key, InventoryItem& item) override {
        ++fetches;
        if (failure) return failure;
        item = InventoryItem{};
        for (const auto& [number, it] : items)
            if (key.SearchText() == (key.Number() == itemkey::kByText ? it.Description() : std::to_string(number)))
                item = it;
        return 0;
    }
    void Problem(const char* text) override { events.push_back(std::string("problem:") + text); }
    void NetworkError(const std::string& text) override { events.push_back("network:" + text); }
    void LineAdded(const std::string& entry) override { events.push_back(entry); }
    void AgeAlert(const std::string& text) override { events.push_back("age:" + text); }
    void PoleLine(const std::string& text, double total) override {
        events.push_back("pole:" + text + " " + std::to_string(total));
    }

    EntryResult Enter(std::int64_t number, std::int32_t mode = entrymode::kNormal, const std::string& text = {}) {
        ItemEntry entry{basket, config, current, text, repeating, *this};
        return AddItemToBasket(entry, number, mode);
    }
    // One step of a row: an item number, "type TEXT", "repeat N", "void LINE", or a setting.
    EntryResult Step(const std::string& step, EntryResult last) {
        const auto arg = [&] { return step.substr(step.find(' ') + 1); };
        if (step.starts_with("type ")) return Enter(0, entrymode::kNormal, arg());
        if (step.starts_with("repeat ")) return Enter(std::stoll(arg()), entrymode::kRepeat);
        if (step.starts_with("void ")) EXPECT_TRUE(RemoveBasketLine(basket, std::stoi(arg())));
        else if (step.starts_with("trade ")) config.SetOption(entrycfg::kTradePrices, std::stoi(arg()));
        else if (step == "percentages") config.SetSwitch(entrycfg::kTradeByPercentage, 1);
        else if (step.starts_with("off ")) config.SetDouble(cfg::kTradeValues, std::stod(arg()));
        else if (step == "numbered") config.SetSwitch(basketcfg::kEntryWithNumber, 1);
        else if (step == "textmode") config.SetSwitch(entrycfg::kTextLookup, entrycfg::kTextLookupOn);
        else if (step == "offline") failure = 0x6ba;
        else if (step == "unlimited") config.SetOption(entrycfg::kSellWithoutStock, 1);
        else if (step == "pole") config.SetSwitch(basketcfg::kPoleFitted, 1);
        else if (step == "repeating") repeating = true;
        else return Enter(std::stoll(step));
        return last;
    }

    std::map<std::int64_t, InventoryItem> items;
    unsigned long failure = 0;
    int fetches = 0;
    std::vector<std::string> events;
    TransactionRecord basket;
    TerminalConfig config;
    InventoryItem current;
    bool repeating = false;
};

using Events = std::vector<std::string>;
const std::string kVodka = "Vodka (14)  19.00", kMilk = "Milk (50)  0.89", kCola = "Cola (50)  1.50",
                  kInvalid = "problem:Invalid entry";
constexpr EntryResult kAdded = EntryResult::kAdded, kRefused = EntryResult::kRefused, kStopped = EntryResult::kStopped;

TEST(ItemEntryFlow, EachEntryAddsRefusesOrStops) {
    struct Row { const char* why; std::vector<std::string> steps; EntryResult last; Events events; // {}: unchecked
                 std::vector<double> prices; int fetches; };
    const Row rows[] = {
        {"a typed number: the taxed line (15.83 + 20 %); switch 129 puts the number first",
         {"type 1001\r\n", "numbered", "type 1001abc"}, kAdded, {kVodka, "1001  Vodka (14)  19.00"}, {15.83, 15.83}, 2},
        {"unknown, empty and 0 are looked up and invalid; a negative number is not looked up",
         {"type 0\r\n", "type ", "type -12", "type 12abc"}, kAdded, {kInvalid, kInvalid, kInvalid, kMilk}, {0.89}, 3},
        {"text mode looks the text up; a number given is still a number", {"textmode", "type Milk", "type 12", "12"},
         kAdded, {kMilk, kInvalid, kMilk}, {0.89, 0.89}, 3},
        {"a network failure stops, the basket as it was", {"12", "offline", "12"}, kStopped,
         {kMilk, "network:Network error: (0x6ba)\n"}, {0.89}, 2},
        {"stock covers the lines there, free ones too; unless selling without", {"4", "4", "4", "unlimited", "4"},
         kAdded, {"Rare (2)  1.00", "Rare (2)  0.00", "problem:Item out of stock", "Rare (2)  1.00"}, {1, 0, 1}, 4},
        {"trade prices with option value 2 only; refused without one", {"trade 1", "9", "trade 2", "9", "12"},
         kRefused, {"Tea (50)  9.99", "Tea (50)  7.50", "problem:Trade price option active, no trade price"},
         {9.99, 7.5}, 3},
        {"a percentage off retail, to the cent: 8.991, 13.85125, 7.915", {"trade 2", "percentages", "off 10", "9",
         "off 12.5", "1001", "off 50", "1001", "off 0", "12"}, kAdded, {}, {8.99, 13.85, 7.92, 0.89}, 4},
        {"offer 2: 2nd, 4th ... free; others do not count", {"5", "5", "5", "5", "6", "5"}, kAdded, {},
         {1.2, 0, 1.2, 0, 2.5, 1.2}, 6},
        {"offer 2 counts the lines left after a void", {"5", "5", "5", "5", "6", "5", "void 0", "5"}, kAdded, {},
         {0, 1.2, 0, 2.5, 1.2, 1.2}, 7},
        {"offer 4: 3rd, 6th ... free, repeats counted", {"7", "repeat 7", "7", "repeat 7", "7", "repeat 7"}, kAdded,
         {}, {0.99, 0.99, 0, 0.99, 0.99, 0}, 6},
        {"the age alert after the line, from limit 2, not on a repeat", {"1002", "repeat 1002", "13", "14"}, kAdded,
         {"Gin (50)  18.33", "age:18", "Gin (50)  18.33", "Cider (50)  3.00", "age:2", "Shandy (50)  2.00"},
         {18.33, 18.33, 3, 2}, 4},
        {"the pole line only when fitted and not repeating", {"12", "pole", "12", "repeating", "repeat 12"}, kAdded,
         {kMilk, kMilk, "pole:Milk 0.890000", kMilk}, {0.89, 0.89, 0.89}, 3},
        {"a kit adds its components (free mode at 0), no line of its own", {"900"}, kAdded,
         {kVodka, kVodka, "Cola (50)  0.00"}, {15.83, 15.83, 0}, 4},
        {"refused components are tried once, the rest still added", {"910"}, kAdded,
         {"problem:Item out of stock", kInvalid, kCola, kCola}, {1.5, 1.5}, 5},
        {"a kit containing itself stops the expansion", {"920"}, kStopped, {kCola, kInvalid}, {1.5}, 3},
        {"kits containing each other stop it too", {"921"}, kStopped, {kInvalid}, {}, 3},
        {"kits nest four deep", {"800"}, kAdded, {kCola}, {1.5}, 5},
        {"five deep is too deep", {"810"}, kStopped, {kInvalid}, {}, 5},
    };
    for (const Row& row : rows) {
        Till till;
        EntryResult last = kAdded;
        for (const std::string& step : row.steps) last = till.Step(step, last);
        std::vector<double> prices;
        double cost = 0;
        for (int i = 0; i < BasketLineCount(till.basket); ++i) {
            prices.push_back(till.basket.LineNonTaxable(i) + till.basket.LineTaxable(i));
            cost += till.items[till.basket.LineItemNumber(i)].CostPrice();
        }
        EXPECT_EQ(std::tuple(last, prices, till.fetches), std::tuple(row.last, row.prices, row.fetches)) << row.why;
        EXPECT_EQ(row.events.empty() ? row.events : till.events, row.events) << row.why;
        EXPECT_DOUBLE_EQ(till.basket.CostTotal(), cost) << "each line carries its item's cost: " << row.why;
    }
}

TEST(ItemEntryFlow, NoLineBeyondFourHundred) {
    Till till;
    till.config.SetOption(entrycfg::kSellWithoutStock, 1);
    till.items[930] = MakeKit(930, {{"30", 1000}});
    for (int i = 0; i < txn::kMaxLines - 3; ++i) ASSERT_EQ(till.Enter(30), kAdded);
    till.events.clear(), till.fetches = 0;
    EXPECT_EQ(till.Enter(930), kStopped);
    EXPECT_EQ(till.events, (Events{kCola, kCola, kCola, "problem:Transaction limit 400 items"}));
    EXPECT_EQ(till.fetches, 4) << "the line beyond 400 is refused before its lookup";
}

}  // namespace
