#include "basket/basket.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "basket/money.h"

namespace {

struct TaxSetup {
    std::int64_t rate1 = 0;  // hundredths of a per cent
    std::int64_t rate2 = 0;
    bool taxOnTax = false;
    double threshold = -1;   // < 0: no threshold mode
};

TerminalConfig MakeConfig(const TaxSetup& t) {
    TerminalConfig c;
    c.SetOption(basketcfg::kTax1Enabled, t.rate1 != 0 ? 1 : 0);
    c.SetOption(basketcfg::kTax1Rate, t.rate1);
    c.SetOption(basketcfg::kTax2Enabled, t.rate2 != 0 ? 1 : 0);
    c.SetOption(basketcfg::kTax2Rate, t.rate2);
    c.SetOption(basketcfg::kTaxOnTax, t.taxOnTax ? 1 : 0);
    if (t.threshold >= 0) {
        c.SetSwitch(basketcfg::kThresholdMode, basketcfg::kThresholdModeOn);
        c.SetAmount(basketcfg::kThresholdAmount, t.threshold);
    }
    return c;
}

struct TestLine {
    std::int64_t item;
    const char* description;
    double price;
    std::int32_t taxCode;
    double cost;
    bool roundDown = false;
};

// What item entry does around the pricing: number and description, then the count.
bool AddLine(TransactionRecord& b, const TerminalConfig& c, const TestLine& l) {
    const int n = b.LineCount();
    if (!PriceLineIntoTotals(b, c, l.price, l.taxCode, l.cost, l.roundDown)) return false;
    b.SetLineItemNumber(n, l.item);
    b.SetLineDescription(n, l.description);
    b.SetLineCount(n + 1);
    return true;
}

struct Totals {
    double nonTaxable, taxable, sub, tax1, tax2, cost, total, discount;
};
Totals TotalsOf(const TransactionRecord& b) {
    return {b.NonTaxableTotal(), b.TaxableTotal(), b.SubTotal(), b.Tax1Total(),
            b.Tax2Total(),       b.CostTotal(),    b.Total(),    b.DiscountTotal()};
}
void ExpectSameTotals(const TransactionRecord& a, const TransactionRecord& b) {
    Totals x = TotalsOf(a), y = TotalsOf(b);
    EXPECT_DOUBLE_EQ(x.nonTaxable, y.nonTaxable);
    EXPECT_DOUBLE_EQ(x.taxable, y.taxable);
    EXPECT_DOUBLE_EQ(x.sub, y.sub);
    EXPECT_DOUBLE_EQ(x.tax1, y.tax1);
    EXPECT_DOUBLE_EQ(x.tax2, y.tax2);
    EXPECT_NEAR(x.cost, y.cost, 1e-9);
    EXPECT_DOUBLE_EQ(x.total, y.total);
    EXPECT_NEAR(x.discount, y.discount, 1e-9);
}

// ---------------------------------------------------------------------------
// Pricing a line.

TEST(BasketPricing, NonTaxableLineGoesToTheNonTaxableTotalOnly) {
    TransactionRecord b;
    const TerminalConfig c = MakeConfig({.rate1 = 1000, .rate2 = 500});
    ASSERT_TRUE(AddLine(b, c, {7, "Bread", 2.5, 0, 1.25}));
    EXPECT_EQ(b.LineNonTaxable(0), 2.5);
    EXPECT_EQ(b.LineTaxable(0), 0);
    EXPECT_EQ(b.LineTax1(0), 0);
    EXPECT_EQ(b.LineTax2(0), 0);
    EXPECT_EQ(b.LineTotal(0), 2.5);
    EXPECT_EQ(b.LineCost(0), 1.25);
    EXPECT_EQ(b.NonTaxableTotal(), 2.5);
    EXPECT_EQ(b.TaxableTotal(), 0);
    EXPECT_EQ(b.SubTotal(), 2.5);
    EXPECT_EQ(b.Total(), 2.5);
    EXPECT_EQ(b.CostTotal(), 1.25);
    EXPECT_EQ(b.Tax1Total() + b.Tax2Total(), 0);
    EXPECT_EQ(b.LineCount(), 1);  // only the caller counts
}

struct TaxCodeCase {
    std::int32_t code;
    double tax1, tax2;
};

TEST(BasketPricing, TaxCodeSelectsTheTaxes) {
    // 10 % and 5 % on 10.00.
    const TaxCodeCase cases[] = {{1, 1.00, 0.50}, {2, 1.00, 0}, {3, 0, 0.50}, {7, 1.00, 0.50}, {-1, 1.00, 0.50}};
    const TerminalConfig c = MakeConfig({.rate1 = 1000, .rate2 = 500});
    for (const auto& t : cases) {
        TransactionRecord b;
        ASSERT_TRUE(AddLine(b, c, {1, "X", 10.0, t.code, 4.0}));
        EXPECT_DOUBLE_EQ(b.LineTax1(0), t.tax1) << t.code;
        EXPECT_DOUBLE_EQ(b.LineTax2(0), t.tax2) << t.code;
        EXPECT_DOUBLE_EQ(b.Tax1Total(), t.tax1) << t.code;
        EXPECT_DOUBLE_EQ(b.Tax2Total(), t.tax2) << t.code;
        EXPECT_EQ(b.LineTaxable(0), 10.0) << t.code;
        EXPECT_EQ(b.TaxableTotal(), 10.0) << t.code;
        EXPECT_EQ(b.SubTotal(), 10.0) << t.code;
        EXPECT_DOUBLE_EQ(b.LineTotal(0), 10.0 + t.tax1 + t.tax2) << t.code;
        EXPECT_DOUBLE_EQ(b.Total(), 10.0 + t.tax1 + t.tax2) << t.code;
    }
}

TEST(BasketPricing, TaxTwoOnPricePlusTaxOne) {
    TransactionRecord plain, onTax;
    ASSERT_TRUE(AddLine(plain, MakeConfig({.rate1 = 1000, .rate2 = 500}), {1, "X", 10.0, 1, 0}));
    ASSERT_TRUE(AddLine(onTax, MakeConfig({.rate1 = 1000, .rate2 = 500, .taxOnTax = true}), {1, "X", 10.0, 1, 0}));
    EXPECT_DOUBLE_EQ(plain.LineTax2(0), 0.50);
    EXPECT_DOUBLE_EQ(onTax.LineTax2(0), 0.55);  // 5 % of 11.00
    EXPECT_DOUBLE_EQ(onTax.Total(), 11.55);
    // A tax-2-only item has no tax 1 to stack on.
    TransactionRecord only2;
    ASSERT_TRUE(AddLine(only2, MakeConfig({.rate1 = 1000, .rate2 = 500, .taxOnTax = true}), {1, "X", 10.0, 3, 0}));
    EXPECT_DOUBLE_EQ(only2.LineTax2(0), 0.50);
}

TEST(BasketPricing, TaxesRoundOnTheThirdDecimalWithTheItemFlag) {
    const TerminalConfig c = MakeConfig({.rate1 = 1000, .rate2 = 1000});
    TransactionRecord up, down;
    ASSERT_TRUE(AddLine(up, c, {1, "X", 1.25, 1, 0, false}));    // taxes of 0.125
    ASSERT_TRUE(AddLine(down, c, {1, "X", 1.25, 1, 0, true}));
    EXPECT_DOUBLE_EQ(up.LineTax1(0), 0.13);
    EXPECT_DOUBLE_EQ(up.LineTax2(0), 0.13);
    EXPECT_DOUBLE_EQ(down.LineTax1(0), 0.12);
    EXPECT_DOUBLE_EQ(down.LineTax2(0), 0.12);
    EXPECT_DOUBLE_EQ(up.Total(), 1.51);
    EXPECT_DOUBLE_EQ(down.Total(), 1.49);
}

TEST(BasketPricing, DisabledOrZeroRatesChargeNoTax) {
    TerminalConfig c = MakeConfig({.rate1 = 1000, .rate2 = 500});
    c.SetOption(basketcfg::kTax1Enabled, 0);
    TransactionRecord b;
    ASSERT_TRUE(AddLine(b, c, {1, "X", 10.0, 1, 0}));
    EXPECT_EQ(b.LineTax1(0), 0);
    EXPECT_DOUBLE_EQ(b.LineTax2(0), 0.5);

    TerminalConfig noRate = MakeConfig({});
    noRate.SetOption(basketcfg::kTax1Enabled, 1);
    noRate.SetOption(basketcfg::kTax2Enabled, 1);
    TransactionRecord z;
    ASSERT_TRUE(AddLine(z, noRate, {1, "X", 10.0, 1, 0}));
    EXPECT_EQ(z.Tax1Total() + z.Tax2Total(), 0);
    EXPECT_EQ(z.Total(), 10.0);
    EXPECT_EQ(z.TaxableTotal(), 10.0);
}

TEST(BasketPricing, ThresholdModeTaxesOnlyThePartAboveTheThreshold) {
    const TerminalConfig c = MakeConfig({.rate1 = 1000, .threshold = 100});
    {
        TransactionRecord b;
        ASSERT_TRUE(AddLine(b, c, {1, "Big", 120, 2, 0}));
        EXPECT_DOUBLE_EQ(b.LineTax1(0), 2.00);  // 10 % of 20
        EXPECT_DOUBLE_EQ(b.Total(), 122.00);
    }
    TransactionRecord b;
    ASSERT_TRUE(AddLine(b, c, {1, "First", 80, 2, 0}));
    EXPECT_EQ(b.LineTax1(0), 0);
    EXPECT_EQ(b.Tax1Total(), 0);
    ASSERT_TRUE(AddLine(b, c, {2, "Second", 50, 2, 0}));
    EXPECT_DOUBLE_EQ(b.LineTax1(1), 3.00);  // 10 % of 30
    ASSERT_TRUE(AddLine(b, c, {3, "Third", 10, 2, 0}));
    EXPECT_DOUBLE_EQ(b.LineTax1(2), 1.00);  // wholly above the threshold
    EXPECT_DOUBLE_EQ(b.Tax1Total(), 4.00);
    EXPECT_DOUBLE_EQ(b.TaxableTotal(), 140);
    EXPECT_DOUBLE_EQ(b.Total(), 144.00);
    // Exactly reaching the threshold taxes nothing yet.
    TransactionRecord exact;
    ASSERT_TRUE(AddLine(exact, c, {1, "X", 100, 2, 0}));
    EXPECT_EQ(exact.LineTax1(0), 0);
    // Without threshold mode the same line is taxed in full.
    TransactionRecord full;
    ASSERT_TRUE(AddLine(full, MakeConfig({.rate1 = 1000}), {1, "First", 80, 2, 0}));
    EXPECT_DOUBLE_EQ(full.LineTax1(0), 8.00);
}

TEST(BasketPricing, AFullBasketTakesNoFurtherLine) {
    const TerminalConfig c = MakeConfig({.rate1 = 1000});
    TransactionRecord b;
    for (int i = 0; i < txn::kMaxLines; ++i) ASSERT_TRUE(AddLine(b, c, {i + 1, "X", 1.0, 1, 0.5}));
    EXPECT_TRUE(BasketIsFull(b));
    EXPECT_DOUBLE_EQ(b.SubTotal(), 400.0);
    const TransactionRecord before = b;
    EXPECT_FALSE(PriceLineIntoTotals(b, c, 5.0, 1, 1.0, false));
    EXPECT_EQ(b.bytes, before.bytes);
    // A corrupt count larger than 400 is treated as full, never as an index.
    b.SetLineCount(5000);
    EXPECT_EQ(BasketLineCount(b), txn::kMaxLines);
    EXPECT_FALSE(PriceLineIntoTotals(b, c, 5.0, 1, 1.0, false));
    b.SetLineCount(-3);
    EXPECT_EQ(BasketLineCount(b), 0);
}

// ---------------------------------------------------------------------------
// Removing lines.

const TestLine kA{11, "Apple", 1.20, 1, 0.70};
const TestLine kB{22, "Beer", 3.35, 0, 2.10};
const TestLine kC{33, "Cheese", 7.99, 2, 5.00};
const TestLine kD{44, "Dates", 4.15, 3, 1.00};

TEST(BasketRemove, MiddleLineClosesTheGapAndLeavesTheOthersTotals) {
    const TerminalConfig c = MakeConfig({.rate1 = 1750, .rate2 = 500, .taxOnTax = true});
    TransactionRecord b;
    for (const auto& l : {kA, kB, kC, kD}) ASSERT_TRUE(AddLine(b, c, l));
    TransactionRecord without;
    for (const auto& l : {kA, kC, kD}) ASSERT_TRUE(AddLine(without, c, l));

    ASSERT_TRUE(RemoveBasketLine(b, 1));
    EXPECT_EQ(b.LineCount(), 3);
    ExpectSameTotals(b, without);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(b.LineItemNumber(i), without.LineItemNumber(i)) << i;
        EXPECT_EQ(b.LineDescription(i), without.LineDescription(i)) << i;
        EXPECT_EQ(b.LineNonTaxable(i), without.LineNonTaxable(i)) << i;
        EXPECT_EQ(b.LineTaxable(i), without.LineTaxable(i)) << i;
        EXPECT_EQ(b.LineTax1(i), without.LineTax1(i)) << i;
        EXPECT_EQ(b.LineTax2(i), without.LineTax2(i)) << i;
        EXPECT_EQ(b.LineCost(i), without.LineCost(i)) << i;
        EXPECT_EQ(b.LineTotal(i), without.LineTotal(i)) << i;
    }
}

