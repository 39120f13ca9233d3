#include "basket/basket.h"
#include "basket/item_entry.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <map>
#include <numeric>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "basket/money.h"
#include "basket/non_inventory.h"
#include "basket/price_adjust.h"

namespace {

// Rates in hundredths of a per cent; a threshold below 0 leaves threshold mode off.
TerminalConfig Taxes(std::int64_t rate1, std::int64_t rate2 = 0, bool taxOnTax = false, double threshold = -1,
                     bool tax1On = true) {
    TerminalConfig c;
    c.SetOption(basketcfg::kTax1Enabled, tax1On ? 1 : 0), c.SetOption(basketcfg::kTax1Rate, rate1);
    c.SetOption(basketcfg::kTax2Enabled, 1), c.SetOption(basketcfg::kTax2Rate, rate2);
    c.SetOption(basketcfg::kTaxOnTax, taxOnTax ? 1 : 0), c.SetAmount(basketcfg::kThresholdAmount, threshold);
    if (threshold >= 0) c.SetSwitch(basketcfg::kThresholdMode, basketcfg::kThresholdModeOn);
    return c;
}

struct TestLine { std::int64_t item; const char* description; double price; std::int32_t taxCode; double cost; };
const TestLine kA{11, "Apple", 1.20, 1, 0.70}, kB{22, "Beer", 3.35, 0, 2.10}, kC{33, "Cheese", 7.99, 2, 5.00},
    kD{44, "Dates", 4.15, 3, 1.00};

// What item entry does around the pricing: number and description, then the count.
bool AddLine(TransactionRecord& b, const TerminalConfig& c, const TestLine& l, bool roundDown = false) {
    const int n = b.LineCount();
    if (!PriceLineIntoTotals(b, c, l.price, l.taxCode, l.cost, roundDown)) return false;
    b.SetLineItemNumber(n, l.item), b.SetLineDescription(n, l.description), b.SetLineCount(n + 1);
    return true;
}

TransactionRecord BasketOf(const TerminalConfig& c, const std::vector<TestLine>& lines) {
    TransactionRecord b;
    for (const TestLine& l : lines) EXPECT_TRUE(AddLine(b, c, l));
    return b;
}

// Amounts to six decimals, for comparing several at once.
std::string Amounts(std::initializer_list<double> values) {
    std::string s;
    for (double v : values) s += FormatFixed(v, 6) + " ";
    return s;
}

// The totals and every field of the first six line slots.
std::string Describe(const TransactionRecord& b) {
    std::string s = std::to_string(b.LineCount()) + " lines: " +
                    Amounts({b.NonTaxableTotal(), b.TaxableTotal(), b.SubTotal(), b.Tax1Total(), b.Tax2Total(),
                             b.CostTotal(), b.Total(), b.DiscountTotal()});
    for (int i = 0; i < 6; ++i)
        s += "\n" + std::to_string(b.LineItemNumber(i)) + " " + b.LineDescription(i) + " " +
             Amounts({b.LineNonTaxable(i), b.LineTaxable(i), b.LineTax1(i), b.LineTax2(i), b.LineCost(i),
                      b.LineDiscount(i), b.LineTotal(i)});
    return s;
}

TEST(BasketPricing, TaxesByCodeRateRoundingAndThreshold) {
    struct Row { const char* why; TerminalConfig config; std::vector<std::pair<double, int>> lines; bool roundDown;
                 double tax1, tax2, total; };  // lines: price and tax code
    const TerminalConfig both = Taxes(1000, 500), threshold = Taxes(1000, 0, false, 100);
    TerminalConfig modeOff = threshold;
    modeOff.SetSwitch(basketcfg::kThresholdMode, 0);
    const Row rows[] = {
        {"code 0 is not taxable, code 1 takes both taxes", both, {{10, 0}, {10, 1}}, false, 1, 0.5, 21.5},
        {"code 2: tax 1 only; code 3: tax 2 only", both, {{10, 2}, {10, 3}}, false, 1, 0.5, 21.5},
        {"any other code: both", both, {{10, 7}, {10, -1}}, false, 2, 1, 23},
        {"tax 2 on price plus tax 1 (5 % of 11.00); code 3 has no tax 1 to stack", Taxes(1000, 500, true),
         {{10, 1}, {10, 3}}, false, 1, 1.05, 22.05},
        {"taxes of 0.125 round up", Taxes(1000, 1000), {{1.25, 1}}, false, 0.13, 0.13, 1.51},
        {"or down with the item's flag", Taxes(1000, 1000), {{1.25, 1}}, true, 0.12, 0.12, 1.49},
        {"tax 1 switched off", Taxes(1000, 500, false, -1, false), {{10, 1}}, false, 0, 0.5, 10.5},
        {"zero rates charge nothing", Taxes(0), {{10, 1}}, false, 0, 0, 10},
        {"threshold 100: under it, across it, above it", threshold, {{80, 2}, {50, 2}, {10, 2}}, false, 4, 0, 144},
        {"exactly reaching the threshold taxes nothing yet", threshold, {{100, 2}}, false, 0, 0, 100},
        {"with threshold mode off all is taxed", modeOff, {{80, 2}}, false, 8, 0, 88},
    };
    for (const Row& row : rows) {
        TransactionRecord b;
        double sum = 0, tax1 = 0, tax2 = 0, total = 0;  // over the lines
        for (const auto& [price, code] : row.lines) {
            const int n = b.LineCount();
            ASSERT_TRUE(AddLine(b, row.config, {1, "X", price, code, price / 2}, row.roundDown));
            EXPECT_EQ(b.LineTaxable(n), code == 0 ? 0 : price) << row.why;
            sum += price, tax1 += b.LineTax1(n), tax2 += b.LineTax2(n), total += b.LineTotal(n);
        }
        EXPECT_EQ(Amounts({b.Tax1Total(), b.Tax2Total(), b.Total(), tax1, tax2, total}),
                  Amounts({row.tax1, row.tax2, row.total, row.tax1, row.tax2, row.total})) << row.why;
        EXPECT_EQ(Amounts({b.SubTotal(), b.NonTaxableTotal() + b.TaxableTotal(), b.CostTotal()}),
                  Amounts({sum, sum, sum / 2})) << row.why;
    }
}

TEST(BasketPricing, AFullBasketTakesNoFurtherLine) {
    const TerminalConfig c = Taxes(1000);
    TransactionRecord b = BasketOf(c, std::vector<TestLine>(txn::kMaxLines, kA));
    const TransactionRecord before = b;
    EXPECT_FALSE(PriceLineIntoTotals(b, c, 5.0, 1, 1.0, false)) << "line 401";
    EXPECT_EQ(b.bytes, before.bytes);
    b.SetLineCount(5000);
    EXPECT_FALSE(PriceLineIntoTotals(b, c, 5.0, 1, 1.0, false)) << "a corrupt count is full, never an index";
    b.SetLineCount(-3);
    EXPECT_EQ(BasketLineCount(b), 0) << "nor a negative one";
}

TEST(BasketRemove, TheLineLeavesTheTotalsAndTheLaterLinesMoveUp) {
    struct Row { const char* why; std::vector<TestLine> start; int remove; std::vector<TestLine> left; };
    const Row rows[] = {
        {"a middle line closes the gap", {kA, kB, kC, kD}, 1, {kA, kC, kD}},
        {"the last line: its slot is cleared", {kA, kB, kC}, 2, {kA, kB}},
        {"no selection means the last line", {kA, kB, kC}, -1, {kA, kB}},
        {"past the end means the last line", {kA, kB, kC}, 3, {kA, kB}},
        {"far outside", {kA, kB, kC}, INT_MIN, {kA, kB}},
        {"the only line: the whole record goes, customer and note too", {kA}, 0, {}},
    };
    const TerminalConfig c = Taxes(1750, 500, true);
    for (const Row& row : rows) {
        TransactionRecord b = BasketOf(c, row.start);
        b.SetCustomerNumber(1234), b.SetNote("Deliver on Friday");
        ASSERT_TRUE(RemoveBasketLine(b, row.remove)) << row.why;
        const TransactionRecord left = row.left.empty() ? TransactionRecord{} : BasketOf(c, row.left);
        EXPECT_EQ(Describe(b), Describe(left)) << row.why;
        EXPECT_EQ(b.CustomerNumber(), row.left.empty() ? 0 : 1234) << row.why;
    }
    TransactionRecord b = BasketOf(c, {kA, kB, kC});
    b.SetDiscountTotal(2.0), b.SetLineDiscount(1, 0.5);
    ASSERT_TRUE(RemoveBasketLine(b, 1));
    EXPECT_DOUBLE_EQ(b.DiscountTotal(), 1.5) << "the line's own discount goes with it";
    TransactionRecord empty;
    EXPECT_FALSE(RemoveBasketLine(empty, 0)) << "nothing to remove";
}

TEST(BasketDiscount, SpreadOverTheTotals) {
    struct Row { const char* why; TerminalConfig config; std::vector<TestLine> lines; std::vector<double> discounts;
                 double nonTaxable, taxable, tax1, tax2, total; };
    const TerminalConfig both = Taxes(1000, 500), one = Taxes(1000), threshold = Taxes(1000, 500, false, 100);
    const TestLine x{1, "X", 100, 1, 0}, x120{1, "X", 120, 1, 0};
    const Row rows[] = {
        {"all taxable: the taxes follow the taxable total, rounded; the rest is not", both, {x, x}, {20, 0.125}, 0,
         179.875, 17.99, 8.99, 206.855},
        {"mixed: the non-taxable share by the sub total, to the cent", one, {{1, "F", 10, 0, 0}, {2, "T", 20, 2, 0}},
         {1}, 9.67, 19.33, 1.93, 0, 30.93},
        {"nothing taxable: off the total directly", one, {{2, "F", 50, 0, 0}}, {5, 2.5}, 42.5, 0, 0, 0, 42.5},
        {"threshold mode: above the threshold in proportion", threshold, {x120}, {10}, 0, 110, 1.83, 5.5, 117.33},
        {"threshold mode: at the threshold no tax 1", threshold, {x120}, {20}, 0, 100, 0, 5, 105},
    };
    for (const Row& row : rows) {
        TransactionRecord b = BasketOf(row.config, row.lines);
        for (double d : row.discounts) ApplyDiscountToTotals(b, row.config, d);
        const double discount = std::accumulate(row.discounts.begin(), row.discounts.end(), 0.0);
        EXPECT_EQ(Amounts({b.NonTaxableTotal(), b.TaxableTotal(), b.SubTotal(), b.Tax1Total(), b.Tax2Total(),
                           b.Total(), b.DiscountTotal()}),
                  Amounts({row.nonTaxable, row.taxable, row.nonTaxable + row.taxable, row.tax1, row.tax2, row.total,
                           discount})) << row.why;
    }
}

TEST(BasketRepeat, CountFromTheItemBoxCheckedAgainstTheFreeLines) {
    const std::pair<std::string, int> rows[] = {{"0", 1}, {"  +12x4", 12}, {"-2", -2}, {"99999999999999999999", INT_MAX},
        {"-99999999999999999999", INT_MIN}, {std::string(37, ' ') + "5", 1}, {std::string(35, ' ') + "456", 45}};
    for (const auto& [text, count] : rows) EXPECT_EQ(RepeatCount(text), count) << "'" << text << "'";
    const TransactionRecord b = BasketOf(Taxes(0), std::vector<TestLine>(10, kA));
    using R = RepeatCheck;
    EXPECT_EQ((std::vector{CheckRepeat(TransactionRecord{}, 1), CheckRepeat(b, 390), CheckRepeat(b, 391),
                           CheckRepeat(b, INT_MAX), CheckRepeat(b, -5)}),
              (std::vector{R::kNoItems, R::kAllowed, R::kOverLimit, R::kOverLimit, R::kAllowed}))
        << "no items; exactly up to 400; over; -5 adds nothing";
}

TEST(BasketTables, SwitchChecksInOrder) {  // parking and unparking: basket_window_wintest.cpp
    const std::vector<std::uint8_t> store(kBasketTablesSize), shortStore(kBasketTablesSize - 1);
    using T = TableSwitchCheck;
    EXPECT_EQ((std::vector{CheckTableSwitch(0, 1, store), CheckTableSwitch(3, 3, shortStore),
                           CheckTableSwitch(2, 1, shortStore), CheckTableSwitch(16, 1, store)}),
              (std::vector{T::kInvalid, T::kCurrent, T::kNoStore, T::kSwitch}))
        << "the current table is checked before the store";
    std::vector<std::uint8_t> tables(kBasketTablesSize);
    const TransactionRecord parked = BasketOf(Taxes(0), {kA, kB});
    TransactionRecord back;
    ASSERT_TRUE(ParkBasket(parked, 16, tables) && UnparkBasket(back, 16, tables));
    EXPECT_EQ(back.bytes, parked.bytes) << "the last table's slot holds the whole record";
    EXPECT_FALSE(ParkBasket(parked, 17, tables) || UnparkBasket(back, 1, shortStore));
    EXPECT_EQ(StoredEntryText(back, 1, true) + "|" + StoredEntryText(back, 0, false), "22  Beer  3.35|Apple  1.20");
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::int64_t kMaxCents = std::numeric_limits<std::int64_t>::max();

TEST(MoneyFormatFixed, RoundsTheSeventeenDigitExpansionHalfAwayFromZero) {
    struct Row { double value; int decimals; const char* text; const char* why; };
    const Row rows[] = {
        {0.125, 2, "0.13", "an exact tie goes away from zero (glibc's printf gives 0.12)"},
        {2.675, 2, "2.67", "stored as 2.67499999999999982..."},
        {9.996, 2, "10.00", "the carry makes a new integer digit"},
        {2.5, 0, "3", "no decimals"},
        {-0.125, 2, "-0.13", "negative values mirror positive ones"},
        {-0.001, 2, "0.00", "a value that rounds to zero has no sign"},
        {std::ldexp(1.0, 60), 2, "1152921504606847000.00", "digits past the seventeenth are rounded away"},
        {kNaN, 2, "nan", "what printf prints"}, {-kInf, 2, "-inf", ""},
        {0.1, 40, "0.100000000", "decimals above 9 are clamped"},
    };
    for (const Row& row : rows) EXPECT_EQ(FormatFixed(row.value, row.decimals), row.text) << row.why;
    const std::string max = FormatMoney(std::numeric_limits<double>::max());
    EXPECT_EQ(max, "17976931348623157" + std::string(309 - 17, '0') + ".00");
}

TEST(MoneyRounding, MoneyTaxAndCents) {
    struct Row { double value, money, tax, taxDown; std::int64_t cents; const char* why; };
    const Row rows[] = {
        {0.125, 0.13, 0.13, 0.12, 12, "a tie: up, or down with roundDown"},
        {2.675, 2.67, 2.68, 2.67, 267, "money sees 2.67499..., tax sees the three-decimal 2.675"},
        {1.2344, 1.23, 1.23, 1.23, 123, "a third decimal below 5 goes down either way"},
        {1.2349, 1.23, 1.24, 1.23, 123, "three decimals give 1.235"},
        {3.999, 4.00, 4.00, 3.99, 399, "roundDown cuts to the hundredth below"},
        {12.345, 12.35, 12.35, 12.34, 1234, "cents take the integer part of 1234.50"},
        {0.29, 0.29, 0.29, 0.29, 29, "0.29 * 100 would be 28.999999999999996"},
        {-0.125, -0.13, -0.13, -0.14, 0, "negatives mirror; no cents below zero"},
        {1e15 + 0.25, 1e15 + 0.25, 1e15 + 0.25, 1e15 + 0.25, 100000000000000020, "17 digits give the value back"},
        {kInf, kInf, kInf, kInf, kMaxCents, "unchanged; cents saturate"},
        {1e300, 1e300, 1e300, 1e300, kMaxCents, "too large for 64 bits"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(RoundMoney(row.value), row.money) << row.value << ": " << row.why;
        EXPECT_DOUBLE_EQ(RoundTax(row.value, false), row.tax) << row.value << ": " << row.why;
        EXPECT_DOUBLE_EQ(RoundTax(row.value, true), row.taxDown) << row.value << ": " << row.why;
        EXPECT_EQ(ToCents(row.value), row.cents) << row.value << ": " << row.why;
    }
    EXPECT_TRUE(std::isnan(RoundMoney(kNaN)) && std::isnan(RoundTax(kNaN, true)));
    EXPECT_EQ(ToCents(kNaN), 0);
    for (int c = 1; c < 100000; c += 7) EXPECT_EQ(ToCents(static_cast<double>(c) / 100), c);
}

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
    TerminalConfig config = Taxes(2000);
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

InventoryItem Item(std::int64_t number, double price, std::int32_t taxCode) {
    InventoryItem item = MakeItem(number, "Cheddar", price, 9);
    item.SetCostPrice(3.25), item.SetTaxCode(taxCode);
    return item;
}

// A basket of lines priced as item entry prices them, numbered from 100.
TransactionRecord Basket(const TerminalConfig& c, std::initializer_list<std::pair<double, std::int32_t>> lines) {
    TransactionRecord b;
    for (auto [price, taxCode] : lines) AddLine(b, c, {100 + b.LineCount(), "", price, taxCode, 1.0});
    return b;
}

// Non taxable, taxable, sub total, tax 1 and total.
std::string Totals(const TransactionRecord& b) {
    return Amounts({b.NonTaxableTotal(), b.TaxableTotal(), b.SubTotal(), b.Tax1Total(), b.Total()});
}

TEST(TypedNumbers, PriceBoxesRefuseWhatCannotBeAnAmount) {
    struct Row { const char* text; std::optional<double> pointed; std::optional<std::int64_t> whole; const char* why; };
    const Row rows[] = {
        {"", 0.0, 0, "empty reads as nothing"}, {"12.50", 12.5, std::nullopt, "the point belongs to pointed prices"},
        {".5", 0.5, std::nullopt, "half a unit typed as a point and 5"}, {"250", 250.0, 250, ""},
        {"1.2.3", std::nullopt, std::nullopt, "two points"}, {"nan", std::nullopt, std::nullopt, "no NaN"},
        {"-3", std::nullopt, std::nullopt, "no sign"}, {"10000001", std::nullopt, 10000001, "no price above 10^7"},
        {"1234567890123456789", std::nullopt, std::nullopt, "no number beyond 18 digits"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(ReadPointedAmount(r.text), r.pointed) << r.text << ": " << r.why;
        EXPECT_EQ(ReadWholeNumber(r.text), r.whole) << r.text << ": " << r.why;
    }
    EXPECT_EQ(PointedAmountOnly("1a2.3.4x", 19), "12.34");
}

TEST(AdjustItemPrice, TypedPriceReworksTheTaxesAndOkMovesTheTotalsByTheDifference) {
    const TerminalConfig c = Taxes(2000);
    TransactionRecord b = Basket(c, {{10.00, 1}});
    LineAdjustState s = OpenLineAdjust(b, Item(100, 10.00, 1), CostVisible(c, 3));
    EXPECT_EQ(s.cost + " " + s.figures.total, "3.25 12.00");
    TypeAdjustedPrice(s, c, "850");
    EXPECT_EQ(s.figures.taxable + " " + s.figures.tax1 + " " + s.figures.total, "8.50 1.70 10.20");
    ASSERT_TRUE(PressPriceOk(s, b).write);
    EXPECT_EQ(WriteLineFigures(b, s, false), "Cheddar (9)  10.20");
    EXPECT_EQ(Totals(b), Amounts({0, 8.5, 8.5, 1.7, 10.2}));
    EXPECT_DOUBLE_EQ(b.LineCost(0), 1.0) << "cost and discount stay";

    TerminalConfig managersOnly = c;
    managersOnly.SetSwitch(pricecfg::kCostForManagersOnly, 2);
    EXPECT_TRUE(!CostVisible(managersOnly, 3) && CostVisible(managersOnly, 2));
    TerminalConfig taxOnTax = Taxes(2000, 1000);
    taxOnTax.SetOption(basketcfg::kTaxOnTax, 1);
    const LineTaxes both = TaxesOnPrice(taxOnTax, 10.00, 1, false), noTax2 = TaxesOnPrice(taxOnTax, 10.00, 2, false);
    EXPECT_EQ(std::tuple(both.tax1, both.tax2, noTax2.tax2), std::tuple(2.0, 1.2, 0.0)) << "tax 2 on price and tax 1";
    taxOnTax.SetOption(basketcfg::kTax1Enabled, 0), taxOnTax.SetOption(basketcfg::kTax2Enabled, 0);
    const LineTaxes off = TaxesOnPrice(taxOnTax, 10.00, 1, false);
    EXPECT_EQ(std::pair(off.tax1, off.tax2), std::pair(0.0, 0.0)) << "taxes switched off, their rates set";
}

TEST(AdjustItemPrice, ZeroRefusalsAndAFailedLookup) {
    const TerminalConfig c = Taxes(2000);
    TransactionRecord b = Basket(c, {{5.00, 0}, {10.00, 1}});
    LineAdjustState s = OpenLineAdjust(b, Item(101, 10.00, 1), true);
    PressZero(s);
    ASSERT_TRUE(PressPriceOk(s, b).write);
    WriteLineFigures(b, s, true);
    EXPECT_EQ(b.LineCount(), 2) << "the line stays, at 0.00";
    EXPECT_EQ(Totals(b), Amounts({5, 0, 5, 0, 5}));
    EXPECT_DOUBLE_EQ(b.LineTotal(1), 0.0);

    // 2.00 and 10.00 with 5.00 off the total: the last line at 2.00 would leave -1.00.
    b = Basket(Taxes(0), {{2.00, 0}, {10.00, 0}});
    b.SetDiscountTotal(5.00), b.SetTotal(7.00);
    s = OpenLineAdjust(b, Item(101, 10.00, 0), true);
    TypeAdjustedPrice(s, Taxes(0), "200");
    EXPECT_STREQ(PressPriceOk(s, b).message, "Discount exceeds transaction");

    b = Basket(c, {{10.00, 1}});
    const TransactionRecord before = b;
    s = OpenLineAdjust(b, std::nullopt, true);
    EXPECT_EQ(s.figures.total, "") << "the boxes stay empty";
    TypeAdjustedPrice(s, c, "850");
    EXPECT_STREQ(PressPriceOk(s, b).message, "Invalid price") << "OK must not zero the line";
    EXPECT_EQ(b.bytes, before.bytes);
    s = OpenLineAdjust(b, Item(100, 10.00, 1), true);
    for (const char* typed : {"nan00", "-500", "1000000001"}) {
        TypeAdjustedPrice(s, c, typed);
        EXPECT_EQ(s.figures.total, "12.00") << typed;
        EXPECT_STREQ(PressPriceOk(s, b).message, "Invalid price") << typed;
    }
}

TEST(AdjustByWeight, WeightScalesTheListPrice) {
    const TerminalConfig c = Taxes(0);
    TransactionRecord b = Basket(c, {{4.00, 0}});
    LineAdjustState s = OpenWeightAdjust(b, Item(100, 4.00, 0), true);
    std::string seen;  // the price before tax after each weight: none, too much, not a number, 250, then 50 chosen
    for (const char* typed : {"0", "100001", "12x", "250"}) TypeWeight(s, c, typed), seen += s.priceBeforeTax + " ";
    ChooseWeight(s, c, 49);
    EXPECT_EQ(seen + s.priceBeforeTax + " " + s.figures.nonTaxable, "4.00 4.00 4.00 10.00 2.00 2.00");
    ChangePriceBeforeTax(s, c, "1e3");
    EXPECT_STREQ(PressWeightOk(s).message, "Invalid price");
    ChangePriceBeforeTax(s, c, "3.5");
    ASSERT_TRUE(PressWeightOk(s).write);
    WriteLineFigures(b, s, false);
    EXPECT_EQ(Totals(b), Amounts({3.5, 0, 3.5, 0, 3.5}));
}

TEST(Discount, OffTheTotalReplacesTheEarlierOne) {
    const TerminalConfig c = Taxes(0);
    TransactionRecord b = Basket(c, {{80.00, 0}});
    DiscountState s = OpenDiscount(b, true);
    EXPECT_EQ(std::pair(s.percents.size(), s.percents.back()), std::pair(std::size_t{41}, std::string("20.00")));
    TypeDiscount(s, b, PercentDiscountTyped(s, b, 5));
    EXPECT_EQ(s.typed + " " + s.amended, "200 78.00");
    ASSERT_TRUE(PressDiscountOk(s, b, c).close);
    EXPECT_EQ(Amounts({b.DiscountTotal(), b.Total()}), Amounts({2, 78}));

    s = OpenDiscount(b, true);
    TypeDiscount(s, b, "100");
    ASSERT_TRUE(PressDiscountOk(s, b, c).close);
    EXPECT_EQ(Totals(b), Amounts({80, 0, 80, 0, 79})) << "not 77.00; sub total and taxes untouched";
    s = OpenDiscount(b, true);
    TypeDiscount(s, b, "7901");
    EXPECT_EQ(s.amended, "");
    EXPECT_STREQ(PressDiscountOk(s, b, c).message, "Invalid discount");
    TypeDiscount(s, b, "nan00");
    EXPECT_STREQ(PressDiscountOk(s, b, c).message, "Invalid discount");
}

TEST(Discount, BeforeTaxIsSpreadOverTheTotals) {
    const TerminalConfig c = Taxes(2000);
    TransactionRecord b = Basket(c, {{20.00, 0}, {80.00, 2}});
    DiscountState s = OpenDiscount(b, false);
    EXPECT_EQ(s.percents.size(), 161u);
    EXPECT_EQ(PercentDiscountTyped(s, b, 20), "1000") << "10 % of 100.00 before tax";
    TypeDiscount(s, b, "1000");
    EXPECT_EQ(s.amended, "90.00");
    ASSERT_TRUE(PressDiscountOk(s, b, c).close);
    EXPECT_EQ(Totals(b), Amounts({18, 72, 90, 14.4, 104.4}));
    s = OpenDiscount(b, false);
    TypeDiscount(s, b, "9001");
    EXPECT_STREQ(PressDiscountOk(s, b, c).message, "Invalid discount");
}

TEST(NonInventorySale, TaxesComeOutOfThePriceTyped) {
    struct Row { bool tax1, tax2; std::int64_t r1, r2; const char *shown, *why; };  // nett, tax 1, tax 2, total
    const Row rows[] = {
        {true, false, 2000, 0, "8.33 1.67  10.00", "20 % included in 10.00"},
        {false, true, 0, 500, "9.52  0.48 10.00", "5 % included"},
        {true, true, 2000, 500, "8.00 1.60 0.40 10.00", "both: the nett is 10000 / 12500 of the price"},
        {true, true, 2000, 0, "8.33 1.67  10.00", "both ticked, only tax 1 has a rate"},
        {false, false, 2000, 500, "10.00   10.00", "no tax ticked"},
        {true, true, INT64_MAX, INT64_MAX, "10.00 0.00 0.00 10.00", "rates no shop has: summed without overflow"},
    };
    for (const Row& r : rows) {
        TerminalConfig c = Taxes(r.r1, r.r2);
        NonInventoryState s = OpenNonInventory(c);
        SetTaxes(s, c, r.tax1, r.tax2);
        SetPrice(s, c, "10.00");
        EXPECT_EQ(s.nett + " " + s.tax1Text + " " + s.tax2Text + " " + s.total, r.shown) << r.why;
    }
}

TEST(NonInventorySale, KeyboardButtonsAndAdd) {
    TerminalConfig c = Taxes(2000);
    c.SetSwitch(noninvcfg::kDefaultTaxes, 2);
    NonInventoryState s = OpenNonInventory(c);
    EXPECT_TRUE(s.tax1) << "tax 1 is on: ticked by default";
    EXPECT_EQ(s.categories[1] + "|" + c.Text(cfg::kNonInventoryCaptions + cfg::kNonInventoryCaptionWidth, 80),
              "Lottery|Lottery") << "an empty caption gets its default, in the live configuration too";
    TypePrice(s, c, '0');
    EXPECT_EQ(s.price, "") << "a leading zero is cleared at once";
    TypePrice(s, c, '.'), TypePrice(s, c, '5');
    EXPECT_EQ(s.total, "0.50");
    TypePrice(s, c, '7'), ErasePrice(s, c);
    EXPECT_EQ(s.price + " " + s.total, ".5 0.50") << "the last character erased";

    TransactionRecord b;
    TypeDescription(s, 'A'), TypeDescription(s, 'B'), EraseDescription(s);
    EXPECT_STREQ(PressAdd(s, b, c).message, "Description must be at least two characters");
    EXPECT_EQ(b.LineCount(), 0);
    ChooseCategory(s, 3);
    SetPrice(s, c, kPriceButtons[5]);
    const NonInventoryOutcome out = PressAdd(s, b, c);
    ASSERT_EQ(out.action, NonInventoryOutcome::kAdded);
    EXPECT_EQ(out.entry, "Loose items  10.00");
    EXPECT_EQ(std::pair(b.LineCount(), b.LineItemNumber(0)), std::pair(1, std::int64_t{0}));
    EXPECT_EQ(Amounts({b.LineTaxable(0), b.LineTax1(0), b.LineCost(0)}), Amounts({8.33, 1.67, 8.33}));
    EXPECT_EQ(Totals(b), Amounts({0, 8.33, 8.33, 1.67, 10}));

    b.SetLineCount(txn::kMaxLines);
    const TransactionRecord full = b;
    EXPECT_STREQ(PressAdd(s, b, c).message, "Transaction limit 400 items");
    EXPECT_EQ(b.bytes, full.bytes);
    SetTaxes(s, c, false, false);
    TransactionRecord untaxed;
    ASSERT_EQ(PressAdd(s, untaxed, c).action, NonInventoryOutcome::kAdded);
    EXPECT_EQ(Amounts({untaxed.LineNonTaxable(0), untaxed.LineCost(0), untaxed.NonTaxableTotal(), untaxed.SubTotal()}),
              Amounts({10, 10, 10, 10})) << "without tax the whole price is non-taxable";
}

}  // namespace
