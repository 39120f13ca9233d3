#include "basket/item_entry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "basket/basket.h"

namespace {

// --- keys -----------------------------------------------------------------------

TEST(ItemEntryKey, NumberTypedIsSentAsTextWithTheFirstMatchKey) {
    const auto key = BuildItemKey(0, "12abc\r\n", false);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->Number(), itemkey::kFirstMatch);
    EXPECT_EQ(key->SearchText(), "12");

    const auto zero = BuildItemKey(0, "0\r\n", false);
    ASSERT_TRUE(zero);
    EXPECT_EQ(zero->SearchText(), "0");
    const auto empty = BuildItemKey(0, "", false);
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->Number(), itemkey::kFirstMatch);
    EXPECT_EQ(empty->SearchText(), "0");
    const auto words = BuildItemKey(-1, "VODKA", false);
    ASSERT_TRUE(words);
    EXPECT_EQ(words->SearchText(), "0");
}

TEST(ItemEntryKey, GivenNumberWinsOverTheText) {
    const auto key = BuildItemKey(1002, "77", true);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->Number(), itemkey::kFirstMatch);
    EXPECT_EQ(key->SearchText(), "1002");
    const auto big = BuildItemKey(100000000000000000LL, "", false);
    ASSERT_TRUE(big);
    EXPECT_EQ(big->SearchText(), "100000000000000000");
}

TEST(ItemEntryKey, NegativeNumbersAreRefused) {
    EXPECT_FALSE(BuildItemKey(0, "-5", false));
    EXPECT_FALSE(BuildItemKey(0, "  -12abc", false));
    EXPECT_FALSE(BuildItemKey(-3, "-1", true));  // a given number below 0 reads the text even in text mode
    EXPECT_TRUE(BuildItemKey(0, "-5", true));    // text lookup: the text is the key
}

TEST(ItemEntryKey, TextLookupSendsTheBoundedTextWithTheTextKey) {
    const std::string typed(50, 'K');
    const auto key = BuildItemKey(0, typed, true);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->Number(), itemkey::kByText);
    EXPECT_EQ(key->SearchText(), std::string(kItemTextMax, 'K'));
    const auto empty = BuildItemKey(0, "", true);
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->Number(), itemkey::kByText);
    EXPECT_EQ(empty->SearchText(), "");
}