TEST(BasketRemove, ALinePricedIntoAFreedSlotCarriesNoStaleAmounts) {
    // 20 % + 5 %: 10, 20, 30; void the first; a non-taxable 5.00 lands in the freed
    // third slot, then is voided again: only 20 and 30 are left.
    const TerminalConfig c = MakeConfig({.rate1 = 2000, .rate2 = 500});
    TransactionRecord b;
    for (double price : {10.0, 20.0, 30.0}) ASSERT_TRUE(AddLine(b, c, {1, "Taxed", price, 1, 0}));
    ASSERT_TRUE(RemoveBasketLine(b, 0));
    ASSERT_TRUE(AddLine(b, c, {2, "Loose", 5.0, 0, 0}));
    EXPECT_EQ(b.LineTaxable(2), 0) << "a non-taxable line has no taxable amount";
    EXPECT_EQ(b.LineTax1(2), 0);
    ASSERT_TRUE(RemoveBasketLine(b, 2));

    TransactionRecord expected;
    for (double price : {20.0, 30.0}) ASSERT_TRUE(AddLine(expected, c, {1, "Taxed", price, 1, 0}));
    ExpectSameTotals(b, expected);
    EXPECT_DOUBLE_EQ(b.SubTotal(), 50.0);
    EXPECT_DOUBLE_EQ(b.Tax1Total(), 10.0);
    EXPECT_DOUBLE_EQ(b.Tax2Total(), 2.5);
}

