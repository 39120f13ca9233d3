// Price adjustment, weight, the two discounts and the non-inventory sale, through
// their plain functions.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "basket/basket.h"
#include "basket/money.h"
#include "basket/non_inventory.h"
#include "basket/price_adjust.h"

namespace {

TerminalConfig TaxAt(std::int64_t rate1, std::int64_t rate2 = 0) {
    TerminalConfig c;
    c.SetOption(basketcfg::kTax1Enabled, rate1 ? 1 : 0), c.SetOption(basketcfg::kTax1Rate, rate1);
    c.SetOption(basketcfg::kTax2Enabled, rate2 ? 1 : 0), c.SetOption(basketcfg::kTax2Rate, rate2);
    return c;
}

InventoryItem Item(std::int64_t number, double price, std::int32_t taxCode) {
    InventoryItem item;
    item.SetNumber(number), item.SetDescription("Cheddar"), item.SetPrice(price), item.SetCostPrice(3.25);
    item.SetTaxCode(taxCode), item.SetInStock(9);
    return item;
}

// A basket of lines priced as item entry prices them.
TransactionRecord Basket(const TerminalConfig& c, std::initializer_list<std::pair<double, std::int32_t>> lines) {
    TransactionRecord b;
    for (auto [price, taxCode] : lines) {
        const int n = b.LineCount();
        PriceLineIntoTotals(b, c, price, taxCode, 1.0, false);
        b.SetLineItemNumber(n, 100 + n), b.SetLineCount(n + 1);
    }
    return b;
}

// Non taxable, taxable, sub total, tax 1 and total.
std::vector<double> Totals(const TransactionRecord& b) {
    return {b.NonTaxableTotal(), b.TaxableTotal(), b.SubTotal(), b.Tax1Total(), b.Total()};
}
void ExpectAmounts(const std::vector<double>& got, const std::vector<double>& want, const std::string& why = "") {
    ASSERT_EQ(got.size(), want.size()) << why;
    for (std::size_t i = 0; i < got.size(); ++i) EXPECT_DOUBLE_EQ(got[i], want[i]) << "amount " << i << ": " << why;
}

}  // namespace

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
    const TerminalConfig c = TaxAt(2000);
    TransactionRecord b = Basket(c, {{10.00, 1}});
    LineAdjustState s = OpenLineAdjust(b, Item(100, 10.00, 1), CostVisible(c, 3));
    EXPECT_EQ(s.cost + " " + s.figures.total, "3.25 12.00");
    TypeAdjustedPrice(s, c, "850");
    EXPECT_EQ(s.figures.taxable + " " + s.figures.tax1 + " " + s.figures.total, "8.50 1.70 10.20");
    ASSERT_TRUE(PressPriceOk(s, b).write);
    EXPECT_EQ(WriteLineFigures(b, s, false), "Cheddar (9)  10.20");
    ExpectAmounts(Totals(b), {0, 8.5, 8.5, 1.7, 10.2});
    EXPECT_DOUBLE_EQ(b.LineCost(0), 1.0) << "cost and discount stay";

    TerminalConfig managersOnly = c;
    managersOnly.SetSwitch(pricecfg::kCostForManagersOnly, 2);
    EXPECT_TRUE(!CostVisible(managersOnly, 3) && CostVisible(managersOnly, 2));
    TerminalConfig taxOnTax = TaxAt(2000, 1000);
    taxOnTax.SetOption(basketcfg::kTaxOnTax, 1);
    const LineTaxes both = TaxesOnPrice(taxOnTax, 10.00, 1, false), noTax2 = TaxesOnPrice(taxOnTax, 10.00, 2, false);
    EXPECT_EQ(std::tuple(both.tax1, both.tax2, noTax2.tax2), std::tuple(2.0, 1.2, 0.0)) << "tax 2 on price and tax 1";
}