TEST(ItemEntryKey, LeadingNumberFollowsTheCLibraryAndSaturates) {
    EXPECT_EQ(LeadingItemNumber(" +42x"), 42);
    EXPECT_EQ(LeadingItemNumber("abc"), 0);
    EXPECT_EQ(LeadingItemNumber("-"), 0);
    EXPECT_EQ(LeadingItemNumber("99999999999999999999"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(LeadingItemNumber("-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(LeadingItemNumber("-99999999999999999999"), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(LeadingItemNumber("9223372036854775807"), std::numeric_limits<std::int64_t>::max());
    // Only the first 37 characters are read.
    EXPECT_EQ(LeadingItemNumber(std::string(36, ' ') + "7"), 7);
    EXPECT_EQ(LeadingItemNumber(std::string(37, ' ') + "7"), 0);
}

// --- prices -----------------------------------------------------------------------

InventoryItem MakeItem(std::int64_t number, const char* description, double price, std::int32_t stock = 50) {
    InventoryItem item;
    item.SetNumber(number);
    item.SetDescription(description);
    item.SetPrice(price);
    item.SetInStock(stock);
    return item;
}

TerminalConfig TradeConfig(bool byPercentage, double percentage) {
    TerminalConfig c;
    c.SetOption(entrycfg::kTradePrices, entrycfg::kTradePricesOn);
    c.SetSwitch(entrycfg::kTradeByPercentage, byPercentage ? 1 : 0);
    c.SetDouble(cfg::kTradeValues, percentage);
    return c;
}

TEST(ItemEntryPrice, RetailOutsideTradeMode) {
    InventoryItem item = MakeItem(1, "Tea", 9.99);
    item.SetTradePrice(7.5);
    TerminalConfig c = TradeConfig(false, 10);
    c.SetOption(entrycfg::kTradePrices, 1);  // only 2 switches trade prices on
    EXPECT_EQ(ListPrice(item, c), 9.99);
}

TEST(ItemEntryPrice, TradePriceOrRefusalWithoutOne) {
    InventoryItem item = MakeItem(1, "Tea", 9.99);
    item.SetTradePrice(7.5);
    EXPECT_EQ(ListPrice(item, TradeConfig(false, 10)), 7.5);
    item.SetTradePrice(0);
    EXPECT_FALSE(ListPrice(item, TradeConfig(false, 10)));
    item.SetTradePrice(-1);
    EXPECT_FALSE(ListPrice(item, TradeConfig(false, 10)));
}

TEST(ItemEntryPrice, TradePercentageOffRetailRoundedToCents) {
    InventoryItem item = MakeItem(1, "Tea", 9.99);
    EXPECT_EQ(ListPrice(item, TradeConfig(true, 10)), 8.99);  // 9.99 - 0.999 = 8.991
    EXPECT_EQ(ListPrice(item, TradeConfig(true, 0)), 9.99);
    item.SetPrice(15.83);
    EXPECT_EQ(ListPrice(item, TradeConfig(true, 12.5)), 13.85);  // 15.83 - 1.97875 = 13.85125
    item.SetTradePrice(0);  // no trade price needed in percentage mode
    EXPECT_EQ(ListPrice(item, TradeConfig(true, 50)), 7.92);  // 7.915 rounds up
}

TEST(ItemEntryPrice, FreeModeAndOfferRules) {
    InventoryItem item = MakeItem(5, "Crisps", 1.2);
    TransactionRecord basket;
    const TerminalConfig plain;
    EXPECT_EQ(ChooseLinePrice(item, plain, basket, entrymode::kFree), 0.0);
    EXPECT_EQ(ChooseLinePrice(item, plain, basket, entrymode::kRepeat), 1.2);
    EXPECT_EQ(ChooseLinePrice(item, plain, basket, 7), 1.2);  // other component modes change nothing

    EXPECT_EQ(OfferPrice(2, offerrule::kSecondFree, 0), 2);
    EXPECT_EQ(OfferPrice(2, offerrule::kSecondFree, 1), 0);
    EXPECT_EQ(OfferPrice(2, offerrule::kSecondFree, 3), 0);
    EXPECT_EQ(OfferPrice(2, offerrule::kThirdFree, 1), 2);
    EXPECT_EQ(OfferPrice(2, offerrule::kThirdFree, 2), 0);
    EXPECT_EQ(OfferPrice(2, offerrule::kThirdFree, 5), 0);
    EXPECT_EQ(OfferPrice(2, offerrule::kThirdFree, 3), 2);
    EXPECT_EQ(OfferPrice(2, 3, 1), 2);
}

TEST(ItemEntryStock, CountsTheLinesAlreadyInTheBasket) {
    InventoryItem item = MakeItem(5, "Crisps", 1.2, 2);
    TransactionRecord basket;
    TerminalConfig c;
    EXPECT_TRUE(StockAllowsAnotherLine(item, basket, c));
    ASSERT_TRUE(AddPricedLine(basket, c, item, 1.2));
    EXPECT_TRUE(StockAllowsAnotherLine(item, basket, c));
    ASSERT_TRUE(AddPricedLine(basket, c, item, 0));
    EXPECT_FALSE(StockAllowsAnotherLine(item, basket, c));
    item.SetInStock(0);
    TransactionRecord empty;
    EXPECT_FALSE(StockAllowsAnotherLine(item, empty, c));
    item.SetInStock(-4);
    EXPECT_FALSE(StockAllowsAnotherLine(item, empty, c));
    c.SetOption(entrycfg::kSellWithoutStock, 1);
    EXPECT_TRUE(StockAllowsAnotherLine(item, basket, c));
}

TEST(ItemEntryKit, PartsKeepValidComponentsInOrder) {
    InventoryItem kit = MakeItem(900, "Party pack", 0);
    kit.SetKitFlag(item::kIsKit);
    kit.SetKitComponent(1, "1001");
    kit.SetKitQuantity(1, 2);
    kit.SetKitComponent(2, "0");
    kit.SetKitQuantity(2, 1);
    kit.SetKitComponent(3, "100000000000000001");
    kit.SetKitQuantity(3, 1);
    kit.SetKitComponent(4, "77 cans");
    kit.SetKitQuantity(4, 0);
    kit.SetKitComponent(5, "100000000000000000");
    kit.SetKitQuantity(5, 1);
    kit.SetKitEntryMode(5, entrymode::kFree);
    kit.SetKitComponent(6, "-4");
    kit.SetKitQuantity(6, 3);
    const std::vector<KitPart> parts = KitParts(kit);
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0].item, 1001);
    EXPECT_EQ(parts[0].quantity, 2);
    EXPECT_EQ(parts[0].mode, 0);
    EXPECT_EQ(parts[1].item, 100000000000000000LL);
    EXPECT_EQ(parts[1].mode, entrymode::kFree);
}

TEST(ItemEntryTexts, AgeAlertAndNetworkError) {
    InventoryItem item = MakeItem(1, "Gin", 18);
    item.SetAgeLimit(1);
    EXPECT_FALSE(RaisesAgeAlert(item, entrymode::kNormal));
    item.SetAgeLimit(2);
    EXPECT_TRUE(RaisesAgeAlert(item, entrymode::kNormal));
    EXPECT_TRUE(RaisesAgeAlert(item, entrymode::kFree));
    EXPECT_FALSE(RaisesAgeAlert(item, entrymode::kRepeat));
    EXPECT_EQ(AgeAlertText(18), "18");
    EXPECT_EQ(NetworkErrorText(0x6ba), "Network error: (0x6ba)\n");
    EXPECT_EQ(NetworkErrorText(0xffffffffUL), "Network error: (0xffffffff)\n");
}

// --- the whole entry against a fake shop ---------------------------------------

class FakeShop : public ItemEntryPort {
public:
    std::map<std::int64_t, InventoryItem> items;
    unsigned long failure = 0;
    int fetches = 0;
    std::vector<std::string> events;  // "problem:", "network:", "line:", "age:", "pole:"

    void Add(const InventoryItem& item) { items[item.Number()] = item; }

    unsigned long Fetch(const ItemKey& key, InventoryItem& item) override {
        ++fetches;
        if (failure) return failure;
        item = InventoryItem{};
        if (key.Number() == itemkey::kFirstMatch) {
            const auto found = items.find(LeadingItemNumber(key.SearchText()));
            if (found != items.end()) item = found->second;
        } else if (key.Number() == itemkey::kByText) {
            for (const auto& [number, candidate] : items)
                if (candidate.Description() == key.SearchText()) item = candidate;
        }
        return 0;
    }
    void Problem(const char* text) override { events.push_back(std::string("problem:") + text); }
    void NetworkError(const std::string& text) override { events.push_back("network:" + text); }
    void LineAdded(const std::string& entryText) override { events.push_back("line:" + entryText); }
    void AgeAlert(const std::string& text) override { events.push_back("age:" + text); }
    void PoleLine(const std::string& description, double total) override {
        events.push_back("pole:" + description + " " + std::to_string(total));
    }
    int Count(const std::string& event) const {
        int n = 0;
        for (const std::string& e : events) n += e == event;
        return n;
    }
};

class ItemEntryFlow : public testing::Test {
protected:
    EntryResult Enter(std::int64_t number, std::int32_t mode = entrymode::kNormal, const std::string& text = {}) {
        ItemEntry entry{basket, config, current, text, repeating, shop};
        return AddItemToBasket(entry, number, mode);
    }
    EntryResult Type(const std::string& text) { return Enter(0, entrymode::kNormal, text); }
    std::vector<double> LinePrices() const {
        std::vector<double> prices;
        for (int i = 0; i < BasketLineCount(basket); ++i)
            prices.push_back(basket.LineNonTaxable(i) + basket.LineTaxable(i));
        return prices;
    }

    FakeShop shop;
    TransactionRecord basket;
    TerminalConfig config;
    InventoryItem current;
    bool repeating = false;
};

TEST_F(ItemEntryFlow, TypedNumberAddsAPricedTaxedLineAndItsEntry) {
    config.SetOption(basketcfg::kTax1Enabled, 2);
    config.SetOption(basketcfg::kTax1Rate, 2000);
    InventoryItem vodka = MakeItem(1001, "Kingsbridge Vodka 70cl", 15.83, 14);
    vodka.SetTaxCode(1);
    vodka.SetCostPrice(9.8);
    shop.Add(vodka);
    EXPECT_EQ(Type("1001\r\n"), EntryResult::kAdded);
    ASSERT_EQ(basket.LineCount(), 1);
    EXPECT_EQ(basket.LineItemNumber(0), 1001);
    EXPECT_EQ(basket.LineDescription(0), "Kingsbridge Vodka 70cl");
    EXPECT_DOUBLE_EQ(basket.LineTaxable(0), 15.83);
    EXPECT_DOUBLE_EQ(basket.LineTax1(0), 3.17);
    EXPECT_DOUBLE_EQ(basket.Total(), 19.0);
    EXPECT_DOUBLE_EQ(basket.CostTotal(), 9.8);
    EXPECT_EQ(shop.events, std::vector<std::string>{"line:Kingsbridge Vodka 70cl (14)  19.00"});
    EXPECT_EQ(current.Number(), 1001);

    config.SetSwitch(basketcfg::kEntryWithNumber, 1);
    EXPECT_EQ(Type("1001abc"), EntryResult::kAdded);
    EXPECT_EQ(shop.events.back(), "line:1001  Kingsbridge Vodka 70cl (14)  19.00");
    EXPECT_DOUBLE_EQ(basket.Total(), 38.0);
}

TEST_F(ItemEntryFlow, TextLookupModeSearchesByTheText) {
    config.SetSwitch(entrycfg::kTextLookup, entrycfg::kTextLookupOn);
    shop.Add(MakeItem(12, "MILK", 0.89));
    shop.Add(MakeItem(1, "BREAD", 1.1));
    EXPECT_EQ(Type("MILK"), EntryResult::kAdded);
    EXPECT_EQ(basket.LineItemNumber(0), 12);
    EXPECT_EQ(Type("1"), EntryResult::kRefused);  // the text "1" names nothing
    EXPECT_EQ(shop.events.back(), "problem:Invalid entry");
    EXPECT_EQ(Enter(1), EntryResult::kAdded);  // a number given is still a number
    EXPECT_EQ(basket.LineItemNumber(1), 1);
}

TEST_F(ItemEntryFlow, UnknownNegativeAndEmptyEntriesAreInvalid) {
    shop.Add(MakeItem(12, "Milk", 0.89));
    EXPECT_EQ(Type("0\r\n"), EntryResult::kRefused);
    EXPECT_EQ(Type(""), EntryResult::kRefused);
    EXPECT_EQ(shop.fetches, 2);  // item 0 is looked up
    EXPECT_EQ(Type("-12"), EntryResult::kRefused);
    EXPECT_EQ(shop.fetches, 2);  // a negative number is not
    EXPECT_EQ(shop.Count("problem:Invalid entry"), 3);
    EXPECT_EQ(basket.bytes, TransactionRecord{}.bytes);
    EXPECT_EQ(Type("12abc"), EntryResult::kAdded);
    EXPECT_EQ(basket.LineItemNumber(0), 12);
}

TEST_F(ItemEntryFlow, NetworkFailureLeavesBasketAndCurrentItemAlone) {
    shop.Add(MakeItem(12, "Milk", 0.89));
    ASSERT_EQ(Enter(12), EntryResult::kAdded);
    const TransactionRecord before = basket;
    shop.failure = 0x6ba;
    EXPECT_EQ(Enter(12), EntryResult::kStopped);
    EXPECT_EQ(shop.events.back(), "network:Network error: (0x6ba)\n");
    EXPECT_EQ(basket.bytes, before.bytes);
    EXPECT_EQ(current.Number(), 12);
}

TEST_F(ItemEntryFlow, StockRunsOutWhateverThePricesOfEarlierLines) {
    InventoryItem crisps = MakeItem(5, "Crisps", 1.2, 2);
    crisps.SetOfferRule(offerrule::kSecondFree);
    shop.Add(crisps);
    EXPECT_EQ(Enter(5), EntryResult::kAdded);
    EXPECT_EQ(Enter(5), EntryResult::kAdded);
    EXPECT_EQ(Enter(5), EntryResult::kRefused);
    EXPECT_EQ(shop.events.back(), "problem:Item out of stock");
    EXPECT_EQ(LinePrices(), (std::vector<double>{1.2, 0}));
    config.SetOption(entrycfg::kSellWithoutStock, 1);
    EXPECT_EQ(Enter(5), EntryResult::kAdded);
    EXPECT_EQ(basket.LineCount(), 3);
}

TEST_F(ItemEntryFlow, TradeModeWithoutTradePriceRefuses) {
    config = TradeConfig(false, 0);
    shop.Add(MakeItem(5, "Crisps", 1.2));
    EXPECT_EQ(Enter(5), EntryResult::kRefused);
    EXPECT_EQ(shop.events, std::vector<std::string>{"problem:Trade price option active, no trade price"});
    EXPECT_EQ(basket.LineCount(), 0);
}

TEST_F(ItemEntryFlow, SecondOneFreeOverRepeatedEntriesAndAfterARemoval) {
    InventoryItem crisps = MakeItem(5, "Crisps", 1.2);
    crisps.SetOfferRule(offerrule::kSecondFree);
    shop.Add(crisps);
    shop.Add(MakeItem(6, "Dip", 2.5));
    for (int i = 0; i < 4; ++i) Enter(5);
    EXPECT_EQ(LinePrices(), (std::vector<double>{1.2, 0, 1.2, 0}));
    Enter(6);  // other items do not count
    Enter(5);
    EXPECT_EQ(LinePrices(), (std::vector<double>{1.2, 0, 1.2, 0, 2.5, 1.2}));

    // Removing a paid line leaves four lines of crisps: the next is paid where it would have been free.
    ASSERT_TRUE(RemoveBasketLine(basket, 0));
    Enter(5);
    EXPECT_EQ(LinePrices(), (std::vector<double>{0, 1.2, 0, 2.5, 1.2, 1.2}));
    EXPECT_DOUBLE_EQ(basket.SubTotal(), 6.1);
}

TEST_F(ItemEntryFlow, ThirdOneFreeOverRepeatedEntriesAndAfterARemoval) {
    InventoryItem soap = MakeItem(7, "Soap", 0.99);
    soap.SetOfferRule(offerrule::kThirdFree);
    shop.Add(soap);
    for (int i = 0; i < 6; ++i) Enter(7, i % 2 ? entrymode::kRepeat : entrymode::kNormal);
    EXPECT_EQ(LinePrices(), (std::vector<double>{0.99, 0.99, 0, 0.99, 0.99, 0}));
    ASSERT_TRUE(RemoveBasketLine(basket, 5));
    ASSERT_TRUE(RemoveBasketLine(basket, 4));
    Enter(7);  // four lines before it: the fifth is paid
    Enter(7);  // the sixth is free again
    EXPECT_EQ(LinePrices(), (std::vector<double>{0.99, 0.99, 0, 0.99, 0.99, 0}));
    EXPECT_DOUBLE_EQ(basket.Total(), 3.96);
}

TEST_F(ItemEntryFlow, AgeAlertComesAfterTheLineExceptOnRepeat) {
    InventoryItem gin = MakeItem(1002, "Gin", 18.33);
    gin.SetAgeLimit(18);
    shop.Add(gin);
    Enter(1002);
    EXPECT_EQ(shop.events, (std::vector<std::string>{"line:Gin (50)  18.33", "age:18"}));
    shop.events.clear();
    Enter(1002, entrymode::kRepeat);
    EXPECT_EQ(shop.events, std::vector<std::string>{"line:Gin (50)  18.33"});
}

TEST_F(ItemEntryFlow, PoleLineOnlyWhenFittedAndNotRepeating) {
    shop.Add(MakeItem(5, "Crisps", 1.25));
    Enter(5);
    EXPECT_EQ(shop.events.size(), 1u);
    config.SetSwitch(basketcfg::kPoleFitted, 1);
    Enter(5);
    EXPECT_EQ(shop.events.back(), "pole:Crisps 1.250000");
    repeating = true;
    Enter(5, entrymode::kRepeat);
    EXPECT_EQ(shop.events.back(), "line:Crisps (50)  1.25");
}

TEST_F(ItemEntryFlow, KitAddsItsComponentsAndNoLineOfItsOwn) {
    shop.Add(MakeItem(1001, "Vodka", 15.83, 14));
    shop.Add(MakeItem(30, "Cola", 1.5));
    InventoryItem kit = MakeItem(900, "Party pack", 99);
    kit.SetKitFlag(item::kIsKit);
    kit.SetKitComponent(1, "1001");
    kit.SetKitQuantity(1, 2);
    kit.SetKitComponent(2, "0");
    kit.SetKitQuantity(2, 1);
    kit.SetKitComponent(3, "30");
    kit.SetKitQuantity(3, 1);
    kit.SetKitEntryMode(3, entrymode::kFree);
    shop.Add(kit);
    EXPECT_EQ(Enter(900), EntryResult::kAdded);
    ASSERT_EQ(basket.LineCount(), 3);
    EXPECT_EQ(basket.LineItemNumber(0), 1001);
    EXPECT_EQ(basket.LineItemNumber(1), 1001);
    EXPECT_EQ(basket.LineItemNumber(2), 30);
    EXPECT_EQ(LinePrices(), (std::vector<double>{15.83, 15.83, 0}));
    EXPECT_EQ(current.Number(), 30);  // the last lookup
    EXPECT_EQ(shop.fetches, 4);
}

TEST_F(ItemEntryFlow, KitComponentsThatFailAreSkippedOnceAndTheRestAdded) {
    shop.Add(MakeItem(40, "Ice", 2, 0));  // out of stock
    shop.Add(MakeItem(30, "Cola", 1.5));
    InventoryItem kit = MakeItem(900, "Party pack", 0);
    kit.SetKitFlag(item::kIsKit);
    kit.SetKitComponent(1, "40");
    kit.SetKitQuantity(1, 1000);
    kit.SetKitComponent(2, "41");  // no such item
    kit.SetKitQuantity(2, 1000);
    kit.SetKitComponent(3, "30");
    kit.SetKitQuantity(3, 2);
    shop.Add(kit);
    EXPECT_EQ(Enter(900), EntryResult::kAdded);
    EXPECT_EQ(shop.events, (std::vector<std::string>{"problem:Item out of stock", "problem:Invalid entry",
                                                     "line:Cola (50)  1.50", "line:Cola (50)  1.50"}));
    EXPECT_EQ(shop.fetches, 5);
}

TEST_F(ItemEntryFlow, KitContainingItselfStopsWithInvalidEntry) {
    shop.Add(MakeItem(30, "Cola", 1.5));
    InventoryItem kit = MakeItem(900, "Loop", 0);
    kit.SetKitFlag(item::kIsKit);
    kit.SetKitComponent(1, "30");
    kit.SetKitQuantity(1, 1);
    kit.SetKitComponent(2, "900");
    kit.SetKitQuantity(2, 1000);
    kit.SetKitComponent(3, "30");
    kit.SetKitQuantity(3, 1);
    shop.Add(kit);
    EXPECT_EQ(Enter(900), EntryResult::kStopped);
    EXPECT_EQ(shop.events, (std::vector<std::string>{"line:Cola (50)  1.50", "problem:Invalid entry"}));
    EXPECT_EQ(shop.fetches, 3);
    EXPECT_EQ(basket.LineCount(), 1);
}

TEST_F(ItemEntryFlow, KitsContainingEachOtherStopWithInvalidEntry) {
    InventoryItem a = MakeItem(901, "A", 0);
    a.SetKitFlag(item::kIsKit);
    a.SetKitComponent(1, "902");
    a.SetKitQuantity(1, 50);
    InventoryItem b = MakeItem(902, "B", 0);
    b.SetKitFlag(item::kIsKit);
    b.SetKitComponent(6, "901");
    b.SetKitQuantity(6, 50);
    shop.Add(a);
    shop.Add(b);
    EXPECT_EQ(Enter(901), EntryResult::kStopped);
    EXPECT_EQ(shop.events, std::vector<std::string>{"problem:Invalid entry"});
    EXPECT_EQ(shop.fetches, 3);
    EXPECT_EQ(basket.LineCount(), 0);
}

TEST_F(ItemEntryFlow, KitsNestDeepOnlyUpToTheLimit) {
    // Kit 800 + d holds kit 800 + d + 1; the innermost holds item 30.
    shop.Add(MakeItem(30, "Cola", 1.5));
    auto chain = [&](int kits) {
        for (int d = 0; d < kits; ++d) {
            InventoryItem kit = MakeItem(800 + d, "Nest", 0);
            kit.SetKitFlag(item::kIsKit);
            kit.SetKitComponent(1, std::to_string(d + 1 < kits ? 800 + d + 1 : 30));
            kit.SetKitQuantity(1, 1);
            shop.Add(kit);
        }
    };
    chain(kMaxKitDepth);
    EXPECT_EQ(Enter(800), EntryResult::kAdded);
    EXPECT_EQ(basket.LineCount(), 1);
    chain(kMaxKitDepth + 1);
    EXPECT_EQ(Enter(800), EntryResult::kStopped);
    EXPECT_EQ(shop.events.back(), "problem:Invalid entry");
    EXPECT_EQ(basket.LineCount(), 1);
}

TEST_F(ItemEntryFlow, NoLineBeyondFourHundred) {
    config.SetOption(entrycfg::kSellWithoutStock, 1);
    shop.Add(MakeItem(30, "Cola", 1.5));
    InventoryItem kit = MakeItem(900, "Crate", 0);
    kit.SetKitFlag(item::kIsKit);
    kit.SetKitComponent(1, "30");
    kit.SetKitQuantity(1, 1000);
    shop.Add(kit);
    for (int i = 0; i < txn::kMaxLines - 3; ++i) ASSERT_EQ(Enter(30), EntryResult::kAdded);
    shop.events.clear();
    shop.fetches = 0;
    EXPECT_EQ(Enter(900), EntryResult::kStopped);
    EXPECT_EQ(basket.LineCount(), txn::kMaxLines);
    EXPECT_EQ(shop.Count("line:Cola (50)  1.50"), 3);
    EXPECT_EQ(shop.events.back(), "problem:Transaction limit 400 items");
    EXPECT_EQ(shop.fetches, 4);
    const TransactionRecord full = basket;
    EXPECT_EQ(Enter(30), EntryResult::kStopped);
    EXPECT_EQ(shop.fetches, 4);  // refused before the lookup
    EXPECT_EQ(basket.bytes, full.bytes);
    EXPECT_DOUBLE_EQ(basket.SubTotal(), 600.0);
}

}  // namespace