TEST(BasketRemove, LastLineAndAnyIndexOutsideTheBasketRemoveTheLast) {
    const TerminalConfig c = MakeConfig({.rate1 = 1000, .rate2 = 500});
    TransactionRecord expected;
    for (const auto& l : {kA, kB}) ASSERT_TRUE(AddLine(expected, c, l));
    for (int selection : {2, -1, 3, 400, INT_MIN}) {
        TransactionRecord b;
        for (const auto& l : {kA, kB, kC}) ASSERT_TRUE(AddLine(b, c, l));
        ASSERT_TRUE(RemoveBasketLine(b, selection)) << selection;
        EXPECT_EQ(b.LineCount(), 2) << selection;
        ExpectSameTotals(b, expected);
        EXPECT_EQ(b.LineTotal(2), 0) << selection;
        EXPECT_EQ(b.LineTaxable(2), 0) << selection;
        EXPECT_EQ(b.LineTax1(2), 0) << selection;
        EXPECT_EQ(b.LineCost(2), 0) << selection;
        EXPECT_EQ(b.LineItemNumber(1), kB.item) << selection;
    }
}

TEST(BasketRemove, RemovingTheOnlyLineZeroesTheWholeRecord) {
    const TerminalConfig c = MakeConfig({.rate1 = 1000});
    TransactionRecord b;
    b.SetCustomerNumber(1234);
    b.SetNote("Deliver on Friday");
    ASSERT_TRUE(AddLine(b, c, kA));
    ASSERT_TRUE(RemoveBasketLine(b, 0));
    EXPECT_EQ(b.bytes, TransactionRecord{}.bytes);
    // Nothing left to remove.
    EXPECT_FALSE(RemoveBasketLine(b, 0));
    EXPECT_EQ(b.bytes, TransactionRecord{}.bytes);
}