TEST(AdjustItemPrice, ZeroRefusalsAndAFailedLookup) {
    const TerminalConfig c = TaxAt(2000);
    TransactionRecord b = Basket(c, {{5.00, 0}, {10.00, 1}});
    LineAdjustState s = OpenLineAdjust(b, Item(101, 10.00, 1), true);
    PressZero(s);
    ASSERT_TRUE(PressPriceOk(s, b).write);
    WriteLineFigures(b, s, true);
    EXPECT_EQ(b.LineCount(), 2) << "the line stays, at 0.00";
    ExpectAmounts(Totals(b), {5, 0, 5, 0, 5});
    EXPECT_DOUBLE_EQ(b.LineTotal(1), 0.0);

    // 2.00 and 10.00 with 5.00 off the total: the last line at 2.00 would leave -1.00.
    b = Basket(TaxAt(0), {{2.00, 0}, {10.00, 0}});
    b.SetDiscountTotal(5.00), b.SetTotal(7.00);
    s = OpenLineAdjust(b, Item(101, 10.00, 0), true);
    TypeAdjustedPrice(s, TaxAt(0), "200");
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
    const TerminalConfig c = TaxAt(0);
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
    ExpectAmounts(Totals(b), {3.5, 0, 3.5, 0, 3.5});
}

TEST(Discount, OffTheTotalReplacesTheEarlierOne) {
    const TerminalConfig c = TaxAt(0);
    TransactionRecord b = Basket(c, {{80.00, 0}});
    DiscountState s = OpenDiscount(b, true);
    EXPECT_EQ(std::pair(s.percents.size(), s.percents.back()), std::pair(std::size_t{41}, std::string("20.00")));
    TypeDiscount(s, b, PercentDiscountTyped(s, b, 5));
    EXPECT_EQ(s.typed + " " + s.amended, "200 78.00");
    ASSERT_TRUE(PressDiscountOk(s, b, c).close);
    ExpectAmounts({b.DiscountTotal(), b.Total()}, {2, 78});

    s = OpenDiscount(b, true);
    TypeDiscount(s, b, "100");
    ASSERT_TRUE(PressDiscountOk(s, b, c).close);
    ExpectAmounts(Totals(b), {80, 0, 80, 0, 79}, "not 77.00; sub total and taxes untouched");
    s = OpenDiscount(b, true);
    TypeDiscount(s, b, "7901");
    EXPECT_EQ(s.amended, "");
    EXPECT_STREQ(PressDiscountOk(s, b, c).message, "Invalid discount");
    TypeDiscount(s, b, "nan00");
    EXPECT_STREQ(PressDiscountOk(s, b, c).message, "Invalid discount");
}

TEST(Discount, BeforeTaxIsSpreadOverTheTotals) {
    const TerminalConfig c = TaxAt(2000);
    TransactionRecord b = Basket(c, {{20.00, 0}, {80.00, 2}});
    DiscountState s = OpenDiscount(b, false);
    EXPECT_EQ(s.percents.size(), 161u);
    EXPECT_EQ(PercentDiscountTyped(s, b, 20), "1000") << "10 % of 100.00 before tax";
    TypeDiscount(s, b, "1000");
    EXPECT_EQ(s.amended, "90.00");
    ASSERT_TRUE(PressDiscountOk(s, b, c).close);
    ExpectAmounts(Totals(b), {18, 72, 90, 14.4, 104.4});
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
        TerminalConfig c = TaxAt(r.r1, r.r2);
        NonInventoryState s = OpenNonInventory(c);
        SetTaxes(s, c, r.tax1, r.tax2);
        SetPrice(s, c, "10.00");
        EXPECT_EQ(s.nett + " " + s.tax1Text + " " + s.tax2Text + " " + s.total, r.shown) << r.why;
    }
}

TEST(NonInventorySale, KeyboardButtonsAndAdd) {
    TerminalConfig c = TaxAt(2000);
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
    ExpectAmounts({b.LineTaxable(0), b.LineTax1(0), b.LineCost(0)}, {8.33, 1.67, 8.33});
    ExpectAmounts(Totals(b), {0, 8.33, 8.33, 1.67, 10});

    b.SetLineCount(txn::kMaxLines);
    const TransactionRecord full = b;
    EXPECT_STREQ(PressAdd(s, b, c).message, "Transaction limit 400 items");
    EXPECT_EQ(b.bytes, full.bytes);
    SetTaxes(s, c, false, false);
    TransactionRecord untaxed;
    ASSERT_EQ(PressAdd(s, untaxed, c).action, NonInventoryOutcome::kAdded);
    ExpectAmounts({untaxed.LineNonTaxable(0), untaxed.LineCost(0), untaxed.NonTaxableTotal(), untaxed.SubTotal()},
                  {10, 10, 10, 10}, "without tax the whole price is non-taxable");
}
