#include "basket/basket.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <numeric>
#include <string>
#include <vector>

#include "basket/money.h"

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
    const std::pair<std::string, int> rows[] = {{"", 1}, {"0", 1}, {"  +12x4", 12}, {"-2", -2},
        {"99999999999999999999", INT_MAX}, {"-99999999999999999999", INT_MIN}, {std::string(37, ' ') + "5", 1},
        {std::string(35, ' ') + "456", 45}};  // the first 37 characters
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

}  // namespace