TEST(BasketRemove, DiscountTotalStaysLessTheLinesOwnDiscount) {
    const TerminalConfig c = MakeConfig({.rate1 = 1000});
    TransactionRecord b;
    for (const auto& l : {kA, kB, kC}) ASSERT_TRUE(AddLine(b, c, l));
    b.SetDiscountTotal(2.0);
    ASSERT_TRUE(RemoveBasketLine(b, 0));
    EXPECT_DOUBLE_EQ(b.DiscountTotal(), 2.0);  // inventory lines carry no discount
    b.SetLineDiscount(0, 0.5);
    ASSERT_TRUE(RemoveBasketLine(b, 0));
    EXPECT_DOUBLE_EQ(b.DiscountTotal(), 1.5);
}

TEST(BasketRemove, EmptyingAFullBasketLineByLineReturnsToZero) {
    const TerminalConfig c = MakeConfig({.rate1 = 2000, .rate2 = 700, .taxOnTax = true});
    TransactionRecord b;
    const TestLine lines[] = {kA, kB, kC, kD};
    for (int i = 0; i < txn::kMaxLines; ++i) ASSERT_TRUE(AddLine(b, c, lines[i % 4]));
    // From the middle, then the front, then the back.
    for (int left = txn::kMaxLines; left > 0; --left) {
        const int pick = left % 3 == 0 ? left / 2 : (left % 3 == 1 ? 0 : left - 1);
        ASSERT_TRUE(RemoveBasketLine(b, pick));
        ASSERT_EQ(b.LineCount(), left - 1);
    }
    EXPECT_EQ(b.bytes, TransactionRecord{}.bytes);
}

// ---------------------------------------------------------------------------
// Discounts on the totals.

TEST(BasketDiscount, AllTaxableBasketScalesTheTaxes) {
    const TerminalConfig c = MakeConfig({.rate1 = 1000, .rate2 = 500});
    TransactionRecord b;
    ASSERT_TRUE(AddLine(b, c, {1, "X", 100, 1, 0}));
    ASSERT_TRUE(AddLine(b, c, {2, "Y", 100, 1, 0}));
    ApplyDiscountToTotals(b, c, 20);
    EXPECT_DOUBLE_EQ(b.DiscountTotal(), 20);
    EXPECT_DOUBLE_EQ(b.TaxableTotal(), 180);
    EXPECT_DOUBLE_EQ(b.SubTotal(), 180);
    EXPECT_DOUBLE_EQ(b.Tax1Total(), 18);
    EXPECT_DOUBLE_EQ(b.Tax2Total(), 9);
    EXPECT_DOUBLE_EQ(b.Total(), 207);
    EXPECT_EQ(b.NonTaxableTotal(), 0);
    EXPECT_DOUBLE_EQ(b.LineTotal(0), 115);  // lines untouched
    // Sub total, taxable total and total are not rounded; the taxes are.
    ApplyDiscountToTotals(b, c, 0.125);
    EXPECT_DOUBLE_EQ(b.SubTotal(), 179.875);
    EXPECT_DOUBLE_EQ(b.TaxableTotal(), 179.875);
    EXPECT_DOUBLE_EQ(b.Tax1Total(), 17.99);  // 18 / 180 * 179.875 = 17.9875
    EXPECT_DOUBLE_EQ(b.Tax2Total(), 8.99);   // 8.99375
    EXPECT_DOUBLE_EQ(b.Total(), 179.875 + 17.99 + 8.99);
    EXPECT_DOUBLE_EQ(b.DiscountTotal(), 20.125);
}

TEST(BasketDiscount, MixedBasketSplitsTheDiscountBySubTotalShare) {
    const TerminalConfig c = MakeConfig({.rate1 = 1000});
    TransactionRecord b;
    ASSERT_TRUE(AddLine(b, c, {1, "Food", 50, 0, 0}));
    ASSERT_TRUE(AddLine(b, c, {2, "Tool", 150, 2, 0}));
    ApplyDiscountToTotals(b, c, 20);
    EXPECT_DOUBLE_EQ(b.NonTaxableTotal(), 45);  // a quarter of the discount
    EXPECT_DOUBLE_EQ(b.TaxableTotal(), 135);
    EXPECT_DOUBLE_EQ(b.SubTotal(), 180);
    EXPECT_DOUBLE_EQ(b.Tax1Total(), 13.5);
    EXPECT_EQ(b.Tax2Total(), 0);
    EXPECT_DOUBLE_EQ(b.Total(), 193.5);
    EXPECT_DOUBLE_EQ(b.DiscountTotal(), 20);
    // The non-taxable share is rounded to the cent; the taxable part takes the rest.
    TransactionRecord odd;
    ASSERT_TRUE(AddLine(odd, c, {1, "Food", 10, 0, 0}));
    ASSERT_TRUE(AddLine(odd, c, {2, "Tool", 20, 2, 0}));
    ApplyDiscountToTotals(odd, c, 1);
    EXPECT_DOUBLE_EQ(odd.NonTaxableTotal(), 9.67);
    EXPECT_NEAR(odd.TaxableTotal(), 19.33, 1e-9);
    EXPECT_NEAR(odd.NonTaxableTotal() + odd.TaxableTotal(), odd.SubTotal(), 1e-9);
}

TEST(BasketDiscount, NonTaxableBasketComesOffTheTotalDirectly) {
    const TerminalConfig c = MakeConfig({.rate1 = 1000});
    TransactionRecord b;
    ASSERT_TRUE(AddLine(b, c, {1, "Food", 50, 0, 0}));
    ApplyDiscountToTotals(b, c, 5);
    ApplyDiscountToTotals(b, c, 2.5);
    EXPECT_DOUBLE_EQ(b.NonTaxableTotal(), 42.5);
    EXPECT_DOUBLE_EQ(b.SubTotal(), 42.5);
    EXPECT_DOUBLE_EQ(b.Total(), 42.5);
    EXPECT_DOUBLE_EQ(b.DiscountTotal(), 7.5);
    EXPECT_EQ(b.Tax1Total(), 0);
}

TEST(BasketDiscount, ThresholdModeDropsTaxOneBelowTheThreshold) {
    const TerminalConfig c = MakeConfig({.rate1 = 1000, .rate2 = 500, .threshold = 100});
    TransactionRecord b;
    ASSERT_TRUE(AddLine(b, c, {1, "X", 120, 1, 0}));
    ASSERT_DOUBLE_EQ(b.Tax1Total(), 2.0);
    TransactionRecord still = b;
    ApplyDiscountToTotals(still, c, 10);  // 110 left, above the threshold: in proportion
    EXPECT_DOUBLE_EQ(still.Tax1Total(), RoundMoney(2.0 / 120 * 110));
    ApplyDiscountToTotals(b, c, 20);      // 100 left: at the threshold, no tax 1
    EXPECT_EQ(b.Tax1Total(), 0);
    EXPECT_DOUBLE_EQ(b.Tax2Total(), 5.0);
    EXPECT_DOUBLE_EQ(b.Total(), 105.0);
}

// ---------------------------------------------------------------------------
// Repeat.

TEST(BasketRepeat, CountIsTheLeadingIntegerOfTheItemBox) {
    EXPECT_EQ(RepeatCount("3"), 3);
    EXPECT_EQ(RepeatCount(""), 1);
    EXPECT_EQ(RepeatCount("0"), 1);
    EXPECT_EQ(RepeatCount("abc"), 1);
    EXPECT_EQ(RepeatCount("  12x4"), 12);
    EXPECT_EQ(RepeatCount("+7"), 7);
    EXPECT_EQ(RepeatCount("-2"), -2);
    EXPECT_EQ(RepeatCount("99999999999999999999"), INT_MAX);
    EXPECT_EQ(RepeatCount("-99999999999999999999"), INT_MIN);
    // Only the first 37 characters count.
    EXPECT_EQ(RepeatCount(std::string(36, ' ') + "5"), 5);
    EXPECT_EQ(RepeatCount(std::string(37, ' ') + "5"), 1);
    EXPECT_EQ(RepeatCount(std::string(35, ' ') + "456"), 45);
}

TEST(BasketRepeat, CountIsCheckedAgainstTheFreeLines) {
    const TerminalConfig c = MakeConfig({});
    TransactionRecord b;
    EXPECT_EQ(CheckRepeat(b, 1), RepeatCheck::kNoItems);
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(AddLine(b, c, kA));
    EXPECT_EQ(CheckRepeat(b, 390), RepeatCheck::kAllowed);
    EXPECT_EQ(CheckRepeat(b, 391), RepeatCheck::kOverLimit);
    EXPECT_EQ(CheckRepeat(b, INT_MAX), RepeatCheck::kOverLimit);
    EXPECT_EQ(CheckRepeat(b, -5), RepeatCheck::kAllowed);  // adds nothing
    while (!BasketIsFull(b)) ASSERT_TRUE(AddLine(b, c, kA));
    EXPECT_EQ(CheckRepeat(b, 1), RepeatCheck::kOverLimit);
    EXPECT_EQ(CheckRepeat(b, RepeatCount("")), RepeatCheck::kOverLimit);
}

// ---------------------------------------------------------------------------
// Basket tables.

TEST(BasketTables, SwitchChecksInOrder) {
    std::vector<std::uint8_t> store(kBasketTablesSize);
    std::vector<std::uint8_t> shortStore(kBasketTablesSize - 1);
    EXPECT_EQ(CheckTableSwitch(0, 1, store), TableSwitchCheck::kInvalid);
    EXPECT_EQ(CheckTableSwitch(17, 1, store), TableSwitchCheck::kInvalid);
    EXPECT_EQ(CheckTableSwitch(-1, 1, {}), TableSwitchCheck::kInvalid);
    EXPECT_EQ(CheckTableSwitch(3, 3, store), TableSwitchCheck::kCurrent);
    EXPECT_EQ(CheckTableSwitch(3, 3, {}), TableSwitchCheck::kCurrent);
    EXPECT_EQ(CheckTableSwitch(2, 1, {}), TableSwitchCheck::kNoStore);
    EXPECT_EQ(CheckTableSwitch(2, 1, shortStore), TableSwitchCheck::kNoStore);
    EXPECT_EQ(CheckTableSwitch(16, 1, store), TableSwitchCheck::kSwitch);
    EXPECT_EQ(CheckTableSwitch(1, 16, store), TableSwitchCheck::kSwitch);
}

TEST(BasketTables, SwitchingAwayAndBackRestoresTheBasket) {
    const TerminalConfig c = MakeConfig({.rate1 = 1000, .rate2 = 500});
    std::vector<std::uint8_t> store(kBasketTablesSize, 0);
    TransactionRecord live;
    for (const auto& l : {kA, kB, kC}) ASSERT_TRUE(AddLine(live, c, l));
    live.SetCustomerNumber(77);
    const TransactionRecord tableOne = live;

    // Leave table 1 for table 16 and ring up something there.
    ASSERT_TRUE(ParkBasket(live, 1, store));
    live = TransactionRecord{};
    ASSERT_TRUE(UnparkBasket(live, 16, store));
    EXPECT_EQ(live.bytes, TransactionRecord{}.bytes);
    ASSERT_TRUE(AddLine(live, c, kD));
    const TransactionRecord tableSixteen = live;

    // Back to 1: table 16's basket is parked, table 1's restored byte for byte.
    ASSERT_TRUE(ParkBasket(live, 16, store));
    ASSERT_TRUE(UnparkBasket(live, 1, store));
    EXPECT_EQ(live.bytes, tableOne.bytes);
    TransactionRecord check;
    ASSERT_TRUE(UnparkBasket(check, 16, store));
    EXPECT_EQ(check.bytes, tableSixteen.bytes);
    // The slots sit one after the other; the ones not used stay zero.
    EXPECT_EQ(std::memcmp(store.data(), tableOne.data(), txn::kSize), 0);
    EXPECT_EQ(std::memcmp(store.data() + 15 * txn::kSize, tableSixteen.data(), txn::kSize), 0);
    for (std::size_t i = txn::kSize; i < 15 * txn::kSize; ++i) ASSERT_EQ(store[i], 0) << i;
}

TEST(BasketTables, UnusableTableOrStoreChangesNothing) {
    std::vector<std::uint8_t> store(kBasketTablesSize, 0xAB);
    const std::vector<std::uint8_t> original = store;
    TransactionRecord live;
    live.SetNumber(5);
    for (int t : {0, 17, -4}) {
        EXPECT_FALSE(ParkBasket(live, t, store));
        EXPECT_FALSE(UnparkBasket(live, t, store));
    }
    std::vector<std::uint8_t> shortStore(kBasketTablesSize - 1, 0xAB);
    EXPECT_FALSE(ParkBasket(live, 16, shortStore));
    EXPECT_FALSE(UnparkBasket(live, 16, shortStore));
    EXPECT_EQ(store, original);
    EXPECT_EQ(live.Number(), 5);
    EXPECT_EQ(live.LineCount(), 0);
}

// ---------------------------------------------------------------------------
// List entries.

TEST(BasketEntryText, InventoryNonInventoryAndStoredForms) {
    EXPECT_EQ(InventoryEntryText(1234, "Tea", 17, 2.675, true), "1234  Tea (17)  2.67");
    EXPECT_EQ(InventoryEntryText(1234, "Tea", -3, 0.125, false), "Tea (-3)  0.13");
    EXPECT_EQ(NonInventoryEntryText("Gift wrap", 1.5), "Gift wrap  1.50");

    const TerminalConfig c = MakeConfig({.rate1 = 1000});
    TransactionRecord b;
    ASSERT_TRUE(AddLine(b, c, {9876543210LL, "Coffee beans", 12.5, 2, 0}));
    EXPECT_EQ(StoredEntryText(b, 0, true), "9876543210  Coffee beans  13.75");
    EXPECT_EQ(StoredEntryText(b, 0, false), "Coffee beans  13.75");
}

TEST(BasketEntryText, TextsStayWithinTheirWidths) {
    const std::string longName(300, 'w');
    const std::string inv = InventoryEntryText(1, longName, 2, 3.0, false);
    EXPECT_EQ(inv, std::string(txn::kLineDescriptionWidth - 1, 'w') + " (2)  3.00");
    EXPECT_EQ(NonInventoryEntryText(longName, 3.0), std::string(txn::kLineDescriptionWidth - 1, 'w') + "  3.00");
    const std::string huge = InventoryEntryText(INT64_MIN, longName, INT32_MIN, 1e300, true);
    EXPECT_EQ(huge.size(), kBasketEntryTextMax);
    EXPECT_EQ(huge.rfind("-9223372036854775808  www", 0), 0u);
    // A description field without its terminator reads as its width at most.
    TransactionRecord b;
    std::memset(b.data() + txn::kLineDescriptions, 'z', txn::kLineDescriptionWidth * 2);
    b.SetLineCount(1);
    EXPECT_EQ(StoredEntryText(b, 0, false), std::string(txn::kLineDescriptionWidth - 1, 'z') + "  0.00");
    EXPECT_EQ(StoredEntryText(b, 400, false), "  0.00");  // outside the basket: empty line
}

}  // namespace
